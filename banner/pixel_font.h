// pixel_font.h -- the 3 x 5 banner font and the stamping of a text into the grid
#pragma once

#include <string>

// Glyph codes: 0 none, 1..26 "a".."z", 27 ",", 28 ".", 29 " ", 30..39 "0".."9".
int GlyphCode(char c);

// Stamping state, reset at the start of every stamping.
extern int textCursor;    // grid column of the next glyph's left column
extern int textBaseRow;   // grid row of every glyph's bottom row
extern int currentGlyph;  // the glyph being stamped; carries over characters without a code

// Writes the text's glyphs as black ink into the banner grid, 4 columns per
// character. Characters past the 320th would land outside the grid and are skipped.
void StampBannerText(const std::string& text);
