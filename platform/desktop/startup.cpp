// startup.cpp -- the command line, the game window, its OpenGL context and the first render state
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/desktop/shell.h"
#include "render/scene_setup.h"

DesktopShell desktop = {nullptr, nullptr, 0, 0, {}, {}, -1, {}, 0, false};

namespace {

// Largest side accepted by --window; SDL and X refuse far smaller sizes anyway.
constexpr long LargestSide = 16384;

// A positive decimal number of at most LargestSide, digits only; 0 otherwise.
int ParseSide(const char* text, const char* end)
{
    if (text == end || end - text > 5) {
        return 0;
    }
    long value = 0;
    for (const char* c = text; c != end; ++c) {
        if (*c < '0' || *c > '9') {
            return 0;
        }
        value = value * 10 + (*c - '0');
    }
    return value <= LargestSide ? static_cast<int>(value) : 0;
}

void RequestContext()
{
    // Immediate mode needs the compatibility profile, never a core one.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    // A deep depth buffer for the long road and the far hills.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

}  // namespace

bool ParseCommandLine(int argc, char** argv, CommandLine* request)
{
    for (int i = 1; i < argc; i += 2) {
        const char* option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (value == nullptr) {
            return false;
        }
        if (std::strcmp(option, "--window") == 0 && request->width == 0) {
            const char* cross = std::strchr(value, 'x');
            if (cross == nullptr) {
                return false;
            }
            request->width = ParseSide(value, cross);
            request->height = ParseSide(cross + 1, cross + std::strlen(cross));
            if (request->width == 0 || request->height == 0) {
                return false;
            }
        } else if (std::strcmp(option, "--record") == 0 && request->recordPath == nullptr && *value != '\0') {
            request->recordPath = value;
        } else if (std::strcmp(option, "--play") == 0 && request->playPath == nullptr && *value != '\0') {
            request->playPath = value;
        } else {
            return false;
        }
    }
    return true;
}

bool StartUp(const CommandLine& request)
{
    // The game keeps running behind the help box: a full-screen window must
    // not minimise when the box takes the focus.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "KestrelForges: no display: %s\n", SDL_GetError());
        return false;
    }
    RequestContext();

    // Full screen at the desktop's own size: created at 0 x 0, a window stays
    // black on a display without a window manager.
    Uint32 flags = SDL_WINDOW_OPENGL;
    int width = request.width;
    int height = request.height;
    int position = SDL_WINDOWPOS_CENTERED;
    if (width == 0) {
        SDL_DisplayMode screen;
        if (SDL_GetDesktopDisplayMode(0, &screen) != 0) {
            std::fprintf(stderr, "KestrelForges: no desktop mode: %s\n", SDL_GetError());
            return false;
        }
        width = screen.w;
        height = screen.h;
        position = SDL_WINDOWPOS_UNDEFINED_DISPLAY(0);
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    desktop.window = SDL_CreateWindow("Kestrel Forges", position, position, width, height, flags);
    if (desktop.window == nullptr) {
        std::fprintf(stderr, "KestrelForges: no window: %s\n", SDL_GetError());
        return false;
    }
    desktop.context = SDL_GL_CreateContext(desktop.window);
    if (desktop.context == nullptr) {
        std::fprintf(stderr, "KestrelForges: no OpenGL context: %s\n", SDL_GetError());
        return false;
    }
    SDL_GL_MakeCurrent(desktop.window, desktop.context);
    // Frames are paced by the frame sleep alone, as on Windows.
    SDL_GL_SetSwapInterval(0);

    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GL_GetDrawableSize(desktop.window, &drawableWidth, &drawableHeight);
    SetUpRenderContext(drawableWidth, drawableHeight);

    // Pads plugged in now or later arrive as device events, mapped by SDL's
    // own controller database (and SDL_GAMECONTROLLERCONFIG).
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "KestrelForges: no game pads: %s\n", SDL_GetError());
    }
    SDL_ShowCursor(SDL_DISABLE);
    // Keep the display awake while the game runs; quitting allows it again.
    SDL_DisableScreenSaver();
    LoadMusic();
    return true;
}
