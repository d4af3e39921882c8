// shell.h -- the Windows shell's shared state: window, contexts, help dialog, quitting
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

// Start-up up to the loop: cursor, strings, window class, window, rendering
// context, first render state, show, accelerators. False when no window.
bool StartUp(HINSTANCE instance, int showCommand, HACCEL* accelerators);

// The polling loop: one message per pass, then a frame. Returns the exit code.
int RunMainLoop(HACCEL accelerators);

// One pass of the loop with this message record: gate open, at most one
// message, gate closed, frame.
void RunLoopPass(MSG* message, HACCEL accelerators);

// The quit sequence: stops the game and releases everything, once; later
// calls do nothing.
void RunQuitSequence(HWND window);

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the help dialog with both texts and the cursor (the M key).
void ShowHelpDialog();
