// web_shell.h -- the browser shell's shared state and the page functions it calls
#pragma once

// One corner as WebGL receives it: clip coordinates, then the colour in 8-bit
// levels, the levels the frame buffer stores.
struct WebVertex {
    float clip[4];
    unsigned char colour[4];
};
static_assert(sizeof(WebVertex) == 20, "WebGL reads corners 20 bytes apart");

// Page functions (web_page.js): the WebGL context, the tune, the help dialog
// and the end of the game.
extern "C" {
// Makes the canvas fill the window and creates its WebGL context; writes the
// drawing size. False when the browser gives no WebGL.
bool WebCreateContext(int* width, int* height);
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

// Ends a loop pass begun at passStart (ms, the page clock): notes its work for
// the bench; bench pages first wait until WebGL has drawn it.
void WebFrameDone(double passStart);

// Starts the tune looping, or as soon as the browser lets audio play.
void WebStartMusic();
void WebStopMusic();
// A key press is a user gesture: lets a tune that was blocked start.
void WebUnblockMusic();

// Shows the help dialog with its caption and two texts; its OK button calls
// WebHelpClosed.
void WebShowHelp(const char* caption, const char* upper, const char* lower);
// Gives the keyboard back to the game canvas.
void WebFocusGame();
// The page's one line after quitting.
void WebShowEnded();
}

// Draws what web_gl.cpp still holds for this frame.
void WebFinishFrame();

// Help dialog state, as in the Windows game.
extern int helpOpen;      // 1 while the dialog is shown
extern int focusRestore;  // 1: just closed, the canvas takes the keyboard back; 2: done

// The frame sleep: schedules the next loop pass 34 ms from now, while the loop runs.
void ScheduleNextPass();

// Loop state.
extern bool loopRunning;    // passes are scheduled while true; only quitting clears it
extern int framesDrawn;     // frames presented since the page loaded
