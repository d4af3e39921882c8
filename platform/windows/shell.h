// shell.h -- the Windows shell's shared state: window, contexts, help dialog, quitting
#pragma once

#include <windows.h>

// Window and rendering context, acquired once at start-up.
extern wchar_t windowTitle[100];      // from string resource 103
extern wchar_t windowClassName[100];  // from string resource 109
extern HWND mainWindow;               // the full-screen game window
extern HDC mainDC;                    // its device context, held until quitting
extern HGLRC glContext;               // the OpenGL context on mainDC

// Help dialog, created hidden before wWinMain runs.
extern HWND helpDialog;
extern int helpOpen;      // 1 while the dialog is shown
extern int focusRestore;  // 1: just closed, the game window takes the keyboard back; 2: done

// Loop and quitting.
extern bool loopRunning;  // the loop runs while true; only the quit sequence clears it
extern int quitRequested; // 1 once quitting: no more frames
extern int quitArmed;     // 1 until the quit sequence has run, then 2

// Start-up up to the loop: cursor, strings, window class, window, rendering
// context, first render state, show, accelerators. False when no window.
bool StartUp(HINSTANCE instance, int showCommand, HACCEL* accelerators);

// The polling loop: one message per pass, then a frame. Returns the exit code.
int RunMainLoop(HACCEL accelerators);

// One pass of the loop: gate open, at most one message, gate closed, frame.
void RunLoopPass(MSG* message, HACCEL accelerators);

// Stops the game and releases everything, once; later calls do nothing.
void RunQuitSequence(HWND window);

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the help dialog with both texts and the cursor (the M key).
void ShowHelpDialog();
