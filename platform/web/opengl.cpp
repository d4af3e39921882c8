// opengl.cpp -- the OpenGL 1.1 subset the core calls, batched into WebGL draws
//
// The core draws about 4,000 small glBegin/glEnd primitives a frame. Here each
// corner is turned into clip coordinates on the processor with the same float
// matrices fixed-function OpenGL keeps, and a frame's primitives are collected
// into one vertex array that WebGL draws in one call. Render state changes and
// the clear flush what has been collected first, so the order of the picture
// is the order of the calls.
#include <cmath>
#include <vector>

#include "platform/web/shell.h"
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
WebVertex colourCorner = {{0.0f, 0.0f, 0.0f, 0.0f}, {255, 255, 255, 255}};  // the current colour; corners copy it
GLenum primitive = 0;  // the mode of the open glBegin, 0 outside one
int cornersInPrimitive = 0;
WebVertex quadCorners[3];  // a quad's first three corners wait for its fourth

// The frame's corners not yet drawn.
std::vector<WebVertex> batch;
bool batchOpaque = true;  // every corner in the batch has alpha 1

// Blending as the core set it. With source alpha 1 and the usual function a
// blend gives the source colour exactly, so such batches are drawn without
// one: the same pixels, and the software rasterizer skips reading them back.
bool blendEnabled = false;
GLenum blendSource = GL_ONE;
GLenum blendDestination = GL_ZERO;

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
        const bool blendIsCopy = batchOpaque && blendSource == GL_SRC_ALPHA &&
                                 blendDestination == GL_ONE_MINUS_SRC_ALPHA;
        const bool blend = blendEnabled && !blendIsCopy;
        WebDrawTriangles(batch.data(), static_cast<int>(batch.size()), blend ? 1 : 0);
        batch.clear();
        batchOpaque = true;
    }
}

// A colour channel in the frame buffer's levels, rounded as the desktop rasterizer does.
unsigned char Level(float channel)
{
    const float clamped = channel < 0.0f ? 0.0f : (channel > 1.0f ? 1.0f : channel);
    return static_cast<unsigned char>(std::lround(clamped * 255.0f));
}

void SetCapability(GLenum capability, int on)
{
    Flush();
    // Blending is switched per draw, as the batch needs it.
    if (capability == GL_BLEND) {
        blendEnabled = on != 0;
        return;
    }
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
    colourCorner.colour[0] = Level(red);
    colourCorner.colour[1] = Level(green);
    colourCorner.colour[2] = Level(blue);
    colourCorner.colour[3] = Level(alpha);
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
    WebVertex corner = colourCorner;
    for (int row = 0; row < 4; ++row) {
        corner.clip[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    }
    batchOpaque = batchOpaque && corner.colour[3] == 255;

    if (primitive == GL_TRIANGLES) {
        batch.push_back(corner);
        return;
    }
    // A quad becomes the triangles 0-1-2 and 0-2-3.
    const int index = cornersInPrimitive % 4;
    cornersInPrimitive = index + 1;
    if (index < 3) {
        quadCorners[index] = corner;
        return;
    }
    batch.push_back(quadCorners[0]);
    batch.push_back(quadCorners[1]);
    batch.push_back(quadCorners[2]);
    batch.push_back(quadCorners[0]);
    batch.push_back(quadCorners[2]);
    batch.push_back(corner);
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
    blendSource = source;
    blendDestination = destination;
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
