// gl_recorder.h -- a recording OpenGL 1.1: counts every call, keeps them when asked; the simulator plays on it silent
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

struct GlCall {
    const char* name;
    std::array<double, 6> args;
};

struct GlRecord {
    bool keepCalls;              // store every call in calls (off by default: long runs)
    std::vector<GlCall> calls;   // the calls since the last reset, when kept
    long triangles;              // glBegin(GL_TRIANGLES) count since the last reset
    long quads;                  // glBegin(GL_QUADS) count since the last reset
    long frustums;               // glFrustum count since the last reset
};

extern GlRecord glRecord;

// Forgets everything recorded; keepCalls is left as it is.
void ResetGlRecord();

// The kept calls with the given name, in order.
std::vector<GlCall> CallsNamed(const std::string& name);

// Index of the first kept call with the name at or after start, or calls.size().
std::size_t FindCall(const std::string& name, std::size_t start = 0);
