// pixel_font.cpp -- the 3 x 5 banner font and the stamping of a text into the grid
#include "banner/pixel_font.h"

#include <algorithm>
#include <cstddef>

#include "banner/banner_grid.h"

int textCursor = 0;
int textBaseRow = 0;
int currentGlyph = 0;

namespace {

constexpr int GlyphWidth = 3;
constexpr int GlyphHeight = 5;
constexpr int CharacterPitch = 4;  // three glyph columns and one clear column
constexpr int GlyphCount = 39;

// The characters in glyph-code order, code 1 first.
constexpr char GlyphCharacters[] = "abcdefghijklmnopqrstuvwxyz,. 0123456789";

// Five rows of three cells per glyph, top row first; '#' is ink.
constexpr const char* PixelFont[GlyphCount][GlyphHeight] = {
    {".#.", "#.#", "###", "#.#", "#.#"},  // a
    {"##.", "#.#", "##.", "#.#", "##."},  // b
    {".##", "#..", "#..", "#..", ".##"},  // c
    {"##.", "#.#", "#.#", "#.#", "##."},  // d
    {"###", "#..", "###", "#..", "###"},  // e
    {"###", "#..", "###", "#..", "#.."},  // f
    {"###", "#..", "#..", "#.#", "###"},  // g
    {"#.#", "#.#", "###", "#.#", "#.#"},  // h
    {"###", ".#.", ".#.", ".#.", "###"},  // i
    {"..#", "..#", "..#", "#.#", ".#."},  // j
    {"#.#", "##.", "#..", "##.", "#.#"},  // k
    {"#..", "#..", "#..", "#..", "###"},  // l
    {"#.#", "###", "#.#", "#.#", "#.#"},  // m
    {"#.#", "###", "###", "###", "#.#"},  // n
    {".#.", "#.#", "#.#", "#.#", ".#."},  // o
    {"##.", "#.#", "##.", "#..", "#.."},  // p
    {".#.", "#.#", "#.#", "###", "..#"},  // q
    {"##.", "#.#", "##.", "##.", "#.#"},  // r
    {".##", "#..", ".#.", "..#", "##."},  // s
    {"###", ".#.", ".#.", ".#.", ".#."},  // t
    {"#.#", "#.#", "#.#", "#.#", "###"},  // u
    {"#.#", "#.#", "#.#", "#.#", ".#."},  // v
    {"#.#", "#.#", "#.#", "###", "#.#"},  // w
    {"#.#", "#.#", ".#.", "#.#", "#.#"},  // x
    {"#.#", "#.#", ".#.", ".#.", ".#."},  // y
    {"###", "..#", ".#.", "#..", "###"},  // z
    {"...", "...", "...", "#..", "#.."},  // ,
    {"...", "...", "...", "...", "#.."},  // .
    {"...", "...", "...", "...", "..."},  // space
    {"###", "#.#", "#.#", "#.#", "###"},  // 0
    {".#.", "##.", ".#.", ".#.", "###"},  // 1
    {"##.", "..#", ".#.", "#..", "###"},  // 2
    {"##.", "..#", ".#.", "..#", "##."},  // 3
    {"#..", "#..", "#.#", "###", "..#"},  // 4
    {"###", "#..", "###", "..#", "###"},  // 5
    {"###", "#..", "###", "#.#", "###"},  // 6
    {"###", "..#", "..#", ".#.", ".#."},  // 7
    {"###", "#.#", ".#.", "#.#", "###"},  // 8
    {"###", "#.#", "###", "..#", "###"},  // 9
};

constexpr int BaseRow = 6;  // glyphs cover grid rows 2 to 6

// A line holds 80 characters; later ones run on one row lower each 80, and
// the bottom of the grid leaves room for four such lines in all.
constexpr std::size_t MaxStampedCharacters =
    static_cast<std::size_t>(BannerColumns / CharacterPitch) * (BannerRows - BaseRow);

void StampGlyph(int code)
{
    for (int r = 0; r < GlyphHeight; ++r) {
        for (int k = 0; k < GlyphWidth; ++k) {
            if (PixelFont[code - 1][r][k] != '#') {
                continue;
            }
            const int cell = (textBaseRow - (GlyphHeight - 1) + r) * BannerColumns + textCursor + k;
            BannerGrid.red[cell] = 0.0f;
            BannerGrid.green[cell] = 0.0f;
            BannerGrid.blue[cell] = 0.0f;
        }
    }
}

}  // namespace

int GlyphCode(char c)
{
    for (int code = 1; code <= GlyphCount; ++code) {
        if (GlyphCharacters[code - 1] == c) {
            return code;
        }
    }
    return 0;
}

void StampBannerText(const std::string& text)
{
    textCursor = 1;
    textBaseRow = BaseRow;
    currentGlyph = 0;
    const std::size_t stamped = std::min(text.size(), MaxStampedCharacters);
    for (std::size_t p = 0; p < stamped; ++p) {
        const int code = GlyphCode(text[p]);
        if (code != 0) {
            currentGlyph = code;
        }
        if (currentGlyph != 0) {
            StampGlyph(currentGlyph);
        }
        textCursor += CharacterPitch;
    }
}
