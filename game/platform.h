// platform.h -- the few operating-system calls a frame makes; the Windows shell
// defines them, tests define recording versions.
#pragma once

// Presents the finished frame (swaps the buffers of the game window).
void PlatformPresentFrame();

// Starts "gamesound.wav" looping asynchronously; returns at once.
void PlatformStartMusic();

// Stops the looping music, whatever is playing.
void PlatformStopMusic();

// Called at the end of every frame, after the present: once after the help
// dialog has closed, hands the keyboard back to the game window.
void PlatformRestoreFocus();

// Called last in every frame: sleeps 34 ms on the monotonic clock, not counting
// the time the frame took, so the game runs in frames of at least 34 ms.
void PlatformFrameSleep();
