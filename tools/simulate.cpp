// simulate.cpp -- plays a key script through the game logic and prints one trace line per frame
//
// Script lines: "<frame> <key> [<key> ...]" with keys enter, left, up, right,
// pause, restart; "frames <count>" sets how many frames run (at least up to
// the last keyed frame); "#" starts a comment. Frames count from 0.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "tests/support/frame_script.h"

namespace {

bool KeyLetter(const std::string& name, char* letter)
{
    static const std::map<std::string, char> letters = {
        {"enter", 'E'}, {"left", 'L'}, {"up", 'U'}, {"right", 'R'}, {"pause", 'P'}, {"restart", 'X'},
    };
    const auto found = letters.find(name);
    if (found == letters.end()) {
        return false;
    }
    *letter = found->second;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: simulate <key script>\n";
        return 2;
    }
    std::ifstream script(argv[1]);
    if (!script) {
        std::cerr << "simulate: cannot read " << argv[1] << "\n";
        return 2;
    }
    std::map<long, std::string> keys;
    long frames = 0;     // from "frames" lines
    long lastKeyed = -1;
    std::string line;
    int lineNumber = 0;
    while (std::getline(script, line)) {
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string first;
        if (!(words >> first)) {
            continue;
        }
        long frame = 0;
        if (first == "frames") {
            if (!(words >> frames) || frames < 0) {
                std::cerr << argv[1] << ":" << lineNumber << ": bad frame count\n";
                return 2;
            }
            continue;
        }
        try {
            frame = std::stol(first);
        } catch (const std::exception&) {
            frame = -1;
        }
        if (frame < 0) {
            std::cerr << argv[1] << ":" << lineNumber << ": expected a frame number\n";
            return 2;
        }
        std::string name;
        while (words >> name) {
            char letter = 0;
            if (!KeyLetter(name, &letter)) {
                std::cerr << argv[1] << ":" << lineNumber << ": unknown key " << name << "\n";
                return 2;
            }
            keys[frame] += letter;
        }
        lastKeyed = std::max(lastKeyed, frame);
    }
    frames = std::max(frames, lastKeyed + 1);

    StartFresh();
    for (long frame = 0; frame < frames; ++frame) {
        const auto found = keys.find(frame);
        Frame(found == keys.end() ? "" : found->second);
        std::printf("%ld %s\n", frame, TraceLine().c_str());
    }
    return 0;
}
