// gamepad.cpp -- game pads' buttons and stick as game keys: edges, the stick's hysteresis, repeats, Back and Start
#include "game/gamepad.h"

#include "game/key_table.h"

namespace {

// Keyboard-like repeat of a held direction.
constexpr double RepeatDelayMs = 500.0;
constexpr double RepeatPeriodMs = 33.0;

// The stick is pushed from half way out, and let go only back inside a quarter.
constexpr float StickPushed = 0.5f;
constexpr float StickLetGo = 0.25f;

// What the pads held at the last reading.
unsigned lastHeld = 0;
int stickSide = 0;              // -1 pushed left, 1 pushed right, 0 neither
bool backJoined = false;        // Back has made Escape with Start since it went down
int heldDirection = GameKeyNone;
double nextRepeatMs = 0.0;

bool Held(unsigned held, PadControl control)
{
    return (held & (1u << control)) != 0;
}

int StickSide(float x)
{
    if (stickSide == 1 && x >= StickLetGo) {
        return 1;
    }
    if (stickSide == -1 && x <= -StickLetGo) {
        return -1;
    }
    return x >= StickPushed ? 1 : (x <= -StickPushed ? -1 : 0);
}

int Direction(unsigned held)
{
    const bool left = Held(held, PadLeft) || stickSide == -1;
    const bool right = Held(held, PadRight) || stickSide == 1;
    if (left == right) {
        return GameKeyNone;
    }
    return left ? GameKeyLeft : GameKeyRight;
}

}  // namespace

void ReadPads(const PadReading& reading, double nowMs, PadKeySink sink)
{
    const unsigned held = reading.held;
    const unsigned pressed = held & ~lastHeld;
    const auto wentDown = [pressed](PadControl control) { return Held(pressed, control); };

    if (wentDown(PadUp) || wentDown(PadSouth)) {
        sink(GameKeyUp, false);
    }
    if (wentDown(PadEast)) {
        sink(GameKeyS, false);
    }
    if (wentDown(PadWest)) {
        sink(GameKeyP, false);
    }
    if (wentDown(PadNorth)) {
        sink(GameKeyR, false);
    }
    if (wentDown(PadBack)) {
        backJoined = false;
    }
    if ((wentDown(PadStart) || wentDown(PadBack)) && Held(held, PadStart) && Held(held, PadBack)) {
        backJoined = true;
        sink(GameKeyEscape, false);
    } else if (wentDown(PadStart)) {
        sink(GameKeyEnter, false);
    }
    if (Held(lastHeld, PadBack) && !Held(held, PadBack) && !backJoined) {
        sink(GameKeyM, false);
    }

    stickSide = StickSide(reading.stickX);
    const int direction = Direction(held);
    if (direction != heldDirection) {
        heldDirection = direction;
        nextRepeatMs = nowMs + RepeatDelayMs;
        if (direction != GameKeyNone) {
            sink(direction, false);
        }
    } else if (direction != GameKeyNone && nowMs >= nextRepeatMs) {
        nextRepeatMs = nowMs + RepeatPeriodMs;
        sink(direction, true);
    }
    lastHeld = held;
}

void ResetPads()
{
    lastHeld = 0;
    stickSide = 0;
    backJoined = false;
    heldDirection = GameKeyNone;
    nextRepeatMs = 0.0;
}
