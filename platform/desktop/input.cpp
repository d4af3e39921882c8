// input.cpp -- SDL events and game pads into the game's key queue, one input a pass
#include "game/gamepad.h"
#include "game/key_queue.h"
#include "game/key_table.h"
#include "game/platform.h"
#include "platform/desktop/shell.h"

namespace {

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

void QueueKeyDownEvent(const SDL_KeyboardEvent& down)
{
    // Keys pressed with Alt are the system's on Windows, never the game's; of
    // them only Alt+F4 does something: it asks the window to close.
    if ((down.keysym.mod & KMOD_ALT) != 0) {
        if (down.keysym.sym == SDLK_F4) {
            QueueCloseRequest();
        } else {
            QueueOtherInput();
        }
        return;
    }
    // Every key-down counts, auto-repeats included, as on Windows.
    QueueKeyDown(GameKeyFromKeysym(down.keysym), down.repeat != 0);
}

void QueuePadKey(int key, bool repeat)
{
    // While another window (the help box) has the keyboard, the pads are not
    // the game's either: a direction held from before stops repeating into it.
    if (desktop.window != nullptr && SDL_GetKeyboardFocus() != desktop.window) {
        return;
    }
    QueueKeyDown(key, repeat);
}

void OpenPad(int device)
{
    if (SDL_GameController* pad = SDL_GameControllerOpen(device)) {
        desktop.pads.push_back(pad);
    }
}

void ClosePad(SDL_JoystickID instance)
{
    for (auto pad = desktop.pads.begin(); pad != desktop.pads.end(); ++pad) {
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*pad)) == instance) {
            SDL_GameControllerClose(*pad);
            desktop.pads.erase(pad);
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
    for (SDL_GameController* pad : desktop.pads) {
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

// One SDL event as the input Windows would have posted for it. Window events,
// device notices and pad events take no pass: the pads are read once a pass.
void QueueEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        PlatformQuit(CloseExitCode);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            PlatformQuit(CloseExitCode);
        }
        break;
    case SDL_KEYDOWN:
        QueueKeyDownEvent(event.key);
        break;
    case SDL_TEXTINPUT:
        QueueTypedText();
        break;
    case SDL_MOUSEMOTION:
        QueuePointerMotion();
        break;
    case SDL_MOUSEBUTTONDOWN:
        // A click on the game window gives it the keyboard back from the help
        // box, as clicking a window does on Windows; a window manager would
        // do so too, but without one nothing else does.
        SDL_SetWindowInputFocus(desktop.window);
        QueueOtherInput();
        break;
    case SDL_KEYUP:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
        QueueOtherInput();
        break;
    case SDL_CONTROLLERDEVICEADDED:
        OpenPad(event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        ClosePad(event.cdevice.which);
        break;
    default:
        break;
    }
}

}  // namespace

void TakeOneInput()
{
    SDL_PumpEvents();
    SDL_Event event;
    while (loopRunning && SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        QueueEvent(event);
    }
    if (!loopRunning) {
        return;
    }
    if (!desktop.pads.empty()) {
        ReadPads(ReadOpenPads(), static_cast<double>(SDL_GetTicks64()), QueuePadKey);
    }
    TakeQueuedInput();
}
