// bench_backend.h -- the OpenGL a frame benchmark draws through, and how its calls are captured
#pragma once

#include <vector>

#include "platform/null/gl_recorder.h"

// Shown next to the figures: which OpenGL the frames went through.
const char* BackendName();

// Fresh game state on a ready render context of the benchmark's screen;
// false when no context can be made.
bool StartBackend();

// From now on every OpenGL call, the game's or the floor's, is kept.
void StartGlCapture();

// Stops keeping calls and hands over those made since StartGlCapture.
std::vector<GlCall> StopGlCapture();
