// input.cpp -- SDL events to the game: keycodes to game keys, close requests to quitting
#include "game/key_table.h"
#include "platform/desktop/shell.h"

namespace {

// The exit code after a close request: a close request posted to the Windows
// game carries 0, and it is the last message the game fetches.
constexpr int CloseExitCode = 0;

int GameKeyFromKeysym(const SDL_Keysym& key)
{
    // The keypad's arrows are the arrow keys while NumLock is off; its Enter
    // is always Enter, as Windows reports them.
    const bool keypadArrows = (key.mod & KMOD_NUM) == 0;
    switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return GameKeyEnter;
    case SDLK_ESCAPE:
        return GameKeyEscape;
    case SDLK_LEFT:
        return GameKeyLeft;
    case SDLK_UP:
        return GameKeyUp;
    case SDLK_RIGHT:
        return GameKeyRight;
    case SDLK_DOWN:
        return GameKeyDown;
    case SDLK_KP_4:
        return keypadArrows ? GameKeyLeft : GameKeyNone;
    case SDLK_KP_8:
        return keypadArrows ? GameKeyUp : GameKeyNone;
    case SDLK_KP_6:
        return keypadArrows ? GameKeyRight : GameKeyNone;
    case SDLK_KP_2:
        return keypadArrows ? GameKeyDown : GameKeyNone;
    case SDLK_m:
        return GameKeyM;
    case SDLK_p:
        return GameKeyP;
    case SDLK_r:
        return GameKeyR;
    case SDLK_s:
        return GameKeyS;
    default:
        return GameKeyNone;
    }
}

void HandleKeyDown(const SDL_Keysym& key)
{
    // Keys pressed with Alt are the system's on Windows, never the game's; of
    // them only Alt+F4 does something: it asks the window to close.
    if ((key.mod & KMOD_ALT) != 0) {
        if (key.sym == SDLK_F4) {
            RunQuitSequence(CloseExitCode);
        }
        return;
    }
    switch (PressGameKey(GameKeyFromKeysym(key))) {
    case KeyActionQuit:
        RunQuitSequence(EscapeExitCode);
        break;
    case KeyActionShowHelp:
        ShowHelpBox();
        break;
    default:
        break;
    }
}

}  // namespace

void HandleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        RunQuitSequence(CloseExitCode);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            RunQuitSequence(CloseExitCode);
        }
        break;
    case SDL_KEYDOWN:
        // Every key-down counts, auto-repeats included, as on Windows.
        HandleKeyDown(event.key.keysym);
        break;
    default:
        break;
    }
}
