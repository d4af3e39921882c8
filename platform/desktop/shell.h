// shell.h -- the desktop shell's shared state: window, context, exit code, the help box, the tune
#pragma once

#include <SDL.h>

#include "game/help_state.h"
#include "game/main_loop.h"

// Window and rendering context, acquired once at start-up.
extern SDL_Window* mainWindow;   // borderless full screen, or the --window size
extern SDL_GLContext glContext;  // compatibility context, current on mainWindow

// What main returns once the loop has ended: Escape's code, or 0 after a close
// request, as the Windows game's last message gives it.
extern int exitCode;

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

// The pass's input: SDL events are taken until one that Windows would have
// posted as a message of its own (a key, a click, typed text, a pointer move),
// which ends the pass's input; window events and close requests take no pass.
void TakeOneEvent();

// SDL's event filter: the queue keeps what Windows keeps. SDL queues every
// pointer motion, Windows keeps at most one mouse-move message pending, and so
// does the game, for the pointer and for pad sticks alike. SDL queues every
// auto-repeat of a held key, Windows folds a repeat into the key's key-down
// still waiting, and so does the game (with the character the repeat types):
// a held key never builds a backlog, and a fresh press is never dropped.
// Returns 0 to drop.
int FoldQueuedInput(void* unused, SDL_Event* event);

// One event: keys through the key table, pads plugged in and out, pad buttons
// and sticks read, close requests to quitting.
void HandleEvent(const SDL_Event& event);

// Reads the open pads; the game keys they make wait in order, and the pass
// presses the first one waiting.
void ReadPadsForThePass();

// Presses the oldest pad key still waiting, if any: two buttons that go down
// together give one key a pass each, as two key presses do. False if none waits.
bool PressWaitingPadKey();

// The quit sequence with the code main returns: stops the game and releases
// everything, once; later calls do nothing.
void RunQuitSequence(int code);

// Shows the "MENU" help box over the game window and returns: the game plays
// on behind it, as behind the Windows dialog.
void ShowHelpBox();

// Once a pass: notes the box closed by OK or its close box, or unable to show
// (the frame's tail then hands the keyboard back). Asks the kernel only, never
// the display.
void WatchHelpBox();

// Takes the help box away with the game (the quit sequence).
void CloseHelpBox();

// The help box's own process: `--help-box <parent window> <game process> <video driver>`.
// Draws the box and takes the keyboard; returns 0 once closed, 1 when the box
// could not be shown, which it says in one line on stderr.
int RunHelpBoxProcess(const char* parentWindow, const char* gameProcess, const char* videoDriver);

// Loads gamesound.wav and opens nothing yet; says so once on stderr when the
// game will be silent.
void LoadMusic();
