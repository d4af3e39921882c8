// model_drawing.h -- the triangle drawer with a second offset, for the play-view car
#pragma once

#include "render/model_table.h"

// DrawModel whose corners get y and z offsets in two additions, first
// (oy, oz) then (oyAfter, ozAfter), each rounded to single precision in turn.
void DrawModelShifted(const ModelTable& model, float heading, float ox, float oy, float oz,
                      float oyAfter, float ozAfter);
