// web_gl.cpp -- the OpenGL 1.1 subset the core calls, batched into WebGL draws
//
// The core draws about 4,000 small glBegin/glEnd primitives a frame. Here each
// corner is turned into clip coordinates on the processor with the same float
// matrices fixed-function OpenGL keeps, and a frame's primitives are collected
// into one vertex array that WebGL draws in one call. Render state changes and
// the clear flush what has been collected first, so the order of the picture
// is the order of the calls.
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/web/web_shell.h"
#include "render/opengl.h"

namespace {

// One 4x4 matrix in OpenGL's column-major order.
struct Matrix {
    float m[16];
};

constexpr Matrix Identity = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

// The depths OpenGL 1.1 guarantees for its two stacks.
constexpr int ModelviewDepth = 32;
constexpr int ProjectionDepth = 2;

// Matrix state, as the core sets it.
Matrix modelview[ModelviewDepth] = {Identity};
Matrix projection[ProjectionDepth] = {Identity};
int modelviewTop = 0;
int projectionTop = 0;
GLenum matrixMode = GL_MODELVIEW;
Matrix clipMatrix = Identity;  // projection times modelview, rebuilt when either changes
bool clipMatrixStale = false;

// Primitive assembly.
float currentColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
GLenum primitive = 0;  // the mode of the open glBegin, 0 outside one
int cornersInPrimitive = 0;
float quadCorners[3][WebVertexFloats];  // a quad's first three corners wait for its fourth

// The frame's vertices not yet drawn: clip x, y, z, w, then r, g, b, a.
std::vector<float> batch;

Matrix Multiply(const Matrix& a, const Matrix& b)
{
    Matrix product;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[k * 4 + row] * b.m[column * 4 + k];
            }
            product.m[column * 4 + row] = sum;
        }
    }
    return product;
}

Matrix& CurrentMatrix()
{
    return matrixMode == GL_PROJECTION ? projection[projectionTop] : modelview[modelviewTop];
}

void MultiplyCurrent(const Matrix& by)
{
    Matrix& current = CurrentMatrix();
    current = Multiply(current, by);
    clipMatrixStale = true;
}

void Flush()
{
    if (!batch.empty()) {
        WebDrawTriangles(batch.data(), static_cast<int>(batch.size() / WebVertexFloats));
        batch.clear();
    }
}

void AppendCorner(const float* corner)
{
    batch.insert(batch.end(), corner, corner + WebVertexFloats);
}

void SetCapability(GLenum capability, int on)
{
    Flush();
    WebSetCapability(static_cast<int>(capability), on);
}

}  // namespace

void glMatrixMode(GLenum mode)
{
    matrixMode = mode;
}

void glLoadIdentity()
{
    CurrentMatrix() = Identity;
    clipMatrixStale = true;
}

void glPushMatrix()
{
    if (matrixMode == GL_PROJECTION) {
        if (projectionTop + 1 < ProjectionDepth) {
            projection[projectionTop + 1] = projection[projectionTop];
            ++projectionTop;
        }
    } else if (modelviewTop + 1 < ModelviewDepth) {
        modelview[modelviewTop + 1] = modelview[modelviewTop];
        ++modelviewTop;
    }
}

void glPopMatrix()
{
    if (matrixMode == GL_PROJECTION) {
        if (projectionTop > 0) {
            --projectionTop;
        }
    } else if (modelviewTop > 0) {
        --modelviewTop;
    }
    clipMatrixStale = true;
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar)
{
    // The same single-precision matrix a desktop driver builds from the doubles.
    const auto l = static_cast<float>(left);
    const auto r = static_cast<float>(right);
    const auto b = static_cast<float>(bottom);
    const auto t = static_cast<float>(top);
    const auto n = static_cast<float>(zNear);
    const auto f = static_cast<float>(zFar);
    Matrix frustum = {};
    frustum.m[0] = (2.0f * n) / (r - l);
    frustum.m[5] = (2.0f * n) / (t - b);
    frustum.m[8] = (r + l) / (r - l);
    frustum.m[9] = (t + b) / (t - b);
    frustum.m[10] = -(f + n) / (f - n);
    frustum.m[11] = -1.0f;
    frustum.m[14] = -(2.0f * f * n) / (f - n);
    MultiplyCurrent(frustum);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    Matrix translation = Identity;
    translation.m[12] = x;
    translation.m[13] = y;
    translation.m[14] = z;
    MultiplyCurrent(translation);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    const double radians = static_cast<double>(angle) * M_PI / 180.0;
    const auto s = static_cast<float>(std::sin(radians));
    const auto c = static_cast<float>(std::cos(radians));
    // A turn about one axis keeps that axis's entries exact, as desktop drivers do.
    if (y == 0.0f && z == 0.0f && x != 0.0f) {
        const float sx = x < 0.0f ? -s : s;
        Matrix rotation = Identity;
        rotation.m[5] = c;
        rotation.m[6] = sx;
        rotation.m[9] = -sx;
        rotation.m[10] = c;
        MultiplyCurrent(rotation);
        return;
    }
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length == 0.0f) {
        return;
    }
    x /= length;
    y /= length;
    z /= length;
    const float k = 1.0f - c;
    Matrix rotation = Identity;
    rotation.m[0] = x * x * k + c;
    rotation.m[1] = y * x * k + z * s;
    rotation.m[2] = x * z * k - y * s;
    rotation.m[4] = x * y * k - z * s;
    rotation.m[5] = y * y * k + c;
    rotation.m[6] = y * z * k + x * s;
    rotation.m[8] = x * z * k + y * s;
    rotation.m[9] = y * z * k - x * s;
    rotation.m[10] = z * z * k + c;
    MultiplyCurrent(rotation);
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha)
{
    currentColour[0] = red;
    currentColour[1] = green;
    currentColour[2] = blue;
    currentColour[3] = alpha;
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    glColor4f(red, green, blue, 1.0f);
}

void glBegin(GLenum mode)
{
    primitive = mode;
    cornersInPrimitive = 0;
    if (clipMatrixStale) {
        clipMatrix = Multiply(projection[projectionTop], modelview[modelviewTop]);
        clipMatrixStale = false;
    }
}

void glEnd()
{
    // A primitive left incomplete draws nothing.
    primitive = 0;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    if (primitive != GL_TRIANGLES && primitive != GL_QUADS) {
        return;
    }
    const float* m = clipMatrix.m;
    float corner[WebVertexFloats];
    for (int row = 0; row < 4; ++row) {
        corner[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    }
    std::memcpy(corner + 4, currentColour, sizeof currentColour);

    if (primitive == GL_TRIANGLES) {
        AppendCorner(corner);
        return;
    }
    // A quad becomes the triangles 0-1-2 and 0-2-3.
    const int index = cornersInPrimitive % 4;
    cornersInPrimitive = index + 1;
    if (index < 3) {
        std::memcpy(quadCorners[index], corner, sizeof corner);
        return;
    }
    AppendCorner(quadCorners[0]);
    AppendCorner(quadCorners[1]);
    AppendCorner(quadCorners[2]);
    AppendCorner(quadCorners[0]);
    AppendCorner(quadCorners[2]);
    AppendCorner(corner);
}

void glEnable(GLenum capability)
{
    SetCapability(capability, 1);
}

void glDisable(GLenum capability)
{
    SetCapability(capability, 0);
}

void glBlendFunc(GLenum source, GLenum destination)
{
    Flush();
    WebBlendFunc(static_cast<int>(source), static_cast<int>(destination));
}

void glDepthFunc(GLenum function)
{
    Flush();
    WebDepthFunc(static_cast<int>(function));
}

void glDepthMask(GLboolean flag)
{
    Flush();
    WebDepthMask(flag);
}

void glDepthRange(GLclampd zNear, GLclampd zFar)
{
    Flush();
    WebDepthRange(static_cast<float>(zNear), static_cast<float>(zFar));
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha)
{
    WebClearColor(red, green, blue, alpha);
}

void glClearDepth(GLclampd depth)
{
    WebClearDepth(static_cast<float>(depth));
}

void glClear(GLbitfield mask)
{
    Flush();
    WebClear(static_cast<int>(mask));
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    Flush();
    WebViewport(x, y, width, height);
}

void WebFinishFrame()
{
    Flush();
}
