// draw_model.cpp -- sends a triangle model to OpenGL, turned and moved on the processor
#include <cmath>

#include "render/model_table.h"
#include "render/model_drawing.h"
#include "render/opengl.h"

void DrawModelShifted(const ModelTable& model, float heading, float ox, float oy, float oz,
                      float oyAfter, float ozAfter)
{
    const float c = std::cos(heading);
    const float s = std::sin(heading);
    const auto corner = [&](float x, float y, float z) {
        glVertex3f(c * x - s * y + ox, (s * x + c * y + oy) + oyAfter, (z + oz) + ozAfter);
    };
    for (int i = 0; i < model.n; ++i) {
        glPushMatrix();
        glColor4f(model.r[i], model.g[i], model.b[i], 1.0f);
        glBegin(GL_TRIANGLES);
        corner(model.x1[i], model.y1[i], model.z1[i]);
        corner(model.x2[i], model.y2[i], model.z2[i]);
        corner(model.x3[i], model.y3[i], model.z3[i]);
        glEnd();
        glPopMatrix();
    }
}

void DrawModel(const ModelTable& model, float heading, float ox, float oy, float oz)
{
    // Adding a zero second offset leaves every corner exactly as it was.
    DrawModelShifted(model, heading, ox, oy, oz, 0.0f, 0.0f);
}
