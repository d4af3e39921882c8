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
#include "tools/simulation/replay_script.h"
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

// Every bad script is refused with one line naming the fault, before any
// frame list is sized: a huge frame number must not ask for gigabytes.
TEST(ReplayScript, RejectsBadScriptsWithOneLineEach)
{
    struct BadScript {
        const char* text;
        const char* error;
    };
    const BadScript cases[] = {
        {"0 enter\n1 jump\n", "line 2: unknown key \"jump\""},
        {"-3 up\n", "line 1: expected a frame number, not \"-3\""},
        {"up left\n", "line 1: expected a frame number, not \"up\""},
        {"12abc up\n", "line 1: expected a frame number, not \"12abc\""},
        {"4\n", "line 1: expected a key after frame 4"},
        {"4 up right;\n", "line 1: unknown key \"right;\""},
        {"# big\n999999999 up\n", "line 2: frame 999999999 is above the limit of 1000000"},
        {"1000001 up\n", "line 1: frame 1000001 is above the limit of 1000000"},
        {"123456789012345678901234567890 up\n",
         "line 1: frame 123456789012345678901234567890 is above the limit of 1000000"},
        {"frames many\n", "line 1: bad frame count \"many\""},
        {"frames\n", "line 1: expected a frame count after frames"},
        {"frames 10 20\n", "line 1: unexpected \"20\" after the frame count"},
        {"0 up\nframes 2000000\n", "line 2: frame count 2000000 is above the limit of 1000000"},
        {"", "no frames to play"},
        {"# only a comment\n\n", "no frames to play"},
        {"frames 0\n", "no frames to play"},
    };
    for (const BadScript& bad : cases) {
        SCOPED_TRACE(bad.text);
        ReplayFrames frames = {"E"};
        std::string error;
        EXPECT_FALSE(ParseReplayScript(bad.text, &frames, &error));
        EXPECT_EQ(error, bad.error);
        EXPECT_EQ(frames, ReplayFrames{"E"}) << "a refused script leaves the frames alone";
    }
    // The limit itself is a frame like any other.
    ReplayFrames frames;
    std::string error;
    ASSERT_TRUE(ParseReplayScript("1000000 up\n", &frames, &error)) << error;
    EXPECT_EQ(frames.size(), 1000001u);
    EXPECT_EQ(frames.back(), "U");
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
    EXPECT_EQ(bytes[0] & ModeBits, KeyMode);
    frames[1] = "EU";  // decoding lists keys in Frame() order
    EXPECT_EQ(DecodeFuzzFrames(bytes.data(), bytes.size()), frames);
    EXPECT_LT(bytes.size(), 20u);

    const std::vector<std::uint8_t> endless(1000, 0xff);
    EXPECT_EQ(DecodeFuzzFrames(endless.data(), endless.size()).size(), MaxFuzzFrames);
    EXPECT_EQ(EncodeFuzzText(BannerMode, "score")[0] & ModeBits, BannerMode);
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
