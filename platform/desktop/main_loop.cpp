// main_loop.cpp -- the desktop loop: the help box watched and one input taken a pass, and the quit sequence's releases
#include "game/platform.h"
#include "platform/desktop/shell.h"

namespace {

void TakePassInput()
{
    WatchHelp();
    TakeOneInput();
}

}  // namespace

int RunMainLoop()
{
    // No first message to wait for and drop: the first pass runs at once.
    RunLoop(TakePassInput);
    return desktop.exitCode;
}

void PlatformQuit(int exitCode)
{
    if (!BeginQuitSequence()) {
        return;
    }
    desktop.exitCode = exitCode;
    SDL_EnableScreenSaver();
    PlatformStopMusic();
    CloseHelp();
    SDL_GL_MakeCurrent(desktop.window, nullptr);
    SDL_GL_DeleteContext(desktop.context);
    SDL_DestroyWindow(desktop.window);
}
