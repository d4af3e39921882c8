// steering_test.cpp -- sideways steps, the road edges and the six block hit tests
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "tests/support/frame_script.h"

namespace {

class Steering : public ::testing::Test {
protected:
    void SetUp() override { StartFresh(); }

    // A quiet run with the car on its row.
    static void QuietRunOnTheCarRow()
    {
        QuietRun(1);
        GameState.carRow = -3.2f;
    }

    // carX after the given number of steering steps (negative: left), summed
    // in single precision as the game does it.
    static float Steps(int count)
    {
        float x = 0.0f;
        for (int i = 0; i < (count < 0 ? -count : count); ++i) {
            x += count < 0 ? -0.15f : 0.15f;
        }
        return x;
    }

    // Whether a row of the kind level with the car at y ends a run at carX.
    static bool Hits(WaveKind kind, float rowX, float carX, float y = -9.0f)
    {
        QuietRunOnTheCarRow();
        GameState.rows[kind] = ObstacleRow{y, 0, rowX};
        GameState.carX = carX;
        checkHits();
        return GameState.runActive == 0;
    }
};

TEST_F(Steering, FiftyFourStepsStayOnTheRoadAndTheFiftyFifthEndsTheRun)
{
    for (const char* key : {"R", "L"}) {
        StartFresh();
        QuietRunOnTheCarRow();
        for (int step = 1; step <= 54; ++step) {
            Frame(key);
            GameState.waveTimer = 1;
            ASSERT_EQ(GameState.runActive, 1) << key << step;
        }
        EXPECT_NEAR(GameState.carX, key[0] == 'R' ? 8.1f : -8.1f, 1e-4f);
        Frame(key);
        EXPECT_EQ(GameState.runActive, 0) << key;
        EXPECT_EQ(GameState.viewMode, ViewTitle);
        EXPECT_EQ(GameState.carX, 0.0f);
        EXPECT_FLOAT_EQ(GameState.headingDeg, 330.0f);
        EXPECT_EQ(GameState.gameOver, 1);
    }
}

TEST_F(Steering, PairRowsLeaveTheirFreeLaneAtTheSpanBoundaries)
{
    EXPECT_TRUE(Hits(RightPair, 0.0f, Steps(-5)));   // -0.75
    EXPECT_FALSE(Hits(RightPair, 0.0f, Steps(-6)));  // -0.9
    EXPECT_TRUE(Hits(RightPair, 0.0f, Steps(54)));
    EXPECT_TRUE(Hits(LeftPair, 0.0f, Steps(5)));
    EXPECT_FALSE(Hits(LeftPair, 0.0f, Steps(6)));
    EXPECT_TRUE(Hits(LeftPair, 0.0f, Steps(-54)));
    EXPECT_TRUE(Hits(EdgePair, 0.0f, Steps(28)));
    EXPECT_FALSE(Hits(EdgePair, 0.0f, Steps(27)));
    EXPECT_TRUE(Hits(EdgePair, 0.0f, Steps(-28)));
    EXPECT_FALSE(Hits(EdgePair, 0.0f, Steps(-27)));
    EXPECT_FALSE(Hits(EdgePair, 0.0f, 0.0f));
}

TEST_F(Steering, SingleBlocksHitWithinTwoPointNineInclusive)
{
    for (const WaveKind kind : {RandomA, RandomB}) {
        EXPECT_TRUE(Hits(kind, 3.0f, 0.1f)) << kind;
        EXPECT_TRUE(Hits(kind, 3.0f, 5.9f)) << kind;
        EXPECT_TRUE(Hits(kind, 3.0f, 3.0f)) << kind;
        EXPECT_FALSE(Hits(kind, 3.0f, 0.0f)) << kind;
        EXPECT_FALSE(Hits(kind, 3.0f, 6.0f)) << kind;
    }
}

TEST_F(Steering, ARowIsLevelWithTheCarFromMinusTwentyOnePointFiveToMinusFourPointNine)
{
    EXPECT_TRUE(Hits(RightPair, 0.0f, 0.0f, -4.9f));
    EXPECT_TRUE(Hits(RightPair, 0.0f, 0.0f, -21.5f));
    EXPECT_FALSE(Hits(RightPair, 0.0f, 0.0f, -2.0f));
    EXPECT_FALSE(Hits(RightPair, 0.0f, 0.0f, -23.0f));
    // Parked rows are far outside the window whatever their flag.
    EXPECT_FALSE(Hits(RightPair, 0.0f, 0.0f, -330.0f));
}

TEST_F(Steering, NoRunNoHitAndNoSteering)
{
    Frame("E");
    GameState.rows[RightPair] = ObstacleRow{-9.0f, 0, 0.0f};
    Frame("R");
    EXPECT_EQ(GameState.carX, 0.0f);
    EXPECT_EQ(GameState.gameOver, 0);
}

TEST_F(Steering, ARowIsTestedInTwoConsecutiveFrames)
{
    // Clear at -9, steps into the span as the row reaches -16: hit.
    QuietRunOnTheCarRow();
    GameState.rows[RightPair] = ObstacleRow{-2.0f, 0, 0.0f};
    GameState.carX = Steps(-6);
    Frame();
    ASSERT_EQ(GameState.rows[RightPair].y, -9.0f);
    EXPECT_EQ(GameState.runActive, 1);
    Frame("R");
    EXPECT_EQ(GameState.rows[RightPair].y, -16.0f);
    EXPECT_EQ(GameState.runActive, 0);

    // Steps in one frame later, with the row at -23: no hit.
    StartFresh();
    QuietRunOnTheCarRow();
    GameState.rows[RightPair] = ObstacleRow{-2.0f, 0, 0.0f};
    GameState.carX = Steps(-6);
    Frames(2);
    Frame("R");
    EXPECT_EQ(GameState.rows[RightPair].y, -23.0f);
    EXPECT_EQ(GameState.runActive, 1);
}

TEST_F(Steering, APauseWhileARowIsLevelWithTheCarDoesNotEndTheRun)
{
    QuietRunOnTheCarRow();
    GameState.rows[EdgePair] = ObstacleRow{-2.0f, 0, 0.0f};
    Frame();
    ASSERT_EQ(GameState.rows[EdgePair].y, -9.0f);
    Frame("P");
    Frames(40);
    EXPECT_EQ(GameState.runActive, 1);
    EXPECT_EQ(GameState.gameOver, 0);
}

}  // namespace
