// platform_recorder.h -- a recording platform: no window, no sound, no sleep; the simulator plays on it silent
#pragma once

#include <string>
#include <vector>

struct PlatformRecord {
    long presents;                   // frames presented
    long focusChecks;                // end-of-frame focus restore calls
    long sleeps;                     // frame sleeps
    std::vector<std::string> music;  // "start" and "stop", in order
    std::vector<std::string> tail;   // the last frame's calls after the present, in order
    long quits;                      // quit sequences run
    int exitCode;                    // the last quit's exit code
    long helpShown;                  // times the help was shown
};

extern PlatformRecord platformRecord;

void ResetPlatformRecord();
