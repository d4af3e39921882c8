// shell.h -- the desktop shell: its one state record, and its start-up, loop, input, help and audio
#pragma once

#include <SDL.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "game/help_state.h"
#include "game/main_loop.h"

// The tune, loaded once; the device exists only while it plays, so a stop
// leaves the sound system with nothing to mix.
struct TunePlayer {
    SDL_AudioSpec format;     // the file's own format; SDL converts for the device
    Uint8* bytes;             // the whole file's samples, null when silent
    Uint32 length;            // bytes in the file
    Uint32 position;          // next byte to play; back to 0 at every start
    SDL_AudioDeviceID device; // 0 while stopped
    bool reported;            // the one line about silence is written
};

// Everything the desktop shell keeps.
struct DesktopShell {
    SDL_Window* window;                      // borderless full screen, or the --window size
    SDL_GLContext context;                   // compatibility context, current on window
    int exitCode;                            // what main returns once the loop has ended
    pid_t boxProcess;                        // the help box's process; 0 while no box is shown
    std::vector<SDL_GameController*> pads;   // the pads plugged in
    TunePlayer tune;
    int recordFile;                          // the --record file, -1 when none
    std::string recordPath;                  // its name as given
    long recordKeys;                         // keys written to it
    bool recordBroken;                       // a write to it failed
};

extern DesktopShell desktop;

// Start-up (startup.cpp).

// What the command line asks for.
struct CommandLine {
    int width;               // window size; 0 x 0 is the whole desktop
    int height;
    const char* recordPath;  // --record FILE, or null
    const char* playPath;    // --play FILE, or null
};

// Reads the command line: any of --window WIDTHxHEIGHT, --play FILE and
// --record FILE, each at most once. False on anything else.
bool ParseCommandLine(int argc, char** argv, CommandLine* request);

// Video, window, OpenGL context, first render state, hidden cursor, no
// screensaver, the tune. False when no window or no context could be made.
bool StartUp(const CommandLine& request);

// The loop (main_loop.cpp): passes until quitting; returns the exit code.
// Quitting is PlatformQuit (game/platform.h).
int RunMainLoop();

// Input (input.cpp): the pass's input. Every SDL event that has arrived joins
// the game's key queue as the input Windows would have posted for it (a key,
// the character it types, a click, pointer motion; window events take no
// pass, and a close request from outside quits at once, as the one Windows
// sends does); the pads are read; then the oldest input waiting is taken.
void TakeOneInput();

// Help (help.cpp): the "MENU" box is PlatformShowHelp (game/platform.h). Once
// a pass: notes the box closed by OK or its close box, or unable to show (the
// frame's tail then hands the keyboard back). Asks the kernel only, never the
// display.
void WatchHelp();

// Takes the help box away with the game (the quit sequence).
void CloseHelp();

// The help box's own process: `--help-box <parent window> <game process> <video driver>`.
// Draws the box and takes the keyboard; returns 0 once closed, 1 when the box
// could not be shown, which it says in one line on stderr.
int RunHelpBoxProcess(const char* parentWindow, const char* gameProcess, const char* videoDriver);

// Records (record.cpp): a run's keys as the core takes them, written to a
// file, and a recorded run played from one. Each says what went wrong in one
// line on stderr and returns false.
bool LoadPlayback(const char* path);
bool StartRecording(const char* path);
// Once the game has ended: the record's closing line, and where it is.
void FinishRecording();

// Audio (platform.cpp): loads gamesound.wav and opens nothing yet; says so
// once on stderr when the game will be silent. Starting and stopping the tune
// are the frame's platform calls.
void LoadMusic();
