// sdl_spy.cpp -- preloaded into the desktop game by its tests: logs every presented frame's time and every message box
//
// KESTREL_SWAP_LOG: one monotonic time in seconds per SDL_GL_SwapWindow.
// KESTREL_MESSAGE_BOX_LOG: per SDL_ShowMessageBox, its title, parent, buttons
// and message, as the box gets them.
#include <SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

std::FILE* OpenLog(const char* variable)
{
    const char* path = std::getenv(variable);
    return path != nullptr ? std::fopen(path, "w") : nullptr;
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window)
{
    using Swap = void (*)(SDL_Window*);
    static const auto realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    static std::FILE* const swapLog = OpenLog("KESTREL_SWAP_LOG");
    realSwap(window);
    if (swapLog != nullptr) {
        timespec now = {};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::fprintf(swapLog, "%lld.%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
        std::fflush(swapLog);
    }
}

extern "C" int SDL_ShowMessageBox(const SDL_MessageBoxData* box, int* buttonId)
{
    using Show = int (*)(const SDL_MessageBoxData*, int*);
    static const auto realShow = reinterpret_cast<Show>(dlsym(RTLD_NEXT, "SDL_ShowMessageBox"));
    static std::FILE* const boxLog = OpenLog("KESTREL_MESSAGE_BOX_LOG");
    if (boxLog != nullptr) {
        std::fprintf(boxLog, "title=%s\nparented=%d\nbuttons=%d\n", box->title, box->window != nullptr ? 1 : 0,
                     box->numbuttons);
        for (int i = 0; i < box->numbuttons; ++i) {
            std::fprintf(boxLog, "button=%s\n", box->buttons[i].text);
        }
        std::fprintf(boxLog, "message=%s\n.\n", box->message);
        std::fflush(boxLog);
    }
    return realShow(box, buttonId);
}
