// shell.h -- the Windows shell: its state, and its start-up, loop, input, help and audio
#pragma once

#include <windows.h>

#include "game/help_state.h"
#include "game/main_loop.h"

// Window and rendering context, acquired once at start-up.
extern wchar_t windowTitle[100];      // from string resource 103
extern wchar_t windowClassName[100];  // from string resource 109
extern HWND mainWindow;               // the full-screen game window
extern HDC mainDC;                    // its device context, held until quitting
extern HGLRC glContext;               // the OpenGL context on mainDC

// Help dialog, created hidden before wWinMain runs; whether it is shown and
// the keyboard hand-back after it are the game's (help_state.h).
extern HWND helpDialog;

// The loop's message record, which every fetch overwrites, and the
// accelerator table from start-up.
struct MessagePump {
    MSG* message;
    HACCEL accelerators;
};

extern MessagePump messagePump;

// Start-up (startup.cpp) up to the loop: cursor, strings, window class,
// window, rendering context, first render state, show, accelerators. False
// when no window.
bool StartUp(HINSTANCE instance, int showCommand, HACCEL* accelerators);

// The loop (main_loop.cpp): one message per pass, then a frame. Returns the
// exit code. Quitting is PlatformQuit (game/platform.h), whose exit code is
// the last message's.
int RunMainLoop(HACCEL accelerators);

// One pass of the loop with this message record: gate open, at most one
// message, gate closed, frame.
void RunLoopPass(MSG* message, HACCEL accelerators);

// Input (input.cpp): the pass's one message, fetched without waiting while
// the gate is open, and the game window's procedure it goes to. The system's
// message queue is the game's key queue: it folds a held key's repeats itself.
void TakeOneInput();
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Help (help.cpp): the dialog is PlatformShowHelp (game/platform.h), shown
// with both texts and the cursor; the quit sequence hides it.
void CloseHelp();
