// scene_composition.cpp -- what each view draws, where and in which order
#include "render/scene_composition.h"

#include "render/model_drawing.h"
#include "render/model_table.h"

float carHeading = 0.0f;

namespace {

constexpr float DegreesToRadians = 0.01745328f;
// 180 degrees through the same factor; close to, not exactly, the float nearest pi.
constexpr float PlayCarHeading = 3.1415904f;
constexpr float BlockZ = -5.2f;

void DrawBlock(float x, float y)
{
    DrawModel(blockModel, 0.0f, x, y, BlockZ);
}

}  // namespace

void DrawObstacleRow(WaveKind kind)
{
    const ObstacleRow& row = GameState.rows[kind];
    switch (kind) {
    case RandomA:
    case RandomB:
        DrawBlock(row.x, row.y);
        break;
    case RightPair:
        DrawBlock(6.1f, row.y);
        DrawBlock(2.1f, row.y);
        break;
    case LeftPair:
        DrawBlock(-6.1f, row.y);
        DrawBlock(-2.1f, row.y);
        break;
    case EdgePair:
        DrawBlock(-7.1f, row.y);
        DrawBlock(7.1f, row.y);
        break;
    }
}

void DrawPlayScene()
{
    carHeading = PlayCarHeading;
    // The car's y is placed by carRow and then moved back 10, its z lowered by
    // 11.2 and raised by 5, each sum rounded in turn.
    DrawModelShifted(carModel, carHeading, GameState.carX, GameState.carRow, -11.2f, -10.0f, 5.0f);
    DrawModel(groundModel, 0.0f, 0.0f, 380.0f, -6.4f);
    DrawModel(sceneryModel, 0.0f, 0.0f, 320.0f, -6.3f);
}

void DrawTitleScene()
{
    carHeading = GameState.headingDeg * DegreesToRadians;
    DrawModel(carModel, carHeading, 0.0f, -13.0f, 5.0f);
    DrawModel(groundModel, 0.0f, 0.0f, -10.0f, -5.0f);
}

void ResetSceneComposition()
{
    carHeading = 0.0f;
}
