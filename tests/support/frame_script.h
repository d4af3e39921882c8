// frame_script.h -- drive the game frame by frame from tests: keys in, state out
#pragma once

#include <string>

// Puts every piece of game state back to its start-up value, restarts the C
// runtime's random sequence, and leaves a ready rendering context (glStage 3).
void StartFresh();

// Runs one frame with the keys of the string latched, one letter per key:
// E Enter, L Left, U Up, R Right, P pause, X restart (R). "" runs a frame with no key.
void Frame(const std::string& keys = "");

// Runs count frames without keys.
void Frames(int count);

// One line describing the game state, as the simulator prints it.
std::string TraceLine();
