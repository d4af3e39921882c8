// replay_script.cpp -- key scripts of recorded play: reading and writing the simulator's format
#include "tests/stress/replay_script.h"

#include <cstddef>
#include <fstream>
#include <sstream>

namespace {

struct KeyName {
    char letter;
    const char* name;
};

// Frame() letter order; a frame's keys are written in this order.
constexpr KeyName KeyNames[] = {
    {'E', "enter"}, {'L', "left"}, {'U', "up"}, {'R', "right"}, {'P', "pause"}, {'X', "restart"},
};

bool ParseCount(const std::string& word, long* value)
{
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos || word.size() > 9) {
        return false;
    }
    *value = std::stol(word);
    return true;
}

}  // namespace

bool ParseReplayScript(const std::string& text, ReplayFrames* frames, std::string* error)
{
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    long frameCount = 0;
    ReplayFrames keyed;
    while (std::getline(lines, line)) {
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string first;
        if (!(words >> first)) {
            continue;
        }
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        long value = 0;
        if (first == "frames") {
            std::string count;
            if (!(words >> count) || !ParseCount(count, &value)) {
                *error = where + "bad frame count";
                return false;
            }
            frameCount = value;
            continue;
        }
        if (!ParseCount(first, &value)) {
            *error = where + "expected a frame number";
            return false;
        }
        const std::size_t frame = static_cast<std::size_t>(value);
        if (keyed.size() < frame + 1) {
            keyed.resize(frame + 1);
        }
        std::string name;
        while (words >> name) {
            bool known = false;
            for (const KeyName& key : KeyNames) {
                if (name == key.name) {
                    keyed[frame] += key.letter;
                    known = true;
                }
            }
            if (!known) {
                *error = where + "unknown key " + name;
                return false;
            }
        }
    }
    if (keyed.size() < static_cast<std::size_t>(frameCount)) {
        keyed.resize(static_cast<std::size_t>(frameCount));
    }
    *frames = keyed;
    return true;
}

std::string FormatReplayScript(const ReplayFrames& frames, const std::vector<std::string>& comments)
{
    std::string text;
    for (const std::string& comment : comments) {
        text += "# " + comment + "\n";
    }
    for (std::size_t frame = 0; frame < frames.size(); ++frame) {
        if (frames[frame].empty()) {
            continue;
        }
        text += std::to_string(frame);
        for (const KeyName& key : KeyNames) {
            if (frames[frame].find(key.letter) != std::string::npos) {
                text += ' ';
                text += key.name;
            }
        }
        text += '\n';
    }
    text += "frames " + std::to_string(frames.size()) + "\n";
    return text;
}

bool ReadTextFile(const std::string& path, std::string* text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    *text = content.str();
    return true;
}

bool WriteTextFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}
