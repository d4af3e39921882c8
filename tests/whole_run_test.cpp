// whole_run_test.cpp -- whole runs from a fresh start: no steering, and a bot that dodges to a victory
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "banner/banner_text.h"
#include "game/game_state.h"
#include "tests/support/frame_script.h"

namespace {

// Whether the car at x is clear of the row's blocked span (with a margin).
bool Clear(int kind, const ObstacleRow& row, float x)
{
    const float margin = 3.0f;
    switch (kind) {
    case RandomA:
    case RandomB:
        return std::fabs(x - row.x) > margin;
    case RightPair:
        return x + margin < 2.1f;
    case LeftPair:
        return x - margin > -2.1f;
    default:
        return std::fabs(x) + margin < 7.1f;
    }
}

// The key a player would press this frame: towards the nearest x that is clear
// of, and reachable before, as many of the rows ahead as possible, nearest first,
// and otherwise near the centre.
std::string BotKey()
{
    std::vector<int> ahead;
    for (int kind = 0; kind < WaveKindCount; ++kind) {
        const ObstacleRow& row = GameState.rows[kind];
        if (row.hidden == 0 && row.y >= -21.5f) {
            ahead.push_back(kind);
        }
    }
    std::sort(ahead.begin(), ahead.end(),
              [](int a, int b) { return GameState.rows[a].y < GameState.rows[b].y; });
    float best = GameState.carX;
    float bestDistance = 1e9f;
    int bestCleared = -1;
    for (int step = -52; step <= 52; ++step) {
        const float x = 0.15f * static_cast<float>(step);
        const float distance = std::fabs(x - GameState.carX);
        // A lane only helps against a row if the car gets there before the row does.
        const float stepsNeeded = distance / 0.15f;
        int cleared = 0;
        for (int kind : ahead) {
            const float framesLeft = (GameState.rows[kind].y + 4.9f) / 7.0f;
            if (!Clear(kind, GameState.rows[kind], x) || stepsNeeded > framesLeft) {
                break;
            }
            ++cleared;
        }
        // With every row ahead dodged, stay near the centre: any lane is reachable from there.
        if (cleared == static_cast<int>(ahead.size()) && std::fabs(x) <= 1.5f) {
            ++cleared;
        }
        if (cleared > bestCleared || (cleared == bestCleared && distance < bestDistance)) {
            best = x;
            bestDistance = distance;
            bestCleared = cleared;
        }
    }
    if (best > GameState.carX + 0.07f) {
        return "R";
    }
    if (best < GameState.carX - 0.07f) {
        return "L";
    }
    return "";
}

TEST(WholeRun, WithoutSteeringTheFirstRunEndsByAHitInFrameSixtySix)
{
    StartFresh();
    Frame();
    Frame("E");
    Frame("U");
    int frame = 0;
    while (GameState.runActive == 1 && frame < 500) {
        Frame();
        ++frame;
    }
    // The first wave's row reaches the car after its 67th move: frame 66.
    EXPECT_EQ(frame, 66);
    EXPECT_EQ(GameState.score, 1);
    EXPECT_EQ(GameState.viewMode, ViewTitle);
    EXPECT_EQ(GameState.gameOver, 1);
    // The unseeded source starts 41, 18467, 6334 on every build, as the
    // Windows runtime's rand does: the first wave is RandomB with its block at
    // about 0.9029, the second an EdgePair.
    EXPECT_EQ(GameState.rows[RandomB].y, -9.0f);
    EXPECT_NEAR(GameState.rows[RandomB].x, 0.9029f, 1e-4f);
    EXPECT_EQ(GameState.waveKind, EdgePair);
    Frame();
    EXPECT_EQ(bannerText, "       score  1");
}

TEST(WholeRun, ABotSteeringIntoTheFreeLaneWinsPastSeventy)
{
    StartFresh();
    Frame("E");
    Frame("U");
    int frames = 0;
    while (GameState.runActive == 1 && GameState.score < 75 && frames < 4000) {
        Frame(BotKey());
        ++frames;
        ASSERT_LE(std::fabs(GameState.carX), 8.2f);
    }
    EXPECT_EQ(GameState.runActive, 1) << "hit at score " << GameState.score << " after " << frames << " frames";
    EXPECT_GE(GameState.score, 75);
    // Reaching 70 changes nothing during the run; the banner calls it a victory after it ends.
    for (int i = 0; i < 60 && GameState.runActive == 1; ++i) {
        Frame("R");
    }
    ASSERT_EQ(GameState.runActive, 0);
    Frame();
    EXPECT_EQ(bannerText, "       victory... score  " + std::to_string(GameState.score));
}

}  // namespace
