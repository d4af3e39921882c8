// pad_test.cpp -- the desktop shell's input on SDL: pads on its virtual game controller, and what its queue keeps
#include <SDL.h>

#include <gtest/gtest.h>

#include <functional>

#include "game/game_state.h"
#include "game/key_queue.h"
#include "platform/desktop/shell.h"
#include "platform/null/platform_recorder.h"
#include "tests/support/frame_script.h"

// The tune loader belongs to the shell's frame calls, which the recording platform stands in for.
void LoadMusic() {}

namespace {

SDL_Joystick* pad = nullptr;

// Passes of the real loop until the game shows what is expected; false after 20.
bool PassUntil(const std::function<bool()>& shown)
{
    for (int pass = 0; pass < 20; ++pass) {
        RunLoopPass(TakeOneInput);
        if (shown()) {
            return true;
        }
    }
    return false;
}

// A few passes for a let-go control to be read; a run lasts only 66 frames unsteered.
void Settle()
{
    for (int pass = 0; pass < 3; ++pass) {
        RunLoopPass(TakeOneInput);
    }
}

// Passes of the real loop until the game shows what is expected; 0 after 30.
int PassesUntil(const std::function<bool()>& shown)
{
    for (int pass = 1; pass <= 30; ++pass) {
        RunLoopPass(TakeOneInput);
        if (shown()) {
            return pass;
        }
    }
    return 0;
}

// Empties SDL's queue and the game's: the passes counted next take only what is pushed.
void EmptyQueue()
{
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    ResetKeyQueue();
}

bool QueuesEmpty()
{
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, 0, SDL_LASTEVENT) == 0 && !InputWaiting();
}

void PushKey(Uint32 type, SDL_Keycode key, Uint8 repeat)
{
    SDL_Event event = {};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.repeat = repeat;
    SDL_PushEvent(&event);
}

void PushText(const char* text)
{
    SDL_Event event = {};
    event.type = SDL_TEXTINPUT;
    SDL_strlcpy(event.text.text, text, sizeof event.text.text);
    SDL_PushEvent(&event);
}

bool Press(SDL_GameControllerButton button, const std::function<bool()>& shown)
{
    SDL_JoystickSetVirtualButton(pad, button, 1);
    const bool seen = PassUntil(shown);
    SDL_JoystickSetVirtualButton(pad, button, 0);
    Settle();
    return seen;
}

TEST(DesktopPad, StartAPlayThenTheStickAndDpadSteerAndBackWithStartQuits)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    StartFresh();
    SDL_VirtualJoystickDesc description = {};
    description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    description.naxes = SDL_CONTROLLER_AXIS_MAX;
    description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    description.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    description.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    description.name = "virtual pad";
    const int device = SDL_JoystickAttachVirtualEx(&description);
    ASSERT_GE(device, 0) << SDL_GetError();
    pad = SDL_JoystickOpen(device);
    ASSERT_NE(pad, nullptr);

    // The D-pad's Left held in the title view steps once. While another window (the help box) has the keyboard,
    // as none has beside a window of SDL's dummy driver, it does not repeat into the game; once the game has the
    // keyboard back, it does.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    const float heading = GameState.headingDeg;
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1);
    EXPECT_TRUE(PassUntil([heading] { return GameState.headingDeg < heading; }));
    desktop.window = SDL_CreateWindow("game", 0, 0, 64, 64, SDL_WINDOW_SHOWN);
    ASSERT_EQ(SDL_GetKeyboardFocus(), nullptr);
    SDL_Delay(700);
    Settle();
    EXPECT_FLOAT_EQ(GameState.headingDeg, heading - 2.0f) << "Left repeated into the game behind the box";
    SDL_DestroyWindow(desktop.window);
    desktop.window = nullptr;
    SDL_Delay(50);
    EXPECT_TRUE(PassUntil([heading] { return GameState.headingDeg < heading - 2.0f; }));
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0);
    Settle();

    // Plugged in after start: Start is Enter. A and the D-pad's Right together: Up starts a run, then Right steps.
    EXPECT_TRUE(Press(SDL_CONTROLLER_BUTTON_START, [] { return GameState.viewMode == ViewPlay; }));
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1);
    EXPECT_TRUE(Press(SDL_CONTROLLER_BUTTON_A, [] { return GameState.carX > 0.1f; }));
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0);
    // The stick pushed left steps left once; the D-pad's Left steps again.
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, -30000);
    EXPECT_TRUE(PassUntil([] { return GameState.carX < 0.1f; }));
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0);
    Settle();
    EXPECT_FLOAT_EQ(GameState.carX, 0.0f);
    EXPECT_TRUE(Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT, [] { return GameState.carX < -0.1f; }));
    EXPECT_FLOAT_EQ(GameState.carX, -0.15f);
    // Back and Start together quit as Escape does.
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, 1);
    EXPECT_TRUE(Press(SDL_CONTROLLER_BUTTON_START, [] { return quitRequested == 1; }));
    EXPECT_EQ(platformRecord.exitCode, EscapeExitCode);

    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    SDL_Quit();
    StartFresh();
}

// Input that reaches SDL's queue faster than the passes take it, as Windows keeps it: two presses of one key are
// two, a held key's repeats and the characters they type fold into the key still waiting, the pointer keeps one
// motion waiting, and a pad's stick, read once a pass, takes none.
TEST(DesktopQueue, PressesCountRepeatsAndStickMotionFold)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    StartFresh();
    const float start = GameState.headingDeg;
    EmptyQueue();
    PushKey(SDL_KEYDOWN, SDLK_LEFT, 0);
    PushKey(SDL_KEYUP, SDLK_LEFT, 0);
    PushKey(SDL_KEYDOWN, SDLK_LEFT, 0);
    PushKey(SDL_KEYUP, SDLK_LEFT, 0);
    EXPECT_EQ(PassesUntil(QueuesEmpty), 4);
    EXPECT_FLOAT_EQ(start - GameState.headingDeg, 4.0f) << "two separate presses of Left, two steps";

    // X held: its press and character, then five repeats with theirs; Right after them comes third.
    const float held = GameState.headingDeg;
    EmptyQueue();
    PushKey(SDL_KEYDOWN, SDLK_x, 0);
    PushText("x");
    for (int repeat = 0; repeat < 5; ++repeat) {
        PushKey(SDL_KEYDOWN, SDLK_x, 1);
        PushText("x");
    }
    PushKey(SDL_KEYDOWN, SDLK_RIGHT, 0);
    EXPECT_EQ(PassesUntil([held] { return GameState.headingDeg != held; }), 3) << "no backlog of typed characters";

    // Ten pointer and ten stick motions, then Right: one motion waits, Right comes second.
    const float moved = GameState.headingDeg;
    EmptyQueue();
    for (int motion = 0; motion < 10; ++motion) {
        SDL_Event event = {};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = motion;
        SDL_PushEvent(&event);
        event = {};
        event.type = SDL_CONTROLLERAXISMOTION;
        event.caxis.axis = SDL_CONTROLLER_AXIS_LEFTX;
        event.caxis.value = static_cast<Sint16>(1000 * motion);
        SDL_PushEvent(&event);
    }
    PushKey(SDL_KEYDOWN, SDLK_RIGHT, 0);
    EXPECT_EQ(PassesUntil([moved] { return GameState.headingDeg != moved; }), 2) << "motion coalesced";

    // Left, then Alt+F4: the close request waits its turn, so Left still turns the turntable before the game quits.
    const float closing = GameState.headingDeg;
    EmptyQueue();
    PushKey(SDL_KEYDOWN, SDLK_LEFT, 0);
    SDL_Event altF4 = {};
    altF4.type = SDL_KEYDOWN;
    altF4.key.keysym.sym = SDLK_F4;
    altF4.key.keysym.mod = KMOD_LALT;
    SDL_PushEvent(&altF4);
    EXPECT_EQ(PassesUntil([] { return quitRequested == 1; }), 2);
    EXPECT_EQ(GameState.headingDeg, closing - 2.0f);
    EXPECT_EQ(platformRecord.exitCode, 0) << "a close request ends the game with 0, as on Windows";

    SDL_Quit();
    StartFresh();
}

}  // namespace
