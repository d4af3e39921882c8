// shell.h -- the browser shell's shared state and the page functions it calls
#pragma once

#include "game/help_state.h"
#include "game/help_text.h"
#include "game/key_table.h"
#include "game/main_loop.h"
#include "game/run_record.h"

// One corner as WebGL receives it: clip coordinates, then the colour in 8-bit
// levels, the levels the frame buffer stores.
struct WebVertex {
    float clip[4];
    unsigned char colour[4];
};
static_assert(sizeof(WebVertex) == 20, "WebGL reads corners 20 bytes apart");

// Page functions (page.js): the WebGL context, the tune, the help dialog and
// the end of the game.
extern "C" {
// Lets the page's first click, touch or key press unblock audio.
void WebUnblockAudioOnGesture();
// Makes the canvas fill the window and creates its WebGL context; writes the
// drawing size. False when the browser gives no WebGL.
bool WebCreateContext(int* width, int* height);
// The page's line for a browser that gives no WebGL.
void WebShowNoWebGL();
// Draws `count` corners as triangles, blending them when `blend` is 1.
void WebDrawTriangles(const WebVertex* vertices, int count, int blend);
void WebSetCapability(int capability, int on);
void WebBlendFunc(int source, int destination);
void WebDepthFunc(int function);
void WebDepthMask(int flag);
void WebDepthRange(float zNear, float zFar);
void WebClearColor(float red, float green, float blue, float alpha);
void WebClearDepth(float depth);
void WebClear(int mask);
void WebViewport(int x, int y, int width, int height);

// Starts the tune looping, or as soon as the browser lets audio play (the
// page lets it at the player's first click, touch or key press).
void WebStartMusic();
void WebStopMusic();

// Shows the help dialog with its caption and two texts and gives its OK button
// the focus; the button calls WebHelpClosed.
void WebShowHelp(const char* caption, const char* upper, const char* lower);
// The pads' controls held now, a bit (1 << PadControl) each, and the left
// stick's x written to stickX.
unsigned WebReadGamepads(float* stickX);
// Shows the touch buttons from the first touch and makes their presses game keys.
void WebListenForTouch();
// 1 while the keyboard focus is inside the help dialog.
int WebDialogHasFocus();
// Presses the button that has the focus, as Space does.
void WebPressFocusedButton();
// Gives the keyboard back to the game canvas.
void WebFocusGame();
// The page's one line after quitting.
void WebShowEnded();
// The part of the page's address after "#run=", in memory the caller frees;
// null when the address names no run.
char* WebLinkedRun();
// Shows a line about a shared run beside the game, outside its picture; ""
// takes it away.
void WebShowRunNote(const char* text);
// Offers the current game's record: a link to copy and a file to save.
void WebOfferShare();
}

// Draws what opengl.cpp still holds for this frame.
void WebFinishFrame();

// Watches each pass once it is done, told when it began (ms, the page clock)
// and whether it took an input. Only the test build has a watcher, its probe
// (probe.cpp, which tests read); the release page has none.
using PassWatcher = void (*)(double passStart, bool inputTaken);

// Everything the browser shell keeps.
struct WebShell {
    unsigned padsHeld;        // the pads' controls held at the last reading, a bit (1 << PadControl) each
    bool inputTaken;          // the pass being run took an input
    PassWatcher passWatcher;  // the test build's probe; null on the release page
    RunRecord record;         // the current game's keys, as the core took them
    bool playing;             // a linked run is playing
    bool shareOffered;        // the record is offered
};

extern WebShell web;

// Start-up (startup.cpp): canvas, WebGL context, first render state, audio
// unblocking and input. False, with the page's line, without WebGL.
bool StartUp();

// The loop (main_loop.cpp): a pass per timer tick, 34 ms after the last one's
// work (the frame sleep). Quitting is PlatformQuit (game/platform.h).
void RunMainLoop();
void RunPassOnTimer(void* unused);
void ScheduleNextPass();

// Input (input.cpp): the page's key presses and touches join the game's key
// queue as they come.
void ListenForInput();
// The pass's input: the pads are read (their keys join the queue, or while
// the help dialog has the keys, go to the dialog), then the oldest key
// waiting is taken.
void TakeOneInput();

// Records (record.cpp): the current game's record kept from the first pass,
// and the run the page's address links to, played.
void StartRecord();
// After every pass: a linked run that has ended hands back to the player, and
// a run or game that has ended offers its record.
void WatchRecord();

// Help (help.cpp): the "MENU" dialog is PlatformShowHelp (game/platform.h);
// its OK button calls WebHelpClosed.
