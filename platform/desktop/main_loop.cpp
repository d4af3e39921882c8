// main_loop.cpp -- the desktop side of the loop: which SDL events take a pass, what SDL's queue keeps, and the quit sequence's releases
#include <algorithm>
#include <vector>

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

// Whether a key-down of this key still waits in SDL's queue for its pass.
bool KeyDownWaiting(SDL_Scancode key)
{
    const int count = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN);
    std::vector<SDL_Event> waiting(static_cast<size_t>(std::max(count, 0)));
    const int read = SDL_PeepEvents(waiting.data(), count, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN);
    waiting.resize(static_cast<size_t>(std::clamp(read, 0, count)));
    return std::any_of(waiting.begin(), waiting.end(),
                       [key](const SDL_Event& down) { return down.key.keysym.scancode == key; });
}

// The last event the filter saw was a folded repeat: the character it types goes with it.
bool repeatFolded = false;

}  // namespace

int FoldQueuedInput(void* /*unused*/, SDL_Event* event)
{
    const bool textOfFolded = repeatFolded;
    repeatFolded = false;
    switch (event->type) {
    case SDL_MOUSEMOTION:
    case SDL_CONTROLLERAXISMOTION:
        return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, event->type, event->type) == 0 ? 1 : 0;
    case SDL_KEYDOWN:
        repeatFolded = event->key.repeat != 0 && KeyDownWaiting(event->key.keysym.scancode);
        return repeatFolded ? 0 : 1;
    case SDL_TEXTINPUT:
        return textOfFolded ? 0 : 1;
    default:
        return 1;
    }
}

void TakeOneEvent()
{
    WatchHelpBox();
    // Pad keys read in an earlier pass come before anything newer.
    if (PressWaitingPadKey()) {
        return;
    }
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
