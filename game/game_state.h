// game_state.h -- everything the game logic keeps from frame to frame, and its steps
#pragma once

enum ViewMode : int {
    ViewTitle = 1,
    ViewPlay = 2,
};

enum PauseState : int {
    PauseRunning = 0,
    PausePausing = 1,
    PausePaused = 2,
};

// Each wave kind owns exactly one row of blocks, stored at its own index.
enum WaveKind : int {
    RandomA = 0,
    RandomB = 1,
    RightPair = 2,
    LeftPair = 3,
    EdgePair = 4,
};

constexpr int WaveKindCount = 5;

// One row of blocks travelling down the road towards the car.
struct ObstacleRow {
    float y;     // along the road; rows enter at 460 and travel towards -y
    int hidden;  // 0: in play (moved and drawn); anything else: parked
    float x;     // the single block's x, kinds RandomA and RandomB only
};

struct GameStateRecord {
    ViewMode viewMode;        // which view step runs; also picks the camera and banner
    PauseState pauseState;    // Running, Pausing (counting) or Paused
    int pauseFrames;          // frames counted while Pausing, 0..30
    int runActive;            // 1 while a run is in progress
    int gameOver;             // 1 once any run has ended; never cleared
    int score;                // waves survived in the current or last run
    int waveTimer;            // frames since the last wave change
    WaveKind waveKind;        // kind of the current wave
    ObstacleRow rows[WaveKindCount];
    float carX;               // car's sideways position; 0 is the road's centre line
    float carRow;             // -3.2 in every play frame; the car's centre is carRow - 10
    float headingDeg;         // turntable angle in the title view, 180 in play
};

// The state at start-up: title screen, car at 330 degrees, rows 0..2 parked.
constexpr GameStateRecord InitialGameState = {
    ViewTitle, PauseRunning, 0, 0, 0, 0, 0, RandomA,
    {{0.0f, 2, 0.0f}, {0.0f, 2, 0.0f}, {0.0f, 2, 0.0f}, {0.0f, 0, 0.0f}, {0.0f, 0, 0.0f}},
    0.0f, 0.0f, 330.0f,
};

extern GameStateRecord GameState;

// Frames a pause counts before P or R is honoured again.
constexpr int PauseLength = 30;
// The turntable angle at start-up, pause start, restart and end of a run.
constexpr float TitleHeadingDeg = 330.0f;

// Mode machine: pause, restart, Enter and the pause countdown, in that order.
void stepModes();
// Title view: Left and Right turn the turntable, then the car is drawn.
void stepTitle();
// Play view while running: waves, wave timer, steering, then the play scene.
void stepPlay();
// The one end-of-run reset: back to the title view, car centred.
void endRun();

// Waves: run start, wave change, spawn, and the motion of the rows.
void stepWaves();
// Steering: one 0.15 step per latched Right or Left during a run.
void stepSteering();
// Ends the run when the car has left the road.
void checkRoadBounds();
// Ends the run when a row level with the car overlaps it sideways.
void checkHits();

// Puts the game back to its state at start-up.
void ResetGameState();
