// replay_script.cpp -- key scripts of recorded play: reading and writing the simulator's format
#include "tools/simulation/replay_script.h"

#include <cstddef>
#include <fstream>
#include <sstream>

#include "platform/null/frame_driver.h"

namespace {

struct KeyName {
    char letter;
    const char* name;
};

// Frame() letter order; a frame's keys are written in this order.
constexpr KeyName KeyNames[] = {
    {'E', "enter"}, {'L', "left"}, {'U', "up"}, {'R', "right"}, {'P', "pause"}, {'X', "restart"},
};

// How a frame number or count reads: a plain decimal up to MaxScriptFrame.
enum NumberRead { NumberOk, NotANumber, NumberTooLarge };

NumberRead ReadNumber(const std::string& word, long* value)
{
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos) {
        return NotANumber;
    }
    long number = 0;
    for (char digit : word) {
        number = number * 10 + (digit - '0');
        // Stop before a long run of digits overflows.
        if (number > MaxScriptFrame) {
            return NumberTooLarge;
        }
    }
    *value = number;
    return NumberOk;
}

std::string Quoted(const std::string& word)
{
    return "\"" + word + "\"";
}

// Reads one line into keyed or frameCount; the fault without its line number, or "".
std::string ParseLine(const std::string& line, ReplayFrames* keyed, long* frameCount)
{
    std::istringstream words(line);
    std::string first;
    if (!(words >> first)) {
        return "";
    }
    const std::string limit = " is above the limit of " + std::to_string(MaxScriptFrame);
    long value = 0;
    if (first == "frames") {
        std::string count;
        if (!(words >> count)) {
            return "expected a frame count after frames";
        }
        const NumberRead read = ReadNumber(count, &value);
        if (read == NotANumber) {
            return "bad frame count " + Quoted(count);
        }
        if (read == NumberTooLarge) {
            return "frame count " + count + limit;
        }
        std::string extra;
        if (words >> extra) {
            return "unexpected " + Quoted(extra) + " after the frame count";
        }
        *frameCount = value;
        return "";
    }
    const NumberRead read = ReadNumber(first, &value);
    if (read == NotANumber) {
        return "expected a frame number, not " + Quoted(first);
    }
    if (read == NumberTooLarge) {
        return "frame " + first + limit;
    }
    std::string keys;
    std::string name;
    while (words >> name) {
        const KeyName* found = nullptr;
        for (const KeyName& key : KeyNames) {
            if (name == key.name) {
                found = &key;
            }
        }
        if (found == nullptr) {
            return "unknown key " + Quoted(name);
        }
        keys += found->letter;
    }
    if (keys.empty()) {
        return "expected a key after frame " + first;
    }
    const std::size_t frame = static_cast<std::size_t>(value);
    if (keyed->size() < frame + 1) {
        keyed->resize(frame + 1);
    }
    (*keyed)[frame] += keys;
    return "";
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
        const std::string fault = ParseLine(line.substr(0, line.find('#')), &keyed, &frameCount);
        if (!fault.empty()) {
            *error = "line " + std::to_string(lineNumber) + ": " + fault;
            return false;
        }
    }
    if (keyed.size() < static_cast<std::size_t>(frameCount)) {
        keyed.resize(static_cast<std::size_t>(frameCount));
    }
    if (keyed.empty()) {
        *error = "no frames to play";
        return false;
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

bool ReplayAsRecord(const ReplayFrames& frames, RunRecord* record)
{
    record->passes = static_cast<long>(frames.size());
    for (std::size_t frame = 0; frame < frames.size(); ++frame) {
        if (frames[frame].size() > 1) {
            return false;
        }
        for (int key = 0; !frames[frame].empty() && key < 16; ++key) {
            if (RecordableKey(key) && FrameKeyLetter(key) == frames[frame][0]) {
                record->keys.push_back(RecordedKey{static_cast<long>(frame), key});
            }
        }
    }
    return true;
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
