// swap_clock.cpp -- preloaded into the desktop game by its benchmark: the monotonic time of every presented frame
//
// Declares the one SDL function it wraps by hand, so no SDL header leaves the
// desktop shell's folder.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

using SwapFunction = void (*)(void*);

SwapFunction realSwap = nullptr;
std::FILE* swapLog = nullptr;

}  // namespace

extern "C" void SDL_GL_SwapWindow(void* window)
{
    if (realSwap == nullptr) {
        realSwap = reinterpret_cast<SwapFunction>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
        const char* path = std::getenv("KESTREL_SWAP_LOG");
        swapLog = path != nullptr ? std::fopen(path, "w") : nullptr;
    }
    realSwap(window);
    if (swapLog != nullptr) {
        timespec now = {};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::fprintf(swapLog, "%lld.%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
        std::fflush(swapLog);
    }
}
