// banner_test.cpp -- the messages, the pixel font in the grid, and the drawing of the sheet
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "banner/banner_grid.h"
#include "banner/banner_text.h"
#include "banner/pixel_font.h"
#include "game/game_state.h"
#include "platform/null/gl_recorder.h"
#include "tests/support/frame_script.h"

namespace {

using Cell = std::pair<int, int>;  // row, column

// Cells holding ink (0 in all three planes); fails on any other colour.
std::set<Cell> Ink()
{
    std::set<Cell> ink;
    for (int i = 0; i < BannerCells; ++i) {
        const float r = BannerGrid.red[i];
        const float g = BannerGrid.green[i];
        const float b = BannerGrid.blue[i];
        EXPECT_TRUE((r == 0.0f && g == 0.0f && b == 0.0f) || (r == 0.5f && g == 0.5f && b == 0.5f)) << i;
        if (r == 0.0f) {
            ink.insert({i / BannerColumns, i % BannerColumns});
        }
    }
    return ink;
}

std::set<Cell> Stamp(const std::string& text)
{
    ResetBannerGrid();
    StampBannerText(text);
    return Ink();
}

// The ink of one glyph placed at a character position.
std::set<Cell> Shifted(const std::set<Cell>& glyph, int position)
{
    std::set<Cell> moved;
    for (const Cell& cell : glyph) {
        moved.insert({cell.first, cell.second + 4 * position});
    }
    return moved;
}

TEST(PixelFont, LetterAInksExactlyItsTenCells)
{
    const std::set<Cell> expected = {{2, 2}, {3, 1}, {3, 3}, {4, 1}, {4, 2}, {4, 3}, {5, 1}, {5, 3}, {6, 1}, {6, 3}};
    EXPECT_EQ(Stamp("a"), expected);
    EXPECT_TRUE(Stamp("").empty());
    EXPECT_TRUE(Stamp("     ").empty());
}

TEST(PixelFont, CharactersMapToTheirGlyphCodesInFontOrder)
{
    const std::string all = "abcdefghijklmnopqrstuvwxyz,. 0123456789";
    for (std::size_t p = 0; p < all.size(); ++p) {
        EXPECT_EQ(GlyphCode(all[p]), static_cast<int>(p) + 1);
    }
    EXPECT_EQ(GlyphCode('A'), 0);
    EXPECT_EQ(GlyphCode('-'), 0);
    EXPECT_EQ(GlyphCode('\0'), 0);
}

TEST(PixelFont, CharactersWithoutAGlyphRepeatTheLastMappedOne)
{
    const std::set<Cell> a = Stamp("a");
    const std::set<Cell> b = Stamp("b");
    std::set<Cell> expected = a;
    for (int p : {1, 2, 3}) {
        const std::set<Cell> moved = Shifted(b, p);
        expected.insert(moved.begin(), moved.end());
    }
    EXPECT_EQ(Stamp("abBQ"), expected);
    // Nothing before it mapped, or a space did: nothing stamped, cursor still moves.
    EXPECT_TRUE(Stamp("XYZ").empty());
    EXPECT_EQ(Stamp("Q a"), Shifted(a, 2));
    EXPECT_EQ(Stamp("a A"), a);
}

TEST(PixelFont, TitleStartsAtColumnTwentyNineAndVictoryShowsThreeDots)
{
    const std::set<Cell> title = Stamp("       kestrel forges hazard highway 3d");
    EXPECT_EQ(title.begin()->second, 29);
    for (const Cell& cell : title) {
        EXPECT_GE(cell.second, 29);
    }
    // The comma inks the two bottom cells of its left column, the full stop the last one.
    EXPECT_EQ(Stamp(","), (std::set<Cell>{{5, 1}, {6, 1}}));
    const std::set<Cell> dots = Stamp("       victory... score  70");
    for (const int column : {57, 61, 65}) {
        EXPECT_EQ(dots.count({6, column}), 1U) << column;
        EXPECT_EQ(dots.count({5, column}), 0U) << column;
        EXPECT_EQ(dots.count({6, column + 1}), 0U) << column;
    }
}

TEST(PixelFont, LongTextsRunOnRowByRowAndNeverLeaveTheGrid)
{
    // Character 81 lands one row lower, starting again at column 1.
    const std::string line(80, ' ');
    EXPECT_EQ(Stamp(line + "a"), [] {
        std::set<Cell> lower;
        for (const Cell& cell : Stamp("a")) {
            lower.insert({cell.first + 1, cell.second});
        }
        return lower;
    }());
    // Full text of 1000 digits: ink only inside, and the tail past 320 skipped.
    const std::string longText(1000, '8');
    const std::set<Cell> ink = Stamp(longText);
    EXPECT_FALSE(ink.empty());
    EXPECT_EQ(ink, Stamp(longText.substr(0, 320)));
    EXPECT_EQ(textCursor, 1 + 4 * 320);
}

TEST(PixelFont, OverlappingInkIsAUnion)
{
    // Characters 1 and 81 share columns on overlapping rows.
    std::string text = "o" + std::string(79, ' ') + "x";
    std::set<Cell> expected = Stamp("o");
    for (const Cell& cell : Stamp("x")) {
        expected.insert({cell.first + 1, cell.second});
    }
    EXPECT_EQ(Stamp(text), expected);
}

class BannerMessages : public ::testing::Test {
protected:
    void SetUp() override { StartFresh(); }
};

using Picture = std::vector<std::string>;

// What the banner shows from character position `from` on, as the player
// reads it: grid rows 2 to 6, '#' for ink, '.' for grey, a blank between
// characters.
Picture Shown(int from, int characters)
{
    const std::set<Cell> ink = Ink();
    Picture rows;
    for (int row = 2; row <= 6; ++row) {
        std::string line;
        for (int p = from; p < from + characters; ++p) {
            line += p > from ? " " : "";
            for (int k = 0; k < 3; ++k) {
                line += ink.count({row, 1 + 4 * p + k}) != 0 ? '#' : '.';
            }
        }
        rows.push_back(line);
    }
    return rows;
}

const std::string TitleText = "       kestrel forges hazard highway 3d         press m key for menu";
const std::string ShortTitle = "       kestrel forges hazard highway 3d";
const std::string PausedText = "       game paused";

TEST_F(BannerMessages, TitleAtStartThenPauseNoticeThroughThePause)
{
    EXPECT_TRUE(bannerText.empty());
    Frame();
    EXPECT_EQ(bannerText, TitleText);
    EXPECT_EQ(bannerText.size(), 68U);
    EXPECT_EQ(Shown(7, 21), (Picture{
        "#.# ### .## ### ##. ### #.. ... ### .#. ##. ### ### .## ... #.# .#. ### .#. ##. ##.",
        "##. #.. #.. .#. #.# #.. #.. ... #.. #.# #.# #.. #.. #.. ... #.# #.# ..# #.# #.# #.#",
        "#.. ### .#. .#. ##. ### #.. ... ### #.# ##. #.. ### .#. ... ### ### .#. ### ##. #.#",
        "##. #.. ..# .#. ##. #.. #.. ... #.. #.# ##. #.# #.. ..# ... #.# #.# #.. #.# ##. #.#",
        "#.# ### ##. .#. #.# ### ### ... #.. .#. #.# ### ### ##. ... #.# #.# ### #.# #.# ##."}));
    EXPECT_EQ(Shown(29, 10), (Picture{
        "#.# ### ### #.# #.# .#. #.# ... ##. ##.",
        "#.# .#. #.. #.# #.# #.# #.# ... ..# #.#",
        "### .#. #.. ### #.# ### .#. ... .#. #.#",
        "#.# .#. #.# #.# ### #.# .#. ... ..# #.#",
        "#.# ### ### #.# #.# #.# .#. ... ##. ##."}));
    EXPECT_EQ(Shown(48, 20), (Picture{
        "##. ##. ### .## .## ... #.# ... #.# ### #.# ... ### .#. ##. ... #.# ### #.# #.#",
        "#.# #.# #.. #.. #.. ... ### ... ##. #.. #.# ... #.. #.# #.# ... ### #.. ### #.#",
        "##. ##. ### .#. .#. ... #.# ... #.. ### .#. ... ### #.# ##. ... #.# ### ### #.#",
        "#.. ##. #.. ..# ..# ... #.# ... ##. #.. .#. ... #.. #.# ##. ... #.# #.. ### #.#",
        "#.. #.# ### ##. ##. ... #.# ... #.# ### .#. ... #.. .#. #.# ... #.# ### #.# ###"}));
    Frame("E");
    EXPECT_EQ(bannerText, TitleText);  // play view, no run ended: unchanged
    Frame("P");
    EXPECT_EQ(bannerText, PausedText);
    EXPECT_EQ(Shown(7, 11), (Picture{
        "### .#. #.# ### ... ##. .#. #.# .## ### ##.",
        "#.. #.# ### #.. ... #.# #.# #.# #.. #.. #.#",
        "#.. ### #.# ### ... ##. ### #.# .#. ### #.#",
        "#.# #.# #.# #.. ... #.. #.# #.# ..# #.. #.#",
        "### #.# #.# ### ... #.. #.# ### ##. ### ##."}));
    Frames(60);
    EXPECT_EQ(bannerText, PausedText);
    Frame("X");
    EXPECT_EQ(bannerText, TitleText);
}

TEST_F(BannerMessages, RestartInTheThirtiethPausingFrameLeavesTheShortTitle)
{
    Frame("E");
    Frame("P");
    Frames(28);
    Frame("X");
    EXPECT_EQ(GameState.pauseState, PausePaused);
    EXPECT_EQ(bannerText, ShortTitle);
    Frames(10);
    EXPECT_EQ(bannerText, ShortTitle);
    Frame("P");
    EXPECT_EQ(GameState.viewMode, ViewPlay);
    EXPECT_EQ(bannerText, ShortTitle);
}

TEST_F(BannerMessages, ScoreLinesAfterARunInEveryTitleFrame)
{
    for (const auto& [score, expected] : std::vector<std::pair<int, std::string>>{
             {0, "       score  0"}, {69, "       score  69"}, {70, "       victory... score  70"},
             {1234567890, "       victory... score  1234567890"}}) {
        StartFresh();
        GameState.gameOver = 1;
        GameState.score = score;
        Frame();
        EXPECT_EQ(bannerText, expected);
    }
    // The last line as drawn: every digit.
    EXPECT_EQ(Shown(7, 28), (Picture{
        "#.# ### .## ### .#. ##. #.# ... ... ... ... .## .## .#. ##. ### ... ... "
        ".#. ##. ##. #.. ### ### ### ### ### ###",
        "#.# .#. #.. .#. #.# #.# #.# ... ... ... ... #.. #.. #.# #.# #.. ... ... "
        "##. ..# ..# #.. #.. #.. ..# #.# #.# #.#",
        "#.# .#. #.. .#. #.# ##. .#. ... ... ... ... .#. #.. #.# ##. ### ... ... "
        ".#. .#. .#. #.# ### ### ..# .#. ### #.#",
        "#.# .#. #.. .#. #.# ##. .#. ... ... ... ... ..# #.. #.# ##. #.. ... ... "
        ".#. #.. ..# ### ..# #.# .#. #.# ..# #.#",
        ".#. ### .## .#. .#. #.# .#. #.. #.. #.. ... ##. .## .#. #.# ### ... ... "
        "### ### ##. ..# ### ### .#. ### ### ###"}));
}

TEST_F(BannerMessages, AfterTheFirstEndedRunTheTitleMessageNeverReturns)
{
    Frame();
    Frame("E");
    Frame("U");
    for (int i = 0; i < 55; ++i) {
        Frame("R");
    }
    ASSERT_EQ(GameState.gameOver, 1);
    EXPECT_EQ(bannerText, TitleText);  // the run ended after this frame's choice
    Frame();
    EXPECT_EQ(bannerText, "       score  1");
    // A new run counts from 0 again; the line follows it in the play view too.
    Frame("E");
    Frame("U");
    EXPECT_EQ(bannerText, "       score  0");
    Frame("P");
    EXPECT_EQ(bannerText, PausedText);
    Frames(29);
    Frame("X");
    EXPECT_EQ(bannerText, "       score  0");
    for (int i = 0; i < 40; ++i) {
        Frame(i % 2 == 0 ? "R" : "L");
        EXPECT_EQ(bannerText, "       score  0");
    }
}

TEST_F(BannerMessages, TheSheetIsDrawnAsThreeThousandTwoHundredQuadsInTheTitleViewOnly)
{
    glRecord.keepCalls = true;
    Frame();
    const std::vector<GlCall> colours = CallsNamed("glColor4f");
    const std::vector<GlCall> corners = CallsNamed("glVertex3f");
    EXPECT_EQ(glRecord.quads, 3200);
    // The banner's quads come after the scene's triangles: the last 3200 colours.
    ASSERT_GE(colours.size(), 3200U);
    ASSERT_GE(corners.size(), 4U * 3200U);
    const std::size_t firstColour = colours.size() - 3200;
    const std::size_t firstCorner = corners.size() - 4 * 3200;
    for (int i = 0; i < BannerCells; ++i) {
        const int column = i % BannerColumns;
        const int row = i / BannerColumns;
        const float left = static_cast<float>(-170 + column);
        const float top = static_cast<float>(140 - row);
        const float z = static_cast<float>(17 - row);
        const GlCall* c = &corners[firstCorner + 4 * static_cast<std::size_t>(i)];
        ASSERT_EQ(c[0].args[0], left) << i;
        ASSERT_EQ(c[0].args[1], top) << i;
        ASSERT_EQ(c[0].args[2], z) << i;
        ASSERT_EQ(c[1].args[0], left + 1.0f) << i;
        ASSERT_EQ(c[2].args[1], top - 1.0f) << i;
        ASSERT_EQ(c[2].args[2], z - 1.0f) << i;
        ASSERT_EQ(c[3].args[0], left) << i;
        ASSERT_EQ(c[3].args[1], top - 1.0f) << i;
        const float expectedInk = BannerGrid.red[i];
        ASSERT_EQ(colours[firstColour + static_cast<std::size_t>(i)].args[0], expectedInk) << i;
        ASSERT_EQ(colours[firstColour + static_cast<std::size_t>(i)].args[3], 1.0) << i;
    }
    // Cell (2, 30) is the top of the "k" of the title: black.
    EXPECT_EQ(BannerGrid.red[2 * 320 + 29], 0.0f);

    ResetGlRecord();
    Frame("E");
    Frame();
    EXPECT_EQ(glRecord.quads, 0);
    glRecord.keepCalls = false;
}

}  // namespace
