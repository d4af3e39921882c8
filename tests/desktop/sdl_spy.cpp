// sdl_spy.cpp -- preloaded into the desktop game by its tests: logs every presented frame's time
//
// KESTREL_SWAP_LOG: one monotonic time in seconds per SDL_GL_SwapWindow.
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
