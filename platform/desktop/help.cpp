// help.cpp -- the game's side of the "MENU" help box: starts the box's process, watches it close, takes it away
//
// The box is a window of its own, drawn by a second process of this program
// (help_box.cpp), so the game plays on behind it as behind the modeless
// Windows dialog and needs nothing from the display to watch it: each pass
// asks the kernel alone whether the box has closed, and quitting takes the box
// with it.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <SDL_syswm.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "game/platform.h"
#include "platform/desktop/shell.h"

extern char** environ;

namespace {

// The game window's X11 id, which the box is parented to; 0 elsewhere.
std::uintptr_t GameWindowId()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(desktop.window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
        return info.info.x11.window;
    }
    return 0;
}

}  // namespace

void PlatformShowHelp()
{
    std::string parent = std::to_string(GameWindowId());
    std::string game = std::to_string(getpid());
    std::string program = "KestrelForges";
    std::string option = "--help-box";
    // The box opens on the game's display through the same video driver:
    // left to choose, SDL may take one that shows nothing.
    const char* current = SDL_GetCurrentVideoDriver();
    std::string driver = current != nullptr ? current : "";
    char* arguments[] = {program.data(), option.data(), parent.data(), game.data(), driver.data(), nullptr};
    const int failed = posix_spawn(&desktop.boxProcess, "/proc/self/exe", nullptr, nullptr, arguments, environ);
    if (failed != 0) {
        desktop.boxProcess = 0;
        std::fprintf(stderr, "KestrelForges: cannot show the help box: no process for it\n");
        return;
    }
    helpOpen = 1;
}

void WatchHelp()
{
    // The box's process ends when OK or its close box closes it, or when it
    // could not show the box, which it has said on stderr; M works again.
    if (desktop.boxProcess != 0 && waitpid(desktop.boxProcess, nullptr, WNOHANG) == desktop.boxProcess) {
        desktop.boxProcess = 0;
        NoteHelpClosed();
    }
}

void CloseHelp()
{
    if (desktop.boxProcess == 0) {
        return;
    }
    kill(desktop.boxProcess, SIGKILL);
    waitpid(desktop.boxProcess, nullptr, 0);
    desktop.boxProcess = 0;
}
