// replay_fuzzer.cpp -- libFuzzer target: arbitrary key frames, banner texts and run records against the invariants
//
// Key-mode inputs play frames from a fresh start and check every frame; banner-mode
// inputs stamp any text into the banner; record- and link-mode inputs go to the
// run record's readers, and what they take must come back the same through
// either form, a link letter for letter, and play like key frames. A broken rule writes the input as a
// replay script (into $KESTREL_FUZZ_REPLAYS, else the working directory) and
// aborts so libFuzzer keeps the input too. With KESTREL_FUZZ_SAVE_EVERY set,
// every key-mode input is written before it plays: rerunning a crash file that
// way turns it into a replay even when a sanitizer ends the process.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "banner/banner_grid.h"
#include "game/run_record.h"
#include "banner/pixel_font.h"
#include "tests/stress/fuzz_input.h"
#include "platform/null/frame_driver.h"
#include "tests/stress/invariants.h"
#include "tools/simulation/replay_script.h"
#include "tests/support/frame_script.h"

namespace {

std::string ReplayPath(const std::uint8_t* data, std::size_t size)
{
    // FNV-1a names the replay after its input, so reruns overwrite rather than pile up.
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ data[i]) * 1099511628211ull;
    }
    char name[40];
    std::snprintf(name, sizeof name, "fuzz-%016llx.keys", static_cast<unsigned long long>(hash));
    const char* directory = std::getenv("KESTREL_FUZZ_REPLAYS");
    return std::string(directory != nullptr ? directory : ".") + "/" + name;
}

void SaveReplay(const std::uint8_t* data, std::size_t size, const ReplayFrames& frames, const std::string& why)
{
    const std::string path = ReplayPath(data, size);
    WriteTextFile(path, FormatReplayScript(frames, {"found by replay_fuzzer: " + why}));
    std::fprintf(stderr, "replay written to %s\n", path.c_str());
}

void Fail(const std::uint8_t* data, std::size_t size, const ReplayFrames& frames, const std::string& why)
{
    std::fprintf(stderr, "invariant broken: %s\n", why.c_str());
    SaveReplay(data, size, frames, why);
    std::abort();
}

void StampAnyText(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    ResetBannerGrid();
    StampBannerText(text);
    const std::string broken = CheckBannerGrid();
    if (!broken.empty()) {
        std::fprintf(stderr, "banner text of %zu bytes: %s\n", text.size(), broken.c_str());
        std::abort();
    }
}

// Plays frames from a fresh start, checking every frame.
void PlayChecked(const std::uint8_t* data, std::size_t size, const ReplayFrames& frames)
{
    static const bool saveEvery = std::getenv("KESTREL_FUZZ_SAVE_EVERY") != nullptr;
    if (saveEvery) {
        SaveReplay(data, size, frames, "rerun of a crash input");
    }
    StartFresh();
    InvariantWatch watch = FreshWatch();
    for (std::size_t frame = 0; frame < frames.size(); ++frame) {
        Frame(frames[frame]);
        const std::string broken = CheckFrame(&watch, frames[frame]);
        if (!broken.empty()) {
            const ReplayFrames played(frames.begin(), frames.begin() + static_cast<std::ptrdiff_t>(frame) + 1);
            Fail(data, size, played, "frame " + std::to_string(frame) + ": " + broken);
        }
    }
}

bool SameRecord(const RunRecord& a, const RunRecord& b)
{
    if (a.passes != b.passes || a.keys.size() != b.keys.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.keys.size(); ++i) {
        if (a.keys[i].pass != b.keys[i].pass || a.keys[i].key != b.keys[i].key) {
            return false;
        }
    }
    return true;
}

void Broken(const char* what, const std::string& error)
{
    std::fprintf(stderr, "run record: %s %s\n", what, error.c_str());
    std::abort();
}

// Reads the text as the mode's form; what reads must round-trip and play.
void CheckRunRecord(const std::uint8_t* data, std::size_t size, bool link)
{
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    RunRecord record{{}, 0};
    std::string error;
    if (!(link ? DecodeRunLink(text, &record, &error) : ParseRunRecord(text, &record, &error))) {
        if (error.empty() || error.find('\n') != std::string::npos) {
            Broken("refused without one line of error:", error);
        }
        return;
    }
    RunRecord again{{}, 0};
    if (!ParseRunRecord(FormatRunRecord(record), &again, &error) || !SameRecord(record, again)) {
        Broken("text does not read back the same:", error);
    }
    const std::string encoded = EncodeRunLink(record);
    if (link && encoded != text) {
        Broken("link does not encode back letter for letter:", encoded);
    }
    if (encoded.size() <= MaxLinkChars && (!DecodeRunLink(encoded, &again, &error) || !SameRecord(record, again))) {
        Broken("link does not read back the same:", error);
    }
    const long passes = record.passes > 0 ? record.passes : record.keys.empty() ? 0 : record.keys.back().pass + 1;
    if (passes > static_cast<long>(MaxFuzzFrames)) {
        return;
    }
    ReplayFrames frames(static_cast<std::size_t>(passes), "");
    for (const RecordedKey& key : record.keys) {
        frames[static_cast<std::size_t>(key.pass)] = FrameKeyLetter(key.key);
    }
    PlayChecked(data, size, frames);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    switch (data[0] & ModeBits) {
    case BannerMode:
        StampAnyText(data, size);
        break;
    case RecordMode:
    case LinkMode:
        CheckRunRecord(data, size, (data[0] & ModeBits) == LinkMode);
        break;
    default:
        PlayChecked(data, size, DecodeFuzzFrames(data, size));
        break;
    }
    return 0;
}
