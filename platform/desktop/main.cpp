// main.cpp -- the Linux desktop game's entry point
//
// Platform: Linux (X11, or Wayland through SDL) with SDL2 2.26, linked
// dynamically: an OpenGL compatibility context, SDL audio for the tune, SDL's
// game controllers for pads, SDL's software renderer for the help box, which
// draws its texts with a font of its own, and Xlib to mark the box as the game
// window's. Differs from the Windows game: game
// pads play it too, one key a pass like a key; the help box runs as a second
// process of this program, so the game plays on behind it; the loop starts
// without waiting for a first event; the tune is looked up beside the
// executable, then in the installed data folder
// ../share/games/kestrel-forges, then in the current folder, and a missing
// tune or sound device is reported in one line on stderr; --record FILE
// writes the game's keys as the core takes them, and --play FILE plays a
// recorded run (a bad record exits with 2). As there: one input
// event per loop pass (pointer motion coalesced to one pending, a held key's
// repeats folded into its key-down still waiting, window events taking no
// pass), the game plays on behind the help box, which takes the keyboard until
// a click on the game gives it back, Alt combinations are not game keys,
// Escape exits with 27 and a close request with 0.
#include <malloc.h>

#include <cstdio>
#include <cstring>

#include "platform/desktop/shell.h"

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
    if (argc == 5 && std::strcmp(argv[1], "--help-box") == 0) {
        return RunHelpBoxProcess(argv[2], argv[3], argv[4]);
    }
    CommandLine request = {0, 0, nullptr, nullptr};
    if (!ParseCommandLine(argc, argv, &request)) {
        std::fprintf(stderr, "usage: %s [--window WIDTHxHEIGHT] [--play FILE] [--record FILE]\n",
                     argc > 0 ? argv[0] : "KestrelForges");
        return 2;
    }
    // The record to play is read whole before anything else: a bad one plays nothing.
    if (request.playPath != nullptr && !LoadPlayback(request.playPath)) {
        return 2;
    }
    if (request.recordPath != nullptr && !StartRecording(request.recordPath)) {
        return 2;
    }
    KeepFrameBuffersInHeap();
    if (!StartUp(request)) {
        SDL_Quit();
        return 1;
    }
    // The quit sequence releases the window, the context and the sound; the
    // rest of SDL ends with the process, its libraries still loaded.
    const int exitCode = RunMainLoop();
    FinishRecording();
    return exitCode;
}
