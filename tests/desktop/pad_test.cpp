// pad_test.cpp -- the desktop shell's pads on SDL's virtual game controller: the same presses drive the same states
#include <SDL.h>

#include <gtest/gtest.h>

#include <functional>

#include "game/game_state.h"
#include "platform/desktop/shell.h"
#include "tests/support/frame_script.h"

// The tune loader belongs to the shell's frame calls, which the recording platform stands in for.
void LoadMusic() {}

namespace {

SDL_Joystick* pad = nullptr;

// Passes of the real loop until the game shows what is expected; false after 20.
bool PassUntil(const std::function<bool()>& shown)
{
    for (int pass = 0; pass < 20; ++pass) {
        RunLoopPass(TakeOneEvent);
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
        RunLoopPass(TakeOneEvent);
    }
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
    SDL_SetEventFilter(FoldQueuedInput, nullptr);
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
    EXPECT_EQ(exitCode, EscapeExitCode);

    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    SDL_Quit();
    StartFresh();
}

}  // namespace
