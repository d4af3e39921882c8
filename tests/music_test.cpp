// music_test.cpp -- the tune's start and stop calls along the frames, and the S key's holds
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/key_latch.h"
#include "game/key_table.h"
#include "platform/null/platform_recorder.h"
#include "sound/music.h"
#include "tests/support/frame_script.h"

namespace {

class Music : public ::testing::Test {
protected:
    void SetUp() override { StartFresh(); }

    // One loop pass in which S reaches the key table, then its frame.
    // Returns whether the key passed the gate.
    static bool PassWithS()
    {
        InputGate = GateOpen;
        EXPECT_EQ(PressGameKey(GameKeyS), KeyActionNone);
        const bool taken = InputGate == GateClosed;
        Frame();
        return taken;
    }

    static std::vector<std::string> Calls() { return platformRecord.music; }
};

using Strings = std::vector<std::string>;

TEST_F(Music, StartsInTheFirstFrameAndIgnoresSUntilTheHoldIsOver)
{
    Frame();
    EXPECT_EQ(Calls(), Strings{"start"});
    EXPECT_EQ(SoundState, SoundPlayingHold);
    // Through the 61st frame after the start S passes the gate but changes nothing.
    for (int frame = 2; frame <= 62; ++frame) {
        EXPECT_TRUE(PassWithS());
        EXPECT_EQ(InputGate, GateClosed);
        EXPECT_EQ(Calls(), Strings{"start"}) << frame;
    }
    EXPECT_EQ(SoundState, SoundPlaying);
    // The next pass's S stops the tune in that same pass's frame.
    PassWithS();
    EXPECT_EQ(Calls(), (Strings{"start", "stop"}));
    EXPECT_EQ(SoundState, SoundStoppedHold);
}

TEST_F(Music, StopThenHoldThenStartAgain)
{
    Frames(62);
    ASSERT_EQ(SoundState, SoundPlaying);
    PassWithS();
    ASSERT_EQ(Calls(), (Strings{"start", "stop"}));
    for (int i = 0; i < 61; ++i) {
        PassWithS();
    }
    EXPECT_EQ(Calls(), (Strings{"start", "stop"}));
    EXPECT_EQ(SoundState, SoundStopped);
    PassWithS();
    EXPECT_EQ(Calls(), (Strings{"start", "stop", "start"}));
}

TEST_F(Music, AHeldKeyAlternatesPhasesOfAtLeastSixtyTwoFrames)
{
    std::vector<int> callFrames;
    std::size_t seen = 0;
    for (int frame = 1; frame <= 1000; ++frame) {
        PassWithS();
        if (Calls().size() != seen) {
            seen = Calls().size();
            callFrames.push_back(frame);
        }
    }
    ASSERT_GE(callFrames.size(), 10U);
    for (std::size_t i = 1; i < callFrames.size(); ++i) {
        EXPECT_EQ(callFrames[i] - callFrames[i - 1], 62) << i;
        EXPECT_EQ(Calls()[i], i % 2 == 1 ? "stop" : "start");
    }
}

TEST_F(Music, GameModesLeaveTheMusicAlone)
{
    Frame("E");
    Frame("U");
    Frame("P");
    Frames(29);
    Frame("X");
    for (int i = 0; i < 55; ++i) {
        Frame("R");
    }
    Frame("E");
    Frame("U");
    for (int i = 0; i < 55; ++i) {
        Frame("L");
    }
    EXPECT_EQ(Calls(), Strings{"start"});
    EXPECT_EQ(SoundState, SoundPlaying);
}

TEST_F(Music, SettledStatesKeepTheirCounterBounded)
{
    SoundState = SoundPlaying;
    soundHoldFrames = 2147483647;
    Frame();
    EXPECT_EQ(SoundState, SoundPlaying);
    EXPECT_EQ(soundHoldFrames, 2147483647);
}

}  // namespace
