// run_record_test.cpp -- the run record's text and link: round trips of a real run, and every kind of refusal
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "game/run_record.h"
#include "platform/null/frame_driver.h"
#include "tools/simulation/replay_script.h"

// Found by the comparisons of whole key lists.
static bool operator==(const RecordedKey& a, const RecordedKey& b)
{
    return a.pass == b.pass && a.key == b.key;
}

namespace {

const std::string Header = "kestrel-forges run 1\ngame 1.0.0\n";

// The victory replay (one key a frame at most) as a record, frame N as pass N.
RunRecord VictoryRecord()
{
    std::string text;
    ReplayFrames frames;
    std::string error;
    EXPECT_TRUE(ReadTextFile(KESTREL_REPLAYS "/long_run_victory.keys", &text));
    EXPECT_TRUE(ParseReplayScript(text, &frames, &error)) << error;
    RunRecord record{{}, static_cast<long>(frames.size())};
    for (std::size_t frame = 0; frame < frames.size(); ++frame) {
        for (int key = 0; key < 16 && !frames[frame].empty(); ++key) {
            if (FrameKeyLetter(key) == frames[frame][0]) {
                record.keys.push_back(RecordedKey{static_cast<long>(frame), key});
            }
        }
    }
    return record;
}

std::string ParseError(const std::string& text)
{
    RunRecord record{{}, 0};
    std::string error;
    EXPECT_FALSE(ParseRunRecord(text, &record, &error)) << text.substr(0, 80);
    return error;
}

std::string LinkError(const std::string& link)
{
    RunRecord record{{}, 0};
    std::string error;
    EXPECT_FALSE(DecodeRunLink(link, &record, &error)) << link.substr(0, 80);
    return error;
}

}  // namespace

TEST(RunRecord, VictoryRunComesBackThroughTextAndAShortLink)
{
    const RunRecord victory = VictoryRecord();
    ASSERT_EQ(victory.passes, 2610);
    ASSERT_EQ(victory.keys.size(), 351u);
    RunRecord back{{}, 0};
    std::string error;
    ASSERT_TRUE(ParseRunRecord(FormatRunRecord(victory), &back, &error)) << error;
    EXPECT_EQ(back.keys, victory.keys);
    EXPECT_EQ(back.passes, victory.passes);

    const std::string link = EncodeRunLink(victory);
    std::printf("link of the 70-wave run: %zu characters\n", link.size());
    EXPECT_LT(link.size(), 2048u);
    back = RunRecord{{}, 0};
    ASSERT_TRUE(DecodeRunLink(link, &back, &error)) << error;
    EXPECT_EQ(back.keys, victory.keys);
    EXPECT_EQ(back.passes, victory.passes);
}

TEST(RunRecord, TextIsTheDocumentedFormAndAKilledWriteKeepsItsWholeLines)
{
    const RunRecord record{{{0, 1}, {1, 4}, {40, 3}, {41, 7}}, 2466};
    EXPECT_EQ(FormatRunRecord(record), Header + "0 enter\n1 up\n40 left\n41 help\npasses 2466\n");
    RunRecord cut{{}, 0};
    std::string error;
    ASSERT_TRUE(ParseRunRecord(Header + "# kept\n\n0 enter\n1 up\npasses 24", &cut, &error)) << error;
    EXPECT_EQ(cut.keys, (std::vector<RecordedKey>{{0, 1}, {1, 4}}));
    EXPECT_EQ(cut.passes, 0);
    for (int key = -1; key < 17; ++key) {
        EXPECT_EQ(RecordableKey(key), FrameKeyLetter(key) != '\0') << key;
    }
}

TEST(RunRecord, BadTextGetsOneLine)
{
    EXPECT_EQ(ParseError(""), "the record is empty");
    EXPECT_EQ(ParseError("kestrel-forges run 1\ngame 1.0"), "the record ends inside its header");
    EXPECT_EQ(ParseError("0 enter\n"), "line 1: not a run record (expected \"kestrel-forges run 1\")");
    EXPECT_EQ(ParseError("kestrel-forges run 2\ngame 9.0.0\n"),
              "line 1: the record was made by a newer game (run format 2; this game reads 1)");
    EXPECT_EQ(ParseError(Header + "4 jump\n"), "line 3: unknown key \"jump\"");
    EXPECT_EQ(ParseError(Header + "\x01\xff 9\n"), "line 3: expected a pass number below 1000000, not \"??\"");
    EXPECT_EQ(ParseError(Header + "1000000 up\n"), "line 3: expected a pass number below 1000000, not \"1000000\"");
    EXPECT_EQ(ParseError(Header + "5 up\n5 left\n"), "line 4: pass 5 does not come after pass 5");
    EXPECT_EQ(ParseError(Header + "5 up\npasses 5\n"), "line 4: the passes count 5 must be above 5");
    EXPECT_EQ(ParseError(Header + "passes 9\n7 left\n"), "line 4: unexpected \"7\" after the passes count");
    EXPECT_EQ(ParseError(std::string(MaxRecordBytes + 1, '\n')),
              "the record is 4194305 bytes, over the limit of 4194304");
    std::string many = Header;
    for (long pass = 0; pass <= MaxRecordKeys; ++pass) {
        many += std::to_string(pass) + " up\n";
    }
    EXPECT_EQ(ParseError(many), "line 100003: more than 100000 keys");
}

TEST(RunRecord, BadLinkGetsOneLine)
{
    const std::string link = EncodeRunLink(VictoryRecord());
    std::string corrupt = link;
    corrupt[link.size() / 2] = corrupt[link.size() / 2] == 'A' ? 'B' : 'A';
    EXPECT_EQ(LinkError(corrupt), "the run link is cut short or corrupt (its checksum does not match)");
    EXPECT_EQ(LinkError(link.substr(0, link.size() / 4 * 4 - 4)),
              "the run link is cut short or corrupt (its checksum does not match)");
    EXPECT_EQ(LinkError(""), "the run link is empty");
    EXPECT_EQ(LinkError("AQE=EAAmA"), "the run link has a bad character \"=\" at 4");
    EXPECT_EQ(LinkError(std::string(MaxLinkChars + 1, 'A')),
              "the run link is 65537 characters, over the limit of 65536");
    // Another spelling of the same bytes: the filler bits after the last byte are not zero.
    EXPECT_EQ(LinkError(link.substr(0, link.size() - 1) + static_cast<char>(link.back() + 1)),
              "the run link is cut short or corrupt");
    // Version 2 with no keys; enter and up both at pass 0; enter's number in two bytes where one
    // does; each under a right checksum.
    EXPECT_EQ(LinkError("AgB7bQ"), "the run link was made by a newer game (run format 2; this game reads 1)");
    EXPECT_EQ(LinkError("AQEEAAmA"), "the run link has two keys at pass 0");
    EXPECT_EQ(LinkError("AYEAAP4e"), "the run link has a bad number at byte 1");
}

// A record kept as a game goes stays within what every reader takes; past a link's length it has no link.
TEST(RunRecord, AKeptRecordStopsAtTheReadersLimits)
{
    EXPECT_TRUE(RecordTakes(MaxRecordPasses - 1, MaxRecordKeys - 1));
    EXPECT_FALSE(RecordTakes(MaxRecordPasses, 0));
    EXPECT_FALSE(RecordTakes(0, MaxRecordKeys));
    EXPECT_EQ(RecordedPasses(MaxRecordPasses + 5), MaxRecordPasses);
    RunRecord longGame{{}, 0};
    for (long pass = 0; pass < 30000; ++pass) {
        longGame.keys.push_back(RecordedKey{pass * 30, 3});
    }
    EXPECT_EQ(EncodeRunLink(longGame), "");
}
