// gamepad.h -- game pads' buttons and stick as game keys, written once for the desktop and the browser
#pragma once

// The pad controls the game reads, named by their place on a standard pad.
enum PadControl : int {
    PadLeft = 0,   // D-pad left: Left
    PadRight = 1,  // D-pad right: Right
    PadUp = 2,     // D-pad up: Up
    PadSouth = 3,  // A / Cross: Up
    PadEast = 4,   // B / Circle: S
    PadWest = 5,   // X / Square: P
    PadNorth = 6,  // Y / Triangle: R
    PadBack = 7,   // Back / Select: M when let go, Escape with Start
    PadStart = 8,  // Start: Enter, Escape with Back
    PadControlCount = 9,
};

// One reading of the pads: a bit (1 << PadControl) for every control held
// down, and the left stick's x from -1 (full left) to 1 (full right).
struct PadReading {
    unsigned held;
    float stickX;
};

// Where the pads' game keys go, in order. `repeat` marks a held direction's
// repeat, which a shell may drop while earlier keys still wait, as a held
// keyboard key's repeats do not pile up.
using PadKeySink = void (*)(int key, bool repeat);

// Takes one reading of the pads at nowMs (a steady clock in milliseconds) and
// hands the game keys it makes to sink. Buttons act on the reading that first
// sees them down. Left and Right, from the D-pad or the stick, repeat while
// held like keyboard keys: after 500 ms, then every 33 ms, at most once a
// reading. The stick counts as pushed from half way out and as let go only
// back inside a quarter, so a stick resting near half way does not chatter.
// No single button ends the game: Escape is Back and Start together, and Back
// alone gives M when it is let go.
void ReadPads(const PadReading& reading, double nowMs, PadKeySink sink);

// Forgets what the pads held, as at start-up.
void ResetPads();
