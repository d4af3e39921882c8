// waves_test.cpp -- run start, the wave timeline, spawning, parking and the score
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/random_source.h"
#include "platform/null/gl_recorder.h"
#include "tests/support/frame_script.h"

namespace {

class Waves : public ::testing::Test {
protected:
    void SetUp() override { StartFresh(); }

    // Enter, then Up: frame 0 of a run.
    static void StartRun()
    {
        Frame("E");
        Frame("U");
    }
};

TEST_F(Waves, FirstFrameOfARunSpawnsTheFirstWaveAndParksTheRestingRows)
{
    // The runtime's first draws, 41 and 18467: kind 1, its block at about 0.9029.
    const int firstKind = RandomB;
    StartRun();
    EXPECT_EQ(GameState.runActive, 1);
    EXPECT_EQ(GameState.score, 0);
    EXPECT_EQ(GameState.waveKind, firstKind);
    EXPECT_EQ(GameState.waveTimer, 1);
    const ObstacleRow& spawned = GameState.rows[firstKind];
    EXPECT_EQ(spawned.y, 453.0f);
    EXPECT_EQ(spawned.hidden, 0);
    EXPECT_NEAR(spawned.x, 0.9029f, 0.0001f);
    // Rows 3 and 4 were in play at start-up: moved from -130 to -137 and parked.
    const float parkY[WaveKindCount] = {-230.0f, -230.0f, -330.0f, -430.0f, -530.0f};
    for (int kind = 0; kind < WaveKindCount; ++kind) {
        if (kind == firstKind) {
            continue;
        }
        if (kind >= 3) {
            EXPECT_EQ(GameState.rows[kind].y, parkY[kind]) << kind;
            EXPECT_EQ(GameState.rows[kind].hidden, 1) << kind;
        } else {
            EXPECT_EQ(GameState.rows[kind].y, -130.0f) << kind;
            EXPECT_EQ(GameState.rows[kind].hidden, 2) << kind;
        }
    }
}

TEST_F(Waves, ScoreCountsOneWaveChangeEveryThirtyFiveFrames)
{
    StartRun();
    for (int frame = 1; frame <= 34; ++frame) {
        Frame();
        EXPECT_EQ(GameState.score, 0) << frame;
    }
    Frame();
    EXPECT_EQ(GameState.score, 1);
    EXPECT_EQ(GameState.waveTimer, 1);
    // Rows reach the car from frame 66 on; clear the road so the run lasts.
    for (ObstacleRow& row : GameState.rows) {
        row = ObstacleRow{-230.0f, 1, 0.0f};
    }
    Frames(34);
    EXPECT_EQ(GameState.score, 1);
    Frame();
    EXPECT_EQ(GameState.score, 2);
}

TEST_F(Waves, ARowTravelsSevenPerFrameAndIsDrawnOnceMoreWhenItParks)
{
    QuietRun(1);
    GameState.rows[LeftPair] = ObstacleRow{460.0f, 0, 0.0f};
    GameState.carX = 8.0f;  // far from the left pair's blocked span
    for (int move = 1; move <= 84; ++move) {
        Frame();
        ASSERT_EQ(GameState.rows[LeftPair].y, 460.0f - 7.0f * static_cast<float>(move)) << move;
        GameState.waveTimer = 1;
    }
    glRecord.keepCalls = true;
    ResetGlRecord();
    Frame();
    // The 85th move reaches -135: drawn there, then parked.
    EXPECT_EQ(GameState.rows[LeftPair].y, -430.0f);
    EXPECT_EQ(GameState.rows[LeftPair].hidden, 1);
    const std::vector<GlCall> vertices = CallsNamed("glVertex3f");
    ASSERT_GE(vertices.size(), 72U);
    // Block corners lie at the row's y +- 1.6095042.
    EXPECT_FLOAT_EQ(static_cast<float>(vertices[0].args[1]), -135.0f + 1.6095042f);
    glRecord.keepCalls = false;
}

TEST_F(Waves, ARowSpawnsAgainOnlyFromTheThirdWaveChangeAfterItsSpawn)
{
    QuietRun(0);
    GameState.waveKind = RightPair;
    GameState.carX = -8.0f;
    Frame();
    ASSERT_EQ(GameState.rows[RightPair].y, 453.0f);
    // Same kind again 35 and 70 frames later: still on the road, nothing spawns.
    for (int wave = 1; wave <= 2; ++wave) {
        GameState.waveTimer = 0;
        GameState.waveKind = RightPair;
        const float y = GameState.rows[RightPair].y;
        Frame();
        EXPECT_EQ(GameState.rows[RightPair].y, y - 7.0f) << wave;
        GameState.waveTimer = 1;
        Frames(34);
    }
    // After 75 moves the row is at -65, past the spawn gate of -59.
    while (GameState.rows[RightPair].y > -65.0f) {
        Frame();
        GameState.waveTimer = 1;
    }
    EXPECT_EQ(GameState.rows[RightPair].y, -65.0f);
    GameState.waveTimer = 0;
    GameState.waveKind = RightPair;
    Frame();
    EXPECT_EQ(GameState.rows[RightPair].y, 453.0f);
}

TEST_F(Waves, WaveChangeStillScoresWhenItsRowIsOnTheRoad)
{
    QuietRun(35);
    GameState.rows[RandomA] = ObstacleRow{100.0f, 0, 5.0f};
    GameState.rows[RandomB] = ObstacleRow{100.0f, 0, 5.0f};
    GameState.rows[RightPair] = ObstacleRow{100.0f, 0, 0.0f};
    GameState.rows[LeftPair] = ObstacleRow{100.0f, 0, 0.0f};
    GameState.rows[EdgePair] = ObstacleRow{100.0f, 0, 0.0f};
    Frame();
    EXPECT_EQ(GameState.score, 1);
    for (const ObstacleRow& row : GameState.rows) {
        EXPECT_EQ(row.y, 93.0f);
    }
}

TEST_F(Waves, UpOutsideTheRoadWaitDoesNothing)
{
    Frame("U");
    EXPECT_EQ(GameState.runActive, 0);
    StartRun();
    Frames(10);
    const int timer = GameState.waveTimer;
    Frame("U");
    EXPECT_EQ(GameState.waveTimer, timer + 1);
    Frame("P");
    Frame("U");
    EXPECT_EQ(GameState.pauseState, PausePausing);
    EXPECT_EQ(GameState.waveTimer, timer + 1);
}

TEST_F(Waves, APauseOfAnyLengthChangesNothing)
{
    StartRun();
    Frames(20);
    std::vector<std::string> straight;
    for (int i = 0; i < 30; ++i) {
        Frame();
        straight.push_back(TraceLine());
    }

    StartFresh();
    StartRun();
    Frames(20);
    Frame("P");
    Frames(200);
    Frame("P");
    // The resume frame is the first of the 30 straight frames.
    std::vector<std::string> paused = {TraceLine()};
    for (int i = 1; i < 30; ++i) {
        Frame();
        paused.push_back(TraceLine());
    }
    // Trace lines differ only in the pause fields (pauseFrames stays 30).
    for (int i = 0; i < 30; ++i) {
        std::string expected = straight[i];
        expected.replace(expected.find("pf=0"), 4, "pf=30");
        EXPECT_EQ(paused[i], expected) << i;
    }
}

TEST_F(Waves, TwoStartsWithTheSameKeysGiveTheSameWaves)
{
    auto play = [] {
        StartFresh();
        Frame("E");
        Frame("U");
        std::vector<std::string> trace;
        for (int i = 0; i < 300; ++i) {
            Frame(i % 7 == 0 ? "L" : "");
            trace.push_back(TraceLine());
        }
        return trace;
    };
    EXPECT_EQ(play(), play());
}

// Drawn before any test reseeds: the source as a fresh process finds it.
const int firstDrawOfTheProcess = DrawRandom();

TEST(RandomSource, EveryBuildDrawsTheRuntimeSequence)
{
    // The first draws of an unseeded C runtime: the first run's first wave.
    EXPECT_EQ(firstDrawOfTheProcess, 41);
    unsigned state = 1;
    for (const int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}) {
        EXPECT_EQ(NextRuntimeDraw(&state), expected);
    }
    // The build's own source follows the recipe; under Wine that is the real runtime's rand().
    SeedRandom(1);
    state = 1;
    for (int i = 0; i < 100000; ++i) {
        ASSERT_EQ(DrawRandom(), NextRuntimeDraw(&state)) << "draw " << i;
    }
}

}  // namespace
