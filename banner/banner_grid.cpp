// banner_grid.cpp -- the 320 x 10 cell sheet the title view shows above the scene
#include "banner/banner_grid.h"

#include "render/opengl.h"

BannerPlanes BannerGrid;

namespace {

// Drawing state, set at the start of every drawing.
float bannerX = 0.0f;         // left edge of the next quad
float bannerY = 0.0f;         // top edge of the current row of quads
float bannerZ = 0.0f;         // height of the current row's top edge
float bannerCellSize = 0.0f;  // edge length of a quad

constexpr float SheetLeft = -170.0f;
constexpr float SheetRight = 150.0f;
constexpr float SheetTop = 140.0f;
constexpr float SheetBottom = 130.0f;
constexpr float SheetTopZ = 17.0f;

}  // namespace

void ResetBannerGrid()
{
    for (int i = 0; i < BannerCells; ++i) {
        BannerGrid.red[i] = BannerGrey;
        BannerGrid.green[i] = BannerGrey;
        BannerGrid.blue[i] = BannerGrey;
    }
}

void DrawBannerGrid()
{
    bannerX = SheetLeft;
    bannerY = SheetTop;
    bannerZ = SheetTopZ;
    bannerCellSize = 1.0f;
    for (int i = 0; i < BannerCells; ++i) {
        const float x = bannerX;
        const float y = bannerY;
        const float z = bannerZ;
        const float s = bannerCellSize;
        glPushMatrix();
        glColor4f(BannerGrid.red[i], BannerGrid.green[i], BannerGrid.blue[i], 1.0f);
        // The sheet leans back: one unit down in y is one unit lower in z.
        glBegin(GL_QUADS);
        glVertex3f(x, y, z);
        glVertex3f(x + s, y, z);
        glVertex3f(x + s, y - s, z - 1.0f);
        glVertex3f(x, y - s, z - 1.0f);
        glEnd();
        glPopMatrix();
        if (x < SheetRight) {
            bannerX += s;
        }
        if (bannerX >= SheetRight && bannerY > SheetBottom) {
            bannerX = SheetLeft;
            bannerZ -= 1.0f;
            bannerY -= s;
        }
    }
}
