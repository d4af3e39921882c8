// stress_support_test.cpp -- the replay format, the fuzzer's byte coding and the invariant checks themselves
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "banner/banner_grid.h"
#include "game/game_state.h"
#include "game/key_latch.h"
#include "sound/music.h"
#include "tests/stress/fuzz_input.h"
#include "tests/stress/invariants.h"
#include "tests/stress/replay_script.h"
#include "tests/support/frame_script.h"

namespace {

TEST(ReplayScript, ReadsKeysCommentsAndTheFrameCount)
{
    ReplayFrames frames;
    std::string error;
    ASSERT_TRUE(ParseReplayScript("# start\n0 enter   # into play\n\n2 up right\n2 left\nframes 5\n", &frames, &error))
        << error;
    EXPECT_EQ(frames, (ReplayFrames{"E", "", "URL", "", ""}));
    // A count below the last keyed frame does not cut the keys off.
    ASSERT_TRUE(ParseReplayScript("frames 2\n4 pause restart\n", &frames, &error)) << error;
    EXPECT_EQ(frames, (ReplayFrames{"", "", "", "", "PX"}));
}

TEST(ReplayScript, RejectsBadLinesWithTheirNumber)
{
    ReplayFrames frames;
    std::string error;
    EXPECT_FALSE(ParseReplayScript("0 enter\n1 jump\n", &frames, &error));
    EXPECT_EQ(error, "line 2: unknown key jump");
    EXPECT_FALSE(ParseReplayScript("-3 up\n", &frames, &error));
    EXPECT_EQ(error, "line 1: expected a frame number");
    EXPECT_FALSE(ParseReplayScript("frames many\n", &frames, &error));
    EXPECT_EQ(error, "line 1: bad frame count");
}

TEST(ReplayScript, WrittenScriptsReadBackToTheSameFrames)
{
    const ReplayFrames frames = {"", "EU", "", "LRPX", "", "", ""};
    const std::string text = FormatReplayScript(frames, {"a note"});
    EXPECT_EQ(text, "# a note\n1 enter up\n3 left right pause restart\nframes 7\n");
    ReplayFrames back;
    std::string error;
    ASSERT_TRUE(ParseReplayScript(text, &back, &error)) << error;
    EXPECT_EQ(back, frames);
}

TEST(FuzzInput, GroupsHoldTheirKeysForOneTwoEightOrThirtyTwoFrames)
{
    const std::vector<std::uint8_t> bytes = {0, 0x01, 0x44, 0x80, 0xc2};
    const ReplayFrames frames = DecodeFuzzFrames(bytes.data(), bytes.size());
    ASSERT_EQ(frames.size(), 1u + 2u + 8u + 32u);
    EXPECT_EQ(frames[0], "E");
    EXPECT_EQ(frames[1], "U");
    EXPECT_EQ(frames[2], "U");
    EXPECT_EQ(frames[3], "");
    EXPECT_EQ(frames[10], "");
    EXPECT_EQ(frames[11], "L");
    EXPECT_EQ(frames[42], "L");
}

TEST(FuzzInput, EncodedFramesDecodeToTheSameFramesAndStayBounded)
{
    ReplayFrames frames(75, "");
    frames[0] = "E";
    frames[1] = "UE";
    for (int i = 10; i < 47; ++i) {
        frames[static_cast<std::size_t>(i)] = "R";
    }
    frames[74] = "PX";
    const std::vector<std::uint8_t> bytes = EncodeFuzzFrames(frames);
    EXPECT_EQ(bytes[0] & BannerMode, 0);
    frames[1] = "EU";  // decoding lists keys in Frame() order
    EXPECT_EQ(DecodeFuzzFrames(bytes.data(), bytes.size()), frames);
    EXPECT_LT(bytes.size(), 20u);

    const std::vector<std::uint8_t> endless(1000, 0xff);
    EXPECT_EQ(DecodeFuzzFrames(endless.data(), endless.size()).size(), MaxFuzzFrames);
    EXPECT_EQ(EncodeFuzzBanner("score")[0] & BannerMode, BannerMode);
}

// Runs frames from a fresh start and returns the first broken rule, if any.
std::string PlayChecked(const ReplayFrames& frames)
{
    StartFresh();
    InvariantWatch watch = FreshWatch();
    for (const std::string& keys : frames) {
        Frame(keys);
        const std::string broken = CheckFrame(&watch, keys);
        if (!broken.empty()) {
            return broken;
        }
    }
    return "";
}

TEST(Invariants, HoldThroughPausesRestartsAndARestartedRun)
{
    ReplayFrames frames = {"", "E", "U"};
    frames.resize(40, "L");
    frames.push_back("P");
    frames.resize(75, "");
    // Restart, Enter and Up in one frame: the old run is dropped and a new one
    // starts at score 0 without the run ever being seen inactive.
    frames.push_back("XEU");
    frames.resize(200, "R");
    EXPECT_EQ(PlayChecked(frames), "");
    EXPECT_EQ(GameState.gameOver, 1);
}

// Plays frames from a fresh start, checking each, then plants one fault
// between frames and returns what the check of the next frame reports.
std::string CheckPlanted(void (*plant)())
{
    StartFresh();
    InvariantWatch watch = FreshWatch();
    ReplayFrames frames = {"E", "U"};
    frames.resize(42, "");
    for (const std::string& keys : frames) {
        Frame(keys);
        EXPECT_EQ(CheckFrame(&watch, keys), "");
    }
    plant();
    return CheckFrame(&watch, "");
}

TEST(Invariants, EachPlantedFaultIsReported)
{
    EXPECT_NE(CheckPlanted([] { GameState.carX = 8.35f; }), "");
    EXPECT_NE(CheckPlanted([] { GameState.score -= 1; }), "");
    EXPECT_NE(CheckPlanted([] { GameState.rows[GameState.waveKind].y = 461.0f; }), "");
    EXPECT_NE(CheckPlanted([] { GameState.rows[GameState.waveKind].y = -138.0f; }), "");
    EXPECT_NE(CheckPlanted([] { GameState.pauseFrames = 31; }), "");
    EXPECT_NE(CheckPlanted([] { GameState.pauseState = static_cast<PauseState>(3); }), "");
    EXPECT_NE(CheckPlanted([] { GameState.viewMode = static_cast<ViewMode>(0); }), "");
    EXPECT_NE(CheckPlanted([] { InputGate = 0; }), "");
    EXPECT_NE(CheckPlanted([] { SoundState = 6; }), "");
    EXPECT_NE(CheckPlanted([] { BannerGrid.green[3199] = 0.25f; }), "");
    EXPECT_NE(CheckPlanted([] {
                  GameState.runActive = 0;
                  GameState.carX = 0.15f;
              }),
              "");
    EXPECT_NE(CheckPlanted([] { GameState.score += 2; }), "");
    // Unplanted, the same frames pass.
    EXPECT_EQ(CheckPlanted([] {}), "");
}

TEST(Invariants, ThePausedRoadMustNotMove)
{
    StartFresh();
    InvariantWatch watch = FreshWatch();
    ReplayFrames frames = {"E", "U"};
    frames.resize(22, "");
    frames.push_back("P");
    frames.push_back("");
    for (const std::string& keys : frames) {
        Frame(keys);
        ASSERT_EQ(CheckFrame(&watch, keys), "");
    }
    Frame();
    GameState.rows[EdgePair].y -= 7.0f;
    EXPECT_EQ(CheckFrame(&watch, ""), "the road moved in the title view");
}

}  // namespace
