// model_table.h -- the four constant triangle models and the one routine that draws them
#pragma once

// A constant triangle model as parallel arrays, one entry per triangle: three
// corners in model units (x right, y forward, z up) and one flat colour.
struct ModelTable {
    int n;
    const float* x1;
    const float* y1;
    const float* z1;
    const float* x2;
    const float* y2;
    const float* z2;
    const float* x3;
    const float* y3;
    const float* z3;
    const float* r;
    const float* g;
    const float* b;
};

extern const ModelTable carModel;
extern const ModelTable blockModel;
extern const ModelTable groundModel;
extern const ModelTable sceneryModel;

// Sends every triangle of the model in index order, each corner turned about
// the z axis by heading (radians) and moved by (ox, oy, oz) on the processor.
void DrawModel(const ModelTable& model, float heading, float ox, float oy, float oz);
