// simulate.cpp -- plays a key script through the game logic and prints one trace line per frame
//
// Script lines: "<frame> <key> [<key> ...]" with keys enter, left, up, right,
// pause, restart; "frames <count>" sets how many frames run (at least up to
// the last keyed frame); "#" starts a comment. Frames count from 0, and frame
// numbers and the count go up to MaxScriptFrame. A script that cannot be read
// or has a bad line plays nothing: one line on stderr and exit code 2.
//
// A run record (game/run_record.h), known by its header, plays the same way:
// pass N is frame N, up to its passes count, else to its last key's pass.
//
// simulate --record FILE prints the script or record as a run record, and
// simulate --link FILE as the part of a link after "#run=": what a shell's
// --play or the page plays; a script with several keys in a frame has none.
#include <cstddef>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "game/run_record.h"
#include "platform/null/frame_driver.h"
#include "tools/simulation/replay_script.h"

namespace {

// Whether the first line that is not blank or a comment is a record's header.
bool IsRunRecord(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string first;
        if (words >> first) {
            return first == "kestrel-forges";
        }
    }
    return false;
}

// The record as frames of Frame() letters, one key at most in each.
bool ParseRecordFrames(const std::string& text, ReplayFrames* frames, std::string* error)
{
    RunRecord record{{}, 0};
    if (!ParseRunRecord(text, &record, error)) {
        return false;
    }
    const long passes = record.passes > 0 ? record.passes : record.keys.empty() ? 0 : record.keys.back().pass + 1;
    if (passes == 0) {
        *error = "no passes to play";
        return false;
    }
    frames->assign(static_cast<std::size_t>(passes), "");
    for (const RecordedKey& key : record.keys) {
        (*frames)[static_cast<std::size_t>(key.pass)] = FrameKeyLetter(key.key);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string form = argc == 3 ? argv[1] : "";
    if (argc != 2 && form != "--record" && form != "--link") {
        std::cerr << "usage: simulate [--record | --link] <key script or run record>\n";
        return 2;
    }
    const char* path = argv[argc - 1];
    std::string text;
    if (!ReadTextFile(path, &text)) {
        std::cerr << "simulate: cannot read " << path << "\n";
        return 2;
    }
    ReplayFrames frames;
    std::string error;
    const bool parsed = IsRunRecord(text) ? ParseRecordFrames(text, &frames, &error)
                                           : ParseReplayScript(text, &frames, &error);
    if (!parsed) {
        std::cerr << path << ": " << error << "\n";
        return 2;
    }
    if (!form.empty()) {
        RunRecord record{{}, 0};
        if (!ReplayAsRecord(frames, &record)) {
            std::cerr << path << ": a frame holds several keys, and a pass takes one\n";
            return 2;
        }
        std::printf("%s", form == "--record" ? FormatRunRecord(record).c_str() : (EncodeRunLink(record) + "\n").c_str());
        return 0;
    }

    StartFresh();
    for (std::size_t frame = 0; frame < frames.size(); ++frame) {
        Frame(frames[frame]);
        std::printf("%zu %s\n", frame, TraceLine().c_str());
    }
    return 0;
}
