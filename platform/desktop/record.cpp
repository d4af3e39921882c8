// record.cpp -- the desktop's recorded runs: --record writes each key as the core takes it, --play plays a record's keys
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "game/key_queue.h"
#include "game/run_record.h"
#include "platform/desktop/shell.h"

namespace {

// Writes text whole; a kill between two calls leaves whole lines behind.
void WriteWhole(const std::string& text)
{
    const char* rest = text.data();
    std::size_t left = text.size();
    while (left > 0 && !desktop.recordBroken) {
        const ssize_t written = write(desktop.recordFile, rest, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            desktop.recordBroken = true;
            std::fprintf(stderr, "KestrelForges: cannot write the record %s: %s; the game plays on unrecorded\n",
                         desktop.recordPath.c_str(), std::strerror(errno));
            return;
        }
        rest += written;
        left -= static_cast<std::size_t>(written);
    }
}

void WriteTakenKey(long pass, int key)
{
    if (RecordTakes(pass, desktop.recordKeys)) {
        ++desktop.recordKeys;
        WriteWhole(RunRecordLine(RecordedKey{pass, key}));
    }
}

// Reads at most MaxRecordBytes and one byte more, which marks a file too large.
bool ReadRecordFile(const char* path, std::string* text, std::string* error)
{
    const int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        *error = std::strerror(errno);
        return false;
    }
    char buffer[1 << 16];
    while (text->size() <= MaxRecordBytes) {
        const ssize_t got = read(file, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            *error = std::strerror(errno);
            close(file);
            return false;
        }
        if (got == 0) {
            break;
        }
        text->append(buffer, static_cast<std::size_t>(got));
    }
    close(file);
    if (text->size() > MaxRecordBytes) {
        *error = "larger than a record can be (" + std::to_string(MaxRecordBytes) + " bytes)";
        return false;
    }
    return true;
}

}  // namespace

bool LoadPlayback(const char* path)
{
    std::string text;
    std::string error;
    RunRecord record = {{}, 0};
    if (!ReadRecordFile(path, &text, &error) || !ParseRunRecord(text, &record, &error)) {
        std::fprintf(stderr, "KestrelForges: cannot play %s: %s\n", path, error.c_str());
        return false;
    }
    for (const RecordedKey& key : record.keys) {
        QueueRecordedKey(key.pass, key.key);
    }
    return true;
}

bool StartRecording(const char* path)
{
    desktop.recordFile = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (desktop.recordFile < 0) {
        std::fprintf(stderr, "KestrelForges: cannot record into %s: %s\n", path, std::strerror(errno));
        return false;
    }
    desktop.recordPath = path;
    WriteWhole(RunRecordHeader());
    WatchTakenKeys(WriteTakenKey);
    return !desktop.recordBroken;
}

void FinishRecording()
{
    if (desktop.recordFile < 0) {
        return;
    }
    WriteWhole(RunRecordEnd(RecordedPasses(FramesDrawn())));
    close(desktop.recordFile);
    desktop.recordFile = -1;
    if (!desktop.recordBroken) {
        std::printf("KestrelForges: this game's record is in %s\n", desktop.recordPath.c_str());
    }
}
