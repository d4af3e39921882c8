// simulate.cpp -- plays a key script through the game logic and prints one trace line per frame
//
// Script lines: "<frame> <key> [<key> ...]" with keys enter, left, up, right,
// pause, restart; "frames <count>" sets how many frames run (at least up to
// the last keyed frame); "#" starts a comment. Frames count from 0, and frame
// numbers and the count go up to MaxScriptFrame. A script that cannot be read
// or has a bad line plays nothing: one line on stderr and exit code 2.
#include <cstddef>
#include <cstdio>
#include <iostream>
#include <string>

#include "platform/null/frame_driver.h"
#include "tools/simulation/replay_script.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: simulate <key script>\n";
        return 2;
    }
    std::string text;
    if (!ReadTextFile(argv[1], &text)) {
        std::cerr << "simulate: cannot read " << argv[1] << "\n";
        return 2;
    }
    ReplayFrames frames;
    std::string error;
    if (!ParseReplayScript(text, &frames, &error)) {
        std::cerr << argv[1] << ": " << error << "\n";
        return 2;
    }

    StartFresh();
    for (std::size_t frame = 0; frame < frames.size(); ++frame) {
        Frame(frames[frame]);
        std::printf("%zu %s\n", frame, TraceLine().c_str());
    }
    return 0;
}
