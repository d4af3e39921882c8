// scene_composition.h -- what each view draws, where and in which order
#pragma once

#include "game/game_state.h"

// The heading (radians) the car was last drawn with.
extern float carHeading;

// The blocks of one row at the row's current y, after its move this frame.
void DrawObstacleRow(WaveKind kind);
// The play view behind the blocks: the car from behind, the ground, the road and hills.
void DrawPlayScene();
// The title view: the turntable car over the ground.
void DrawTitleScene();

// The title view's car facing its start-up way.
void ResetSceneComposition();
