// desktop_main.cpp -- the Linux desktop game: entry point, polling loop and quit sequence on SDL2
//
// Platform: Linux (X11 or Wayland) through SDL2 2.26, linked dynamically; OpenGL
// compatibility context through SDL, music through SDL audio.
// Differs from the Windows game: the help box is SDL's message box and modal
// (frames wait while it is open); the loop starts without waiting for a first
// event; the tune is looked up beside the executable before the current folder,
// and a missing tune or sound device is reported in one line on stderr. As
// there: Escape exits with 27, a close request with 0.
#include <malloc.h>

#include <cstdio>

#include "game/frame.h"
#include "game/key_latch.h"
#include "game/platform.h"
#include "platform/desktop/shell.h"

bool loopRunning = true;
int quitRequested = 0;
int quitArmed = 1;
int exitCode = 0;

namespace {

// One pass: gate open, at most one event, gate closed, then the frame.
void RunLoopPass()
{
    InputGate = GateOpen;
    SDL_Event event;
    if (SDL_PollEvent(&event) != 0) {
        HandleEvent(event);
    }
    InputGate = GateClosed;
    // The quit sequence may have run inside the event and released the context.
    if (quitRequested == 0) {
        RenderFrame();
    }
}

}  // namespace

void RunQuitSequence(int code)
{
    if (quitArmed != 1) {
        return;
    }
    quitArmed = 2;
    loopRunning = false;
    quitRequested = 1;
    exitCode = code;
    SDL_EnableScreenSaver();
    PlatformStopMusic();
    SDL_GL_MakeCurrent(mainWindow, nullptr);
    SDL_GL_DeleteContext(glContext);
    SDL_DestroyWindow(mainWindow);
}

namespace {

// Mesa's software rasterizer frees and takes back screen-sized buffers every
// frame. Left to the C library they go back to the kernel each time and come
// back as fresh pages to fault in and zero: at 1920x1080 that cost most of a
// title frame. Kept in the heap, they are reused as they are.
void KeepFrameBuffersInHeap()
{
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

}  // namespace

int main(int argc, char** argv)
{
    WindowRequest request = {0, 0};
    if (!ParseCommandLine(argc, argv, &request)) {
        std::fprintf(stderr, "usage: %s [--window WIDTHxHEIGHT]\n", argc > 0 ? argv[0] : "KestrelForges");
        return 2;
    }
    KeepFrameBuffersInHeap();
    if (!StartUp(request)) {
        SDL_Quit();
        return 1;
    }
    while (loopRunning) {
        RunLoopPass();
    }
    // The quit sequence has released the window, the context and the sound;
    // the rest of SDL ends with the process, its libraries still loaded.
    return exitCode;
}
