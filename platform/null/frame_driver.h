// frame_driver.h -- the null shell: plays the game frame by frame without a window, keys in, state out
//
// Platform: none, for the simulator and the tests. Libraries: none. Differs
// from the Windows game: no window, sound or sleep; OpenGL and the frame's
// platform calls are recorded (gl_recorder.cpp, platform_recorder.cpp), and a
// frame runs when the caller asks for it, with the keys it names.
#pragma once

#include <string>

// Puts every piece of game state back to its start-up value (the loop and the
// help included), restarts the C runtime's random sequence, forgets what the
// recording OpenGL and platform saw, and leaves a ready rendering context
// (glStage 3).
void StartFresh();

// Runs one frame after the keys of the string went through the key table, one
// letter per key: E Enter, L Left, U Up, R Right, D Down, M help, P pause,
// X restart (R), S music. "" runs a frame with no key.
void Frame(const std::string& keys = "");

// The letter Frame() takes for a game key; '\0' for Escape, which it does not
// take, and for a number that is no game key.
char FrameKeyLetter(int key);

// Runs count frames without keys.
void Frames(int count);

// One line describing the game state, as the simulator prints it.
std::string TraceLine();
