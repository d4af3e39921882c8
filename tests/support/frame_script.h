// frame_script.h -- drive the game frame by frame from tests: the frame driver and ready-made scenes
#pragma once

#include "platform/null/frame_driver.h"

// A run in progress in the play view with every row parked out of reach and
// the wave timer at the given value, so a test can place the rows it is about.
void QuietRun(int waveTimer);
