// banner_grid.h -- the 320 x 10 cell sheet the title view shows above the scene
#pragma once

constexpr int BannerColumns = 320;
constexpr int BannerRows = 10;
constexpr int BannerCells = BannerColumns * BannerRows;

// Three colour planes; cell index = column + 320 * row, row 0 at the top.
struct BannerPlanes {
    float red[BannerCells];
    float green[BannerCells];
    float blue[BannerCells];
};

extern BannerPlanes BannerGrid;

// The grey every cell is reset to at the start of each frame's banner work.
constexpr float BannerGrey = 0.5f;

// Sets every cell of the three planes to grey.
void ResetBannerGrid();

// Draws the 3200 cells as one quad each, in index order (title view only).
void DrawBannerGrid();
