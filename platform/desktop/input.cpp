// input.cpp -- SDL events to the game: keycodes and game pads to game keys, close requests to quitting
#include <algorithm>
#include <deque>
#include <vector>

#include "game/gamepad.h"
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

// The pads plugged in, opened through SDL's game controller mapping.
std::vector<SDL_GameController*> pads;

// Pad keys waiting for their pass, oldest first; one is pressed a pass.
std::deque<int> padKeys;

void PressKey(int key)
{
    switch (PressGameKey(key)) {
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
    PressKey(GameKeyFromKeysym(key));
}

void QueuePadKey(int key, bool repeat)
{
    // While another window (the help box) has the keyboard, the pads are not
    // the game's either: SDL already keeps their presses from it, and a
    // direction held from before stops repeating into it.
    if (mainWindow != nullptr && SDL_GetKeyboardFocus() != mainWindow) {
        return;
    }
    // A held direction's repeat is folded into its key still waiting, as a
    // held key's are.
    if (repeat && std::find(padKeys.begin(), padKeys.end(), key) != padKeys.end()) {
        return;
    }
    padKeys.push_back(key);
}

void OpenPad(int device)
{
    if (SDL_GameController* pad = SDL_GameControllerOpen(device)) {
        pads.push_back(pad);
    }
}

void ClosePad(SDL_JoystickID instance)
{
    for (auto pad = pads.begin(); pad != pads.end(); ++pad) {
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*pad)) == instance) {
            SDL_GameControllerClose(*pad);
            pads.erase(pad);
            return;
        }
    }
}

// What every open pad holds together; the stick pushed furthest counts.
PadReading ReadOpenPads()
{
    struct Mapping {
        SDL_GameControllerButton button;
        PadControl control;
    };
    static constexpr Mapping Buttons[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadLeft}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadRight},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, PadUp},     {SDL_CONTROLLER_BUTTON_A, PadSouth},
        {SDL_CONTROLLER_BUTTON_B, PadEast},         {SDL_CONTROLLER_BUTTON_X, PadWest},
        {SDL_CONTROLLER_BUTTON_Y, PadNorth},        {SDL_CONTROLLER_BUTTON_BACK, PadBack},
        {SDL_CONTROLLER_BUTTON_START, PadStart},
    };
    PadReading reading = {0, 0.0f};
    for (SDL_GameController* pad : pads) {
        for (const Mapping& mapping : Buttons) {
            if (SDL_GameControllerGetButton(pad, mapping.button) != 0) {
                reading.held |= 1u << mapping.control;
            }
        }
        const float x = static_cast<float>(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX)) / 32767.0f;
        if (x * x > reading.stickX * reading.stickX) {
            reading.stickX = x;
        }
    }
    return reading;
}

}  // namespace

void ReadPadsForThePass()
{
    if (!pads.empty()) {
        ReadPads(ReadOpenPads(), static_cast<double>(SDL_GetTicks64()), QueuePadKey);
    }
    PressWaitingPadKey();
}

bool PressWaitingPadKey()
{
    if (padKeys.empty()) {
        return false;
    }
    const int key = padKeys.front();
    padKeys.pop_front();
    PressKey(key);
    return true;
}

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
        // Every key-down counts, auto-repeats included, as on Windows (a
        // repeat that would pile up never gets here: FoldQueuedInput).
        HandleKeyDown(event.key.keysym);
        break;
    case SDL_MOUSEBUTTONDOWN:
        // A click on the game window gives it the keyboard back from the help
        // box, as clicking a window does on Windows; a window manager would
        // do so too, but without one nothing else does.
        SDL_SetWindowInputFocus(mainWindow);
        break;
    case SDL_CONTROLLERDEVICEADDED:
        OpenPad(event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        ClosePad(event.cdevice.which);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
        ReadPadsForThePass();
        break;
    default:
        break;
    }
}
