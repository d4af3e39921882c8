// help.cpp -- the "MENU" help box: SDL's message box in a process of its own, beside the running game
//
// SDL's message box holds its caller until a button is pressed, and nothing
// else reaches the caller meanwhile, not even a close request or SIGTERM. So
// the game starts this program again as the box, parented to the game window,
// and plays on behind it, as behind the modeless Windows dialog: each pass
// looks whether the box has closed, and quitting takes the box with it. A
// game that dies without quitting takes the box too: the box's process asks
// the kernel for a signal when its parent goes.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <SDL_syswm.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/help_text.h"
#include "platform/desktop/shell.h"

extern char** environ;

namespace {

// The box's process, leader of a process group of its own (SDL shows the box
// from a child of it); 0 while no box is shown.
pid_t boxProcess = 0;

// The box is shown but has not been given the keyboard yet.
bool boxWantsKeyboard = false;

// SDL's X11 message box breaks lines only at line feeds; the Windows dialog
// wraps its texts at word boundaries, so the box gets the same words wrapped.
constexpr size_t HelpLineLength = 90;

void AppendWrapped(std::string* message, const char* text)
{
    std::string line;
    std::string word;
    const auto flushWord = [&]() {
        if (!line.empty() && line.size() + 1 + word.size() > HelpLineLength) {
            *message += line + "\n";
            line.clear();
        }
        line += line.empty() ? word : " " + word;
        word.clear();
    };
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == ' ') {
            flushWord();
        } else {
            word += *c;
        }
    }
    flushWord();
    *message += line;
}

// The game window's X11 id, which the box is parented to; 0 elsewhere.
std::uintptr_t GameWindowId()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(mainWindow, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
        return info.info.x11.window;
    }
    return 0;
}

bool StartBoxProcess()
{
    std::string parent = std::to_string(GameWindowId());
    std::string game = std::to_string(getpid());
    std::string program = "KestrelForges";
    std::string option = "--help-box";
    char* arguments[] = {program.data(), option.data(), parent.data(), game.data(), nullptr};
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    const int failed = posix_spawn(&boxProcess, "/proc/self/exe", nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) {
        boxProcess = 0;
        std::fprintf(stderr, "KestrelForges: cannot show the help box\n");
        return false;
    }
    return true;
}

// An X error (the box gone between the look and the call) must not end the
// game, as Xlib's own handler would.
int IgnoreXError(Display* /*display*/, XErrorEvent* /*error*/)
{
    return 0;
}

// The box's X11 window: the viewable top-level window that names the game
// window as its owner; 0 while there is none.
Window FindBoxWindow(Display* display, Window game)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window box = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return 0;
    }
    for (unsigned i = 0; i < count && box == 0; ++i) {
        Window owner = 0;
        XWindowAttributes attributes;
        if (XGetTransientForHint(display, children[i], &owner) != 0 && owner == game &&
            XGetWindowAttributes(display, children[i], &attributes) != 0 && attributes.map_state == IsViewable) {
            box = children[i];
        }
    }
    XFree(children);
    return box;
}

// Gives the box the keyboard once it is on the screen, as a dialog shown on
// Windows takes it; a window manager would too, but without one nothing else
// does. True once done, or where there is nothing to do (not X11).
bool GiveBoxTheKeyboard()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(mainWindow, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return true;
    }
    Display* display = info.info.x11.display;
    XSync(display, False);
    const XErrorHandler previous = XSetErrorHandler(IgnoreXError);
    const Window box = FindBoxWindow(display, info.info.x11.window);
    if (box != 0) {
        XSetInputFocus(display, box, RevertToParent, CurrentTime);
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    return box != 0;
}

// The game is gone: the box's whole group goes, SDL's box process included,
// which the kernel's parent-death signal alone would leave behind.
void EndBoxWithGame(int /*signal*/)
{
    kill(0, SIGKILL);
}

}  // namespace

void ShowHelpBox()
{
    if (!StartBoxProcess()) {
        return;
    }
    helpOpen = 1;
    boxWantsKeyboard = true;
}

void WatchHelpBox()
{
    if (boxProcess == 0) {
        return;
    }
    // The box's process ends when OK or its close box closes it.
    if (waitpid(boxProcess, nullptr, WNOHANG) == boxProcess) {
        boxProcess = 0;
        NoteHelpClosed();
        return;
    }
    if (boxWantsKeyboard) {
        boxWantsKeyboard = !GiveBoxTheKeyboard();
    }
}

void CloseHelpBox()
{
    if (boxProcess == 0) {
        return;
    }
    kill(-boxProcess, SIGKILL);
    waitpid(boxProcess, nullptr, 0);
    boxProcess = 0;
}

int RunHelpBoxProcess(const char* parentWindow, const char* gameProcess)
{
    // SIGKILL, a crash or the OOM killer give the game no quit sequence to
    // take the box with it, so the box watches for the game's end itself. A
    // game that died before the watch began is no longer the box's parent.
    signal(SIGHUP, EndBoxWithGame);
    prctl(PR_SET_PDEATHSIG, SIGHUP);
    if (std::to_string(getppid()) != gameProcess) {
        return 0;
    }
    SDL_Window* parent = nullptr;
    const auto parentId = static_cast<std::uintptr_t>(std::strtoull(parentWindow, nullptr, 10));
    if (parentId != 0 && SDL_Init(SDL_INIT_VIDEO) == 0) {
        parent = SDL_CreateWindowFrom(reinterpret_cast<const void*>(parentId));
    }
    std::string message;
    AppendWrapped(&message, UpperHelpText);
    message += "\n\n";
    AppendWrapped(&message, LowerHelpText);
    // No key defaults: Enter and Escape leave the box open, only OK and the
    // close box close it.
    const SDL_MessageBoxButtonData ok = {0, 1, "OK"};
    const SDL_MessageBoxData box = {SDL_MESSAGEBOX_INFORMATION, parent, HelpCaption, message.c_str(), 1, &ok,
                                    nullptr};
    int pressed = 0;
    SDL_ShowMessageBox(&box, &pressed);
    SDL_Quit();
    return 0;
}
