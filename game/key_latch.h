// key_latch.h -- key presses carried from the window procedure into the next frame
#pragma once

// One flag per game key: 1 means pressed since the last frame. Only the window
// procedure sets them, only the end of every drawn frame clears them.
struct KeyLatchFlags {
    int enter;
    int left;
    int up;
    int right;
    int pause;
    int restart;
};

extern KeyLatchFlags KeyLatch;

// Codes of InputGate: at most one gated key may take effect per loop pass.
enum GateCode : int {
    GateOpen = 1,
    GateClosed = 2,
    GateUnopened = 3,  // before the first loop pass; behaves as Closed
};

extern int InputGate;

// The gate rule for every gated key: returns true when the key may act now and
// closes the gate; otherwise the key is dropped and the gate keeps its value.
bool TakeGatedKey();

// Sets all six latch flags back to 0 (the end of every drawn frame).
void ClearKeyLatch();

// No key latched and the gate unopened, as at start-up.
void ResetKeyLatch();
