// main_loop.cpp -- the desktop side of the loop: which SDL events take a pass, and the quit sequence's releases
#include "platform/desktop/shell.h"
#include "game/platform.h"

int exitCode = 0;

namespace {

// Whether Windows would post this input as a message of its own, which the
// loop takes in a pass of its own: key downs and ups, the character a key
// types, mouse buttons and wheel, pointer motion; pad buttons and sticks are
// input of the same kind. Window activation, focus, exposure and close
// requests arrive there as sent messages, and device notices not at all; they
// take no pass.
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
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
        return true;
    default:
        return false;
    }
}

}  // namespace

int KeepOneMotion(void* /*unused*/, SDL_Event* event)
{
    const Uint32 type = event->type;
    if (type != SDL_MOUSEMOTION && type != SDL_CONTROLLERAXISMOTION) {
        return 1;
    }
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, type, type) == 0 ? 1 : 0;
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
    // No input this pass: a held pad direction may be due to repeat.
    ReadPadsForThePass();
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
