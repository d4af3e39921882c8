// empty_sdl_window.cpp -- the desktop benchmark's memory baseline: an SDL2 OpenGL window made like the game's, drawing nothing
//
// Same video start, context attributes and full-screen window as the game; each
// frame only clears to the sky and presents, then sleeps 34 ms. Ends on any key
// or close request.
#include <chrono>
#include <thread>

#include <SDL.h>
#include <SDL_opengl.h>

int main(int /*argc*/, char** /*argv*/)
{
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_DisplayMode desktop;
    SDL_GetDesktopDisplayMode(0, &desktop);
    SDL_Window* window = SDL_CreateWindow("Empty Window", SDL_WINDOWPOS_UNDEFINED_DISPLAY(0),
                                          SDL_WINDOWPOS_UNDEFINED_DISPLAY(0), desktop.w, desktop.h,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (window == nullptr) {
        return 1;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        return 1;
    }
    SDL_GL_SetSwapInterval(0);
    glClearColor(0.0F, 0.91F, 1.0F, 1.0F);
    glViewport(0, 0, desktop.w, desktop.h);
    bool running = true;
    while (running) {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            running = running && event.type != SDL_KEYDOWN && event.type != SDL_QUIT;
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapWindow(window);
        std::this_thread::sleep_for(std::chrono::milliseconds(34));
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    return 0;
}
