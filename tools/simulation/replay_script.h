// replay_script.h -- key scripts of recorded play: reading and writing the simulator's format
#pragma once

#include <string>
#include <vector>

#include "game/run_record.h"

// A script as frames: one entry per frame, the letters of the keys latched in
// it as Frame() takes them (E L U R P X), "" for a frame without keys.
using ReplayFrames = std::vector<std::string>;

// The largest frame number and frame count a script may give: a million
// frames is over nine hours of play, and the frame list stays small.
constexpr long MaxScriptFrame = 1000000;

// Parses "<frame> <key> [<key> ...]" lines (enter, left, up, right, pause,
// restart), "frames <count>" and "#" comments. The script runs up to its
// frame count or its last keyed frame, whichever is later. On a bad line
// returns false with the line's number and fault in error; a script without
// a single frame is refused too.
bool ParseReplayScript(const std::string& text, ReplayFrames* frames, std::string* error);

// The script text for frames, headed by the comment lines given.
std::string FormatReplayScript(const ReplayFrames& frames, const std::vector<std::string>& comments);

// The script as a run record, each frame a pass, or false when a frame holds
// more than one key: a pass takes one key at most.
bool ReplayAsRecord(const ReplayFrames& frames, RunRecord* record);

// Whole-file helpers; false when the file cannot be read or written.
bool ReadTextFile(const std::string& path, std::string* text);
bool WriteTextFile(const std::string& path, const std::string& text);
