// main_loop.cpp -- the desktop side of the loop: which SDL events take a pass, and the quit sequence's releases
#include "platform/desktop/shell.h"
#include "game/platform.h"

int exitCode = 0;

namespace {

// Whether Windows would post this input as a message of its own, which the
// loop takes in a pass of its own: key downs and ups, the character a key
// types, mouse buttons and wheel, pointer motion. Window activation, focus,
// exposure and close requests arrive there as sent messages, and device
// notices not at all; they take no pass.
bool TakesAPass(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_TEXTINPUT:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
        return true;
    default:
        return false;
    }
}

}  // namespace

int KeepOnePointerMotion(void* /*unused*/, SDL_Event* event)
{
    return event->type != SDL_MOUSEMOTION ||
           SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION) == 0;
}

void TakeOneEvent()
{
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        HandleEvent(event);
        if (TakesAPass(event) || quitRequested != 0) {
            return;
        }
    }
}

void RunQuitSequence(int code)
{
    if (!BeginQuitSequence()) {
        return;
    }
    exitCode = code;
    SDL_EnableScreenSaver();
    PlatformStopMusic();
    CloseHelpBox();
    SDL_GL_MakeCurrent(mainWindow, nullptr);
    SDL_GL_DeleteContext(glContext);
    SDL_DestroyWindow(mainWindow);
}
