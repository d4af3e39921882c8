// shell.h -- the desktop shell's shared state: window, context, quitting, focus after the help box
#pragma once

#include <SDL.h>

// Window and rendering context, acquired once at start-up.
extern SDL_Window* mainWindow;     // borderless full screen, or the --window size
extern SDL_GLContext glContext;    // compatibility context, current on mainWindow

// Help box and keyboard.
extern int focusRestore;  // 1: the help box just closed, the game window takes the keyboard back; 2: done

// Loop and quitting.
extern bool loopRunning;   // the loop runs while true; only the quit sequence clears it
extern int quitRequested;  // 1 once quitting: no more frames
extern int quitArmed;      // 1 until the quit sequence has run, then 2
extern int exitCode;       // 27 after Escape, 0 after a close request

// Window size asked for on the command line; 0 x 0 is the whole desktop.
struct WindowRequest {
    int width;
    int height;
};

// Reads the command line: none, or --window WIDTHxHEIGHT. False on anything else.
bool ParseCommandLine(int argc, char** argv, WindowRequest* request);

// Video, window, OpenGL context, first render state, hidden cursor, no
// screensaver, the tune. False when no window or no context could be made.
bool StartUp(const WindowRequest& request);

// Loads gamesound.wav and opens nothing yet; says so once on stderr when the
// game will be silent.
void LoadMusic();

// Stops the game and releases everything, once; later calls do nothing.
void RunQuitSequence(int code);

// One event: keys through the key table, close requests to quitting.
void HandleEvent(const SDL_Event& event);
