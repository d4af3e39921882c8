// game_state.cpp -- the game state record, the mode machine and the two view steps
#include "game/game_state.h"

#include "game/key_latch.h"
#include "render/scene_composition.h"

GameStateRecord GameState = InitialGameState;

void endRun()
{
    GameState.viewMode = ViewTitle;
    GameState.pauseFrames = 0;
    GameState.runActive = 0;
    GameState.carX = 0.0f;
    GameState.headingDeg = TitleHeadingDeg;
    GameState.gameOver = 1;
}

void stepModes()
{
    // Pause key: start a pause from the play view, or resume once Paused.
    // A run in progress is frozen by the pause, not ended.
    if (KeyLatch.pause != 0) {
        if (GameState.pauseState == PauseRunning && GameState.viewMode == ViewPlay) {
            GameState.headingDeg = TitleHeadingDeg;
            GameState.pauseFrames = 0;
            GameState.pauseState = PausePausing;
            GameState.viewMode = ViewTitle;
        } else if (GameState.pauseState == PausePaused) {
            GameState.pauseState = PauseRunning;
            GameState.viewMode = ViewPlay;
        }
    }

    // Restart key: only from Paused; abandons the run but keeps the score.
    if (KeyLatch.restart != 0 && GameState.pauseState == PausePaused) {
        GameState.pauseState = PauseRunning;
        GameState.pauseFrames = 0;
        GameState.viewMode = ViewTitle;
        GameState.runActive = 0;
        GameState.carX = 0.0f;
        GameState.headingDeg = TitleHeadingDeg;
    }

    if (KeyLatch.enter != 0 && GameState.pauseState == PauseRunning) {
        GameState.viewMode = ViewPlay;
    }

    // The countdown runs after the keys, so the frame that reaches Paused
    // still ignores P and R.
    if (GameState.pauseState == PausePausing) {
        if (GameState.pauseFrames < PauseLength) {
            GameState.pauseFrames += 1;
        }
        if (GameState.pauseFrames >= PauseLength) {
            GameState.pauseState = PausePaused;
        }
    }
}

void stepTitle()
{
    if (KeyLatch.right != 0) {
        GameState.headingDeg += 2.0f;
    }
    if (KeyLatch.left != 0) {
        GameState.headingDeg -= 2.0f;
    }
    DrawTitleScene();
}

void stepPlay()
{
    stepWaves();
    GameState.waveTimer += 1;
    stepSteering();
    GameState.headingDeg = 180.0f;
    GameState.carRow = -3.2f;
    DrawPlayScene();
}

void ResetGameState()
{
    GameState = InitialGameState;
}
