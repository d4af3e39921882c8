// main_loop.h -- the loop pass, the once-only quit guard and the frame sleep, written once for every shell
#pragma once

// Loop and quitting.
extern bool loopRunning;   // the loop runs while true; only the quit guard clears it
extern int quitRequested;  // 1 once quitting: no more frames
extern int quitArmed;      // 1 until the quit sequence has run, then 2
extern long passNumber;    // the pass running or next, counted from 0 at the process's first pass

// Escape's exit code. The Windows game returns the wParam of the last message
// it fetched, which after Escape is the key's virtual-key code, 27; the other
// shells return the same number.
constexpr int EscapeExitCode = 27;

// A close request's exit code (Alt+F4, the window's close box): the Windows
// game's last message is then the quit message, which carries 0.
constexpr int CloseExitCode = 0;

// Every frame ends with a pause of this many milliseconds, not counting the
// frame's own time: all speeds and durations of the game are counted in frames.
constexpr int FramePauseMilliseconds = 34;

// The shell's part of a pass: take at most one input event (a message, an SDL
// event or a key from the key queue) and handle it. Gated keys go through
// PressGameKey.
using PassInput = void (*)();

// One pass of the loop: the gate opens, the shell takes at most one input, the
// gate closes, and RenderFrame runs unless the input started quitting.
void RunLoopPass(PassInput takeInput);

// Passes until the quit sequence has stopped the loop.
void RunLoop(PassInput takeInput);

// The frames drawn so far: every pass draws one but the pass that began quitting.
long FramesDrawn();

// The start of the quit sequence. The first call stops the loop, suppresses
// every later frame and returns true: the shell then releases its window,
// context and sound. Every later call returns false and does nothing.
bool BeginQuitSequence();

// The frame sleep of the shells that sleep: 34 ms on the steady clock, longer
// if woken early, never shorter.
void SleepOneFramePause();

// The loop running and quitting not begun, as at start-up.
void ResetLoop();
