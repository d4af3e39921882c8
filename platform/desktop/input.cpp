// input.cpp -- SDL events: keycodes to game keys, the modal help box, close requests
#include <string>

#include "game/help_text.h"
#include "game/key_table.h"
#include "platform/desktop/shell.h"

int focusRestore = 0;

namespace {

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

void ShowHelpBox()
{
    std::string message;
    AppendWrapped(&message, UpperHelpText);
    message += "\n\n";
    AppendWrapped(&message, LowerHelpText);
    const SDL_MessageBoxButtonData ok = {
        SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "OK"};
    const SDL_MessageBoxData box = {
        SDL_MESSAGEBOX_INFORMATION, mainWindow, HelpCaption, message.c_str(), 1, &ok, nullptr};
    int pressed = 0;
    // Modal: no frame runs until the box is closed.
    SDL_ShowMessageBox(&box, &pressed);
    focusRestore = 1;
}

int GameKeyFromKeycode(SDL_Keycode key)
{
    switch (key) {
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

}  // namespace

void HandleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        RunQuitSequence(0);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            RunQuitSequence(0);
        }
        break;
    case SDL_KEYDOWN:
        // Every key-down counts, auto-repeats included, as on Windows.
        switch (PressGameKey(GameKeyFromKeycode(event.key.keysym.sym))) {
        case KeyActionQuit:
            RunQuitSequence(27);
            break;
        case KeyActionShowHelp:
            ShowHelpBox();
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
}
