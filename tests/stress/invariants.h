// invariants.h -- the rules the game state keeps after every frame, for replays, soak and fuzzer
#pragma once

#include <string>

#include "game/game_state.h"

// What the checks remember between frames.
struct InvariantWatch {
    GameStateRecord last;  // the state after the previous checked frame
};

// A watch for a game started with StartFresh().
InvariantWatch FreshWatch();

// Checks the state after a frame that ran with the given keys (Frame() letters).
// Returns "" when every rule holds, otherwise the first broken rule.
std::string CheckFrame(InvariantWatch* watch, const std::string& keys);

// Checks only the banner: every cell of every plane is grey (0.5) or ink (0).
std::string CheckBannerGrid();
