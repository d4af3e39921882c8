// mode_machine_test.cpp -- views, pauses, restarts and the turntable, frame by frame
#include <gtest/gtest.h>

#include <chrono>
#include <utility>
#include <vector>

#include "game/game_state.h"
#include "game/gamepad.h"
#include "game/help_state.h"
#include "game/key_latch.h"
#include "game/key_queue.h"
#include "game/key_table.h"
#include "game/main_loop.h"
#include "platform/null/platform_recorder.h"
#include "sound/music.h"
#include "tests/support/frame_script.h"

namespace {

class ModeMachine : public ::testing::Test {
protected:
    void SetUp() override { StartFresh(); }
};

TEST_F(ModeMachine, TurntableTurnsTwoDegreesPerKeyInTheTitleView)
{
    Frame();
    EXPECT_EQ(GameState.viewMode, ViewTitle);
    EXPECT_FLOAT_EQ(GameState.headingDeg, 330.0f);
    Frame("R");
    Frame("R");
    EXPECT_FLOAT_EQ(GameState.headingDeg, 334.0f);
    Frame("L");
    EXPECT_FLOAT_EQ(GameState.headingDeg, 332.0f);
    // Turning freely past a full circle: no wrap-around.
    for (int i = 0; i < 20; ++i) {
        Frame("R");
    }
    EXPECT_FLOAT_EQ(GameState.headingDeg, 372.0f);
}

TEST_F(ModeMachine, EnterOpensThePlayViewWithoutARunAndSteeringWaitsForUp)
{
    Frame("E");
    EXPECT_EQ(GameState.viewMode, ViewPlay);
    EXPECT_EQ(GameState.runActive, 0);
    // The play step already ran in the Enter frame.
    EXPECT_EQ(GameState.waveTimer, 1);
    EXPECT_FLOAT_EQ(GameState.headingDeg, 180.0f);
    Frame("R");
    Frame("L");
    Frame("L");
    EXPECT_EQ(GameState.carX, 0.0f);
    Frame("E");
    EXPECT_EQ(GameState.viewMode, ViewPlay);
    Frame("U");
    EXPECT_EQ(GameState.runActive, 1);
    Frame("R");
    EXPECT_FLOAT_EQ(GameState.carX, 0.15f);
}

TEST_F(ModeMachine, PauseCountsThirtyFramesAndIgnoresKeysUntilThen)
{
    Frame("E");
    Frame("U");
    Frames(5);
    const GameStateRecord before = GameState;

    Frame("P");
    EXPECT_EQ(GameState.viewMode, ViewTitle);
    EXPECT_EQ(GameState.pauseState, PausePausing);
    EXPECT_EQ(GameState.pauseFrames, 1);
    EXPECT_FLOAT_EQ(GameState.headingDeg, 330.0f);
    EXPECT_EQ(GameState.runActive, 1);

    // Frames 2..30: P and R do nothing and are not remembered; Enter neither.
    for (int frame = 2; frame <= 30; ++frame) {
        Frame(frame % 3 == 0 ? "P" : (frame % 3 == 1 ? "X" : "E"));
        EXPECT_EQ(GameState.pauseFrames, frame);
        EXPECT_EQ(GameState.viewMode, ViewTitle);
    }
    EXPECT_EQ(GameState.pauseState, PausePaused);
    Frames(10);
    EXPECT_EQ(GameState.pauseState, PausePaused);
    EXPECT_EQ(GameState.pauseFrames, 30);

    // Resuming restores the run exactly, and the run moves on in that frame.
    Frame("LLR");
    Frame("P");
    EXPECT_EQ(GameState.viewMode, ViewPlay);
    EXPECT_EQ(GameState.pauseState, PauseRunning);
    EXPECT_EQ(GameState.pauseFrames, 30);
    EXPECT_EQ(GameState.score, before.score);
    EXPECT_EQ(GameState.waveTimer, before.waveTimer + 1);
    EXPECT_EQ(GameState.carX, before.carX);
    for (int kind = 0; kind < WaveKindCount; ++kind) {
        if (before.rows[kind].hidden == 0) {
            EXPECT_EQ(GameState.rows[kind].y, before.rows[kind].y - 7.0f) << kind;
        } else {
            EXPECT_EQ(GameState.rows[kind].y, before.rows[kind].y) << kind;
        }
    }
    EXPECT_FLOAT_EQ(GameState.headingDeg, 180.0f);
}

TEST_F(ModeMachine, PauseKeyOnlyPausesFromThePlayView)
{
    Frame("P");
    EXPECT_EQ(GameState.pauseState, PauseRunning);
    EXPECT_EQ(GameState.viewMode, ViewTitle);

    // Waiting on the road with no run still pauses, and resumes to the road.
    Frame("E");
    Frame("P");
    Frames(29);
    EXPECT_EQ(GameState.pauseState, PausePaused);
    Frame("P");
    EXPECT_EQ(GameState.viewMode, ViewPlay);
    EXPECT_EQ(GameState.runActive, 0);
}

TEST_F(ModeMachine, RestartFromPausedAbandonsTheRunButKeepsScoreAndGameOver)
{
    Frame("E");
    Frame("U");
    Frames(40);
    Frame("R");
    ASSERT_EQ(GameState.score, 1);
    GameState.gameOver = 1;
    Frame("P");
    Frames(29);
    Frame("X");
    EXPECT_EQ(GameState.viewMode, ViewTitle);
    EXPECT_EQ(GameState.pauseState, PauseRunning);
    EXPECT_EQ(GameState.pauseFrames, 0);
    EXPECT_EQ(GameState.runActive, 0);
    EXPECT_EQ(GameState.carX, 0.0f);
    EXPECT_FLOAT_EQ(GameState.headingDeg, 330.0f);
    EXPECT_EQ(GameState.score, 1);
    EXPECT_EQ(GameState.gameOver, 1);
}

TEST_F(ModeMachine, RestartIsIgnoredOutsideThePausedState)
{
    Frame("E");
    Frame("U");
    Frame("X");
    EXPECT_EQ(GameState.viewMode, ViewPlay);
    EXPECT_EQ(GameState.runActive, 1);
    Frame("P");
    Frame("X");
    EXPECT_EQ(GameState.pauseState, PausePausing);
}

TEST_F(ModeMachine, TurntableDuringAPauseHasNoLastingEffect)
{
    Frame("E");
    Frame("P");
    Frame("R");
    Frame("R");
    EXPECT_FLOAT_EQ(GameState.headingDeg, 334.0f);
    Frames(27);
    Frame("P");
    EXPECT_FLOAT_EQ(GameState.headingDeg, 180.0f);
}

TEST_F(ModeMachine, LatchIsClearedAtTheEndOfEveryFrameUsedOrNot)
{
    Frame("EU");
    EXPECT_EQ(KeyLatch.enter, 0);
    EXPECT_EQ(KeyLatch.up, 0);
    // Up latched in the Enter frame was seen by the play step of that frame.
    EXPECT_EQ(GameState.runActive, 1);
    Frame("X");
    EXPECT_EQ(KeyLatch.restart, 0);
}

TEST(InputGateRule, OneGatedKeyPerPassAndNothingWhileClosedOrUnopened)
{
    StartFresh();
    EXPECT_EQ(InputGate, GateUnopened);
    EXPECT_FALSE(TakeGatedKey());
    EXPECT_EQ(InputGate, GateUnopened);
    InputGate = GateOpen;
    EXPECT_TRUE(TakeGatedKey());
    EXPECT_EQ(InputGate, GateClosed);
    EXPECT_FALSE(TakeGatedKey());
    EXPECT_EQ(InputGate, GateClosed);

    // Through the key table: a shut gate lets no key latch or stop a settled
    // tune; Escape alone goes through.
    const auto latched = [] {
        return KeyLatch.enter + KeyLatch.left + KeyLatch.up + KeyLatch.right + KeyLatch.pause + KeyLatch.restart;
    };
    SoundState = SoundPlaying;
    for (const int gate : {GateClosed, GateUnopened}) {
        for (int key = GameKeyEnter; key <= GameKeyS; ++key) {
            InputGate = gate;
            EXPECT_EQ(PressGameKey(key), key == GameKeyEscape ? KeyActionQuit : KeyActionNone) << key;
            EXPECT_EQ(InputGate, gate) << key;
            EXPECT_EQ(latched(), 0) << key;
            EXPECT_EQ(SoundState, SoundPlaying) << key;
        }
    }
    // An open gate takes Left as Left and drops the Right behind it.
    InputGate = GateOpen;
    EXPECT_EQ(PressGameKey(GameKeyLeft), KeyActionNone);
    EXPECT_EQ(PressGameKey(GameKeyRight), KeyActionNone);
    EXPECT_EQ(KeyLatch.left, 1);
    EXPECT_EQ(latched(), 1);
}

// The ports' part of the loop pass: the oldest input waiting in the key queue.
void TakeQueuedKey()
{
    TakeQueuedInput();
}

TEST(LoopPass, OneKeyAPassThenTheFrameAndNoFrameOnceQuitting)
{
    StartFresh();
    // Two keys queued before a pass act in two frames, one each.
    QueueKeyDown(GameKeyEnter, false);
    QueueKeyDown(GameKeyUp, false);
    RunLoopPass(TakeQueuedKey);
    EXPECT_EQ(GameState.viewMode, ViewPlay);
    EXPECT_EQ(GameState.runActive, 0);
    RunLoopPass(TakeQueuedKey);
    EXPECT_EQ(GameState.runActive, 1);
    // A pass without a key leaves the gate shut too: a key between passes is dropped.
    RunLoopPass(TakeQueuedKey);
    EXPECT_EQ(InputGate, GateClosed);
    PressGameKey(GameKeyRight);
    EXPECT_EQ(KeyLatch.right, 0);
    EXPECT_EQ(platformRecord.presents, 3);

    // A repeat folds into a press of its own key still waiting, never into another key's.
    const float carX = GameState.carX;
    QueueKeyDown(GameKeyLeft, false);
    QueueKeyDown(GameKeyLeft, true);
    QueueKeyDown(GameKeyRight, true);
    RunLoopPass(TakeQueuedKey);
    RunLoopPass(TakeQueuedKey);
    EXPECT_FALSE(InputWaiting());
    EXPECT_FLOAT_EQ(GameState.carX, carX) << "Left, then Right";

    // M shows the help; an M while it is shown only takes the gate.
    QueueKeyDown(GameKeyM, false);
    RunLoopPass(TakeQueuedKey);
    ASSERT_EQ(helpOpen, 1);
    EXPECT_EQ(platformRecord.helpShown, 1);
    InputGate = GateOpen;
    EXPECT_EQ(PressGameKey(GameKeyM), KeyActionNone);
    EXPECT_EQ(InputGate, GateClosed);
    // Closing it hands the keyboard back once, in the next frame's tail.
    NoteHelpClosed();
    EXPECT_TRUE(TakeFocusRestore());
    EXPECT_FALSE(TakeFocusRestore());

    // Escape quits once; neither that pass nor a later one draws a frame.
    QueueKeyDown(GameKeyEscape, false);
    QueueKeyDown(GameKeyEscape, false);
    RunLoopPass(TakeQueuedKey);
    RunLoopPass(TakeQueuedKey);
    EXPECT_EQ(platformRecord.quits, 1);
    EXPECT_EQ(platformRecord.exitCode, EscapeExitCode);
    EXPECT_FALSE(loopRunning);
    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(quitArmed, 2);
    EXPECT_EQ(platformRecord.presents, 6);

    // The shells that sleep pause 34 ms after every frame's work.
    const auto start = std::chrono::steady_clock::now();
    SleepOneFramePause();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(34));
    StartFresh();
}

// The keys the queue reports taken, as a record being kept sees them.
std::vector<std::pair<long, int>> keptKeys;

void KeepKey(long pass, int key)
{
    keptKeys.emplace_back(pass, key);
}

TEST(LoopPass, ARecordPlaysEachKeyAtItsPassThenThePlayerTakesOver)
{
    StartFresh();
    keptKeys.clear();
    WatchTakenKeys(KeepKey);
    QueueRecordedKey(1, GameKeyM);
    QueueRecordedKey(2, GameKeyEnter);
    QueueRecordedKey(4, GameKeyUp);
    RunLoopPass(TakeQueuedKey);
    // The player's keys while the record plays do nothing, then or later; the record's M shows no help.
    QueueKeyDown(GameKeyEnter, false);
    RunLoopPass(TakeQueuedKey);
    EXPECT_EQ(GameState.viewMode, ViewTitle);
    EXPECT_EQ(platformRecord.helpShown, 0);
    RunLoopPass(TakeQueuedKey);
    EXPECT_EQ(GameState.viewMode, ViewPlay);
    QueueKeyDown(GameKeyUp, false);
    RunLoopPass(TakeQueuedKey);
    EXPECT_EQ(GameState.runActive, 0);
    RunLoopPass(TakeQueuedKey);
    EXPECT_EQ(GameState.runActive, 1);
    EXPECT_FALSE(PlayingRecord());
    // After the record's last key the player's keys count again, and the record being kept holds them all.
    QueueKeyDown(GameKeyRight, false);
    RunLoopPass(TakeQueuedKey);
    EXPECT_GT(GameState.carX, 0.1f);
    const std::vector<std::pair<long, int>> taken = {
        {1, GameKeyM}, {2, GameKeyEnter}, {4, GameKeyUp}, {5, GameKeyRight}};
    EXPECT_EQ(keptKeys, taken);

    // Escape ends the game while a record plays, as ever.
    StartFresh();
    QueueRecordedKey(3, GameKeyEnter);
    QueueKeyDown(GameKeyEscape, false);
    RunLoopPass(TakeQueuedKey);
    EXPECT_EQ(platformRecord.quits, 1);
    EXPECT_EQ(platformRecord.exitCode, EscapeExitCode);
    StartFresh();
}

// The pads' keys as a shell receives them: the key, and whether it is a repeat.
std::vector<std::pair<int, bool>> padKeys;

void KeepPadKey(int key, bool repeat)
{
    padKeys.emplace_back(key, repeat);
}

TEST(GamePad, ButtonsOnTheirEdgeAStickWithoutChatterDirectionsRepeatAndEscapeTakesTwoButtons)
{
    StartFresh();
    padKeys.clear();
    const auto read = [](unsigned held, float stickX, double ms) { ReadPads(PadReading{held, stickX}, ms, KeepPadKey); };
    const auto button = [](PadControl control) { return 1u << control; };
    read(button(PadStart), 0.0f, 0);
    read(button(PadStart), 0.0f, 10);
    read(button(PadSouth), 0.0f, 20);
    // Pushed past half way, then resting about there: one Right until the stick comes back inside a quarter.
    for (const float x : {0.55f, 0.45f, 0.55f, 0.3f, 0.49f, 0.2f, 0.55f}) {
        read(0, x, 40);
    }
    read(0, 0.0f, 60);
    // A held D-pad Left repeats after 500 ms, then every 33 ms, at most once a reading.
    for (const double ms : {300.0, 750.0, 799.0, 800.0, 820.0, 833.0, 2000.0}) {
        read(button(PadLeft), 0.0f, ms);
    }
    read(button(PadWest), 0.0f, 2100);
    read(button(PadNorth), 0.0f, 2200);
    read(button(PadEast), 0.0f, 2300);
    // Back alone gives M when let go; Back with Start is Escape, and then no M.
    read(button(PadBack), 0.0f, 2400);
    read(0, 0.0f, 2500);
    read(button(PadBack), 0.0f, 2600);
    read(button(PadBack) | button(PadStart), 0.0f, 2700);
    read(0, 0.0f, 2800);
    const std::vector<std::pair<int, bool>> expected = {
        {GameKeyEnter, false}, {GameKeyUp, false}, {GameKeyRight, false}, {GameKeyRight, false},
        {GameKeyLeft, false}, {GameKeyLeft, true}, {GameKeyLeft, true}, {GameKeyLeft, true},
        {GameKeyP, false}, {GameKeyR, false}, {GameKeyS, false}, {GameKeyM, false}, {GameKeyEscape, false}};
    EXPECT_EQ(padKeys, expected);
}

}  // namespace
