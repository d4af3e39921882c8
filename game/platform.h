// platform.h -- the few platform calls a frame makes; each shell under platform/ defines them, tests define
// recording versions.
#pragma once

// Presents the finished frame: swaps the game window's buffers (Windows,
// desktop), or draws what the page still holds so the browser shows it when
// the pass returns.
void PlatformPresentFrame();

// Starts "gamesound.wav" looping asynchronously and returns at once; a start
// while it plays begins it again. Where the tune cannot play (no file, no
// device, audio blocked by the browser) the game goes on silent.
void PlatformStartMusic();

// Stops the looping tune, whatever is playing.
void PlatformStopMusic();

// Called at the end of every frame, after the present: once after the help has
// closed (TakeFocusRestore), hands the keyboard back to the game window.
void PlatformRestoreFocus();

// Called last in every frame: the 34 ms pause that paces the game, not counting
// the time the frame took. Windows and the desktop sleep (SleepOneFramePause);
// a page cannot sleep, so the browser schedules the next pass 34 ms from now.
void PlatformFrameSleep();

// The ports' answers to what the key table leaves to the shell (the Windows
// window procedure gives its own): the quit sequence, which runs once, stops
// the loop and the tune, takes the help away and releases the window, with
// the exit code the process returns where the shell chooses it...
void PlatformQuit(int exitCode);

// ...and the "MENU" help, shown over the game, which plays on behind it.
void PlatformShowHelp();
