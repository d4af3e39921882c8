// waves.cpp -- run start, wave changes, spawning, row motion and the score
#include "game/game_state.h"
#include "game/key_latch.h"
#include "game/random_source.h"
#include "render/scene_composition.h"

namespace {

constexpr float RunStartY = -130.0f;
constexpr float SpawnY = 460.0f;
constexpr float RowStep = 7.0f;
constexpr float SpawnGateY = -59.0f;
constexpr float ParkThresholdY = -130.0f;
constexpr int WaveChangeAfter = 34;

// Where each kind's row waits once it has passed the car.
constexpr float ParkY[WaveKindCount] = {-230.0f, -230.0f, -330.0f, -430.0f, -530.0f};

WaveKind DrawWaveKind()
{
    return static_cast<WaveKind>(DrawRandom() % WaveKindCount);
}

// A block position anywhere across the road, -7.1 to +7.1.
float DrawBlockX()
{
    return static_cast<float>(DrawRandom()) / 32767.0f * 14.2f - 7.1f;
}

}  // namespace

void stepWaves()
{
    if (KeyLatch.up != 0 && GameState.runActive == 0) {
        GameState.runActive = 1;
        GameState.waveKind = DrawWaveKind();
        GameState.waveTimer = 0;
        GameState.score = 0;
        for (ObstacleRow& row : GameState.rows) {
            row.y = RunStartY;
        }
    }
    if (GameState.runActive != 1) {
        return;
    }

    if (GameState.waveTimer > WaveChangeAfter) {
        GameState.waveKind = DrawWaveKind();
        GameState.waveTimer = 0;
        GameState.score += 1;
    }

    ObstacleRow& next = GameState.rows[GameState.waveKind];
    if (GameState.waveTimer == 0 && next.y <= SpawnGateY) {
        next.y = SpawnY;
        if (GameState.waveKind == RandomA || GameState.waveKind == RandomB) {
            next.x = DrawBlockX();
        }
        next.hidden = 0;
    }

    for (int kind = 0; kind < WaveKindCount; ++kind) {
        ObstacleRow& row = GameState.rows[kind];
        if (row.hidden != 0) {
            continue;
        }
        row.y -= RowStep;
        // Drawn before the park test, so a row is seen once more at its moved position.
        DrawObstacleRow(static_cast<WaveKind>(kind));
        if (row.y < ParkThresholdY) {
            row.y = ParkY[kind];
            row.hidden = 1;
        }
    }
}
