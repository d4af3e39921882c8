// frame_script.cpp -- test scenes built on the frame driver
#include "tests/support/frame_script.h"

#include "game/game_state.h"

void QuietRun(int waveTimer)
{
    GameState.viewMode = ViewPlay;
    GameState.runActive = 1;
    GameState.waveTimer = waveTimer;
    const float parkY[WaveKindCount] = {-230.0f, -230.0f, -330.0f, -430.0f, -530.0f};
    for (int kind = 0; kind < WaveKindCount; ++kind) {
        GameState.rows[kind] = ObstacleRow{parkY[kind], 1, 0.0f};
    }
}
