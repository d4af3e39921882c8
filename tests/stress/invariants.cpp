// invariants.cpp -- the rules the game state keeps after every frame, for replays, soak and fuzzer
#include "tests/stress/invariants.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "banner/banner_grid.h"
#include "game/key_latch.h"
#include "sound/music.h"

namespace {

constexpr float RoadHalfWidth = 8.2f;
constexpr float LowestRowY = -137.0f;  // one step past the park threshold
constexpr float SpawnY = 460.0f;

bool InRange(int value, int lo, int hi)
{
    return value >= lo && value <= hi;
}

bool SameRoad(const GameStateRecord& a, const GameStateRecord& b)
{
    for (int kind = 0; kind < WaveKindCount; ++kind) {
        if (a.rows[kind].y != b.rows[kind].y || a.rows[kind].hidden != b.rows[kind].hidden ||
            a.rows[kind].x != b.rows[kind].x) {
            return false;
        }
    }
    return a.score == b.score && a.waveTimer == b.waveTimer && a.waveKind == b.waveKind;
}

std::string CheckRanges(const GameStateRecord& s)
{
    if (s.viewMode != ViewTitle && s.viewMode != ViewPlay) {
        return "viewMode " + std::to_string(s.viewMode) + " is neither 1 nor 2";
    }
    if (!InRange(s.pauseState, PauseRunning, PausePaused)) {
        return "pauseState " + std::to_string(s.pauseState) + " outside 0..2";
    }
    if (!InRange(s.pauseFrames, 0, PauseLength)) {
        return "pauseFrames " + std::to_string(s.pauseFrames) + " outside 0..30";
    }
    if (!InRange(InputGate, GateOpen, GateUnopened)) {
        return "InputGate " + std::to_string(InputGate) + " outside 1..3";
    }
    if (!InRange(SoundState, SoundStartPending, SoundStopped)) {
        return "SoundState " + std::to_string(SoundState) + " outside 0..5";
    }
    if (!InRange(s.runActive, 0, 1) || !InRange(s.gameOver, 0, 1)) {
        return "runActive or gameOver is not a flag";
    }
    if (!InRange(s.waveKind, RandomA, EdgePair)) {
        return "waveKind " + std::to_string(s.waveKind) + " outside 0..4";
    }
    if (s.runActive == 1 && !(std::fabs(s.carX) <= RoadHalfWidth)) {
        return "car at x " + std::to_string(s.carX) + " off the road during a run";
    }
    // Steering only moves the car during a run, and every way out of a run recentres it.
    if (s.runActive == 0 && s.carX != 0.0f) {
        return "car at x " + std::to_string(s.carX) + " outside a run";
    }
    for (int kind = 0; kind < WaveKindCount; ++kind) {
        const ObstacleRow& row = s.rows[kind];
        if (row.hidden == 0 && !(row.y >= LowestRowY && row.y <= SpawnY)) {
            return "row " + std::to_string(kind) + " in play at y " + std::to_string(row.y);
        }
    }
    return "";
}

std::string CheckProgress(const GameStateRecord& last, const GameStateRecord& s, const std::string& keys)
{
    if (last.gameOver == 1 && s.gameOver != 1) {
        return "gameOver cleared";
    }
    // Restart from Paused abandons the run, and Enter and Up may start a new one
    // in the same frame; a P in that frame resumes first and restart is ignored.
    const bool abandoned = keys.find('X') != std::string::npos && keys.find('P') == std::string::npos &&
                           last.pauseState == PausePaused;
    const bool continued = last.runActive == 1 && !abandoned;
    if (continued && s.score < last.score) {
        return "score fell from " + std::to_string(last.score) + " to " + std::to_string(s.score) + " within a run";
    }
    if (continued && s.score > last.score + 1) {
        return "score rose by more than one wave in a frame";
    }
    if (!continued && s.runActive == 1 && s.score != 0) {
        return "a run started with score " + std::to_string(s.score);
    }
    if (last.runActive == 0 && s.runActive == 0 && s.score != last.score) {
        return "score changed outside a run";
    }
    // The title view, and so every pause, freezes the road and the run on it.
    // Enter or P can switch to the play view for this frame's step, and a hit
    // can end the run and bring the title view back before the frame ends.
    const bool mayPlay = keys.find('E') != std::string::npos || keys.find('P') != std::string::npos;
    if (!mayPlay && last.viewMode == ViewTitle && s.viewMode == ViewTitle && !SameRoad(last, s)) {
        return "the road moved in the title view";
    }
    return "";
}

}  // namespace

InvariantWatch FreshWatch()
{
    return InvariantWatch{InitialGameState};
}

std::string CheckBannerGrid()
{
    const float* planes[] = {BannerGrid.red, BannerGrid.green, BannerGrid.blue};
    for (const float* plane : planes) {
        // A branch-free sweep over the bit patterns first: this runs every frame
        // of every soak. Shifting out the sign bit lets -0 count as ink too.
        std::uint32_t greyBits = 0;
        std::memcpy(&greyBits, &BannerGrey, sizeof greyBits);
        std::uint32_t cellBits[BannerCells];
        std::memcpy(cellBits, plane, sizeof cellBits);
        std::uint32_t invalid = 0;
        for (const std::uint32_t bits : cellBits) {
            invalid |= static_cast<std::uint32_t>(bits != greyBits) & static_cast<std::uint32_t>((bits << 1) != 0);
        }
        for (int i = 0; invalid != 0 && i < BannerCells; ++i) {
            if (plane[i] != BannerGrey && plane[i] != 0.0f) {
                return "banner cell " + std::to_string(i) + " holds " + std::to_string(plane[i]);
            }
        }
    }
    return "";
}

std::string CheckFrame(InvariantWatch* watch, const std::string& keys)
{
    const GameStateRecord& s = GameState;
    std::string broken = CheckRanges(s);
    if (broken.empty()) {
        broken = CheckProgress(watch->last, s, keys);
    }
    if (broken.empty()) {
        broken = CheckBannerGrid();
    }
    watch->last = s;
    return broken;
}
