// bench_osmesa.cpp -- frame benchmarks through off-screen Mesa, with the game's OpenGL calls caught on the way
#include "tests/bench/bench_backend.h"

#include "render/opengl.h"
#include "tests/bench/osmesa_platform.h"

namespace {

constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;

OsmesaCanvas canvas{};
bool capturing = false;
std::vector<GlCall> captured;

void Keep(const char* name, double a = 0, double b = 0, double c = 0, double d = 0, double e = 0, double f = 0)
{
    captured.push_back(GlCall{name, {a, b, c, d, e, f}});
}

}  // namespace

const char* BackendName() { return "osmesa-1920x1080"; }

bool StartBackend()
{
    CloseCanvas(canvas);
    return StartOnCanvas(canvas, ScreenWidth, ScreenHeight);
}

void StartGlCapture()
{
    captured.clear();
    capturing = true;
}

std::vector<GlCall> StopGlCapture()
{
    capturing = false;
    return captured;
}

// The program is linked with --wrap for every OpenGL function the game uses:
// each call lands here, is kept while capturing and goes on to Mesa. Game and
// floor pass through the same wrappers, so their cost cancels in the ratio.
extern "C" {

void __real_glBegin(GLenum mode);
void __real_glEnd();
void __real_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void __real_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void __real_glPushMatrix();
void __real_glPopMatrix();
void __real_glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a);
void __real_glViewport(GLint x, GLint y, GLsizei w, GLsizei h);
void __real_glMatrixMode(GLenum mode);
void __real_glLoadIdentity();
void __real_glFrustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f);
void __real_glEnable(GLenum cap);
void __real_glDisable(GLenum cap);
void __real_glDepthFunc(GLenum func);
void __real_glDepthRange(GLclampd n, GLclampd f);
void __real_glClearDepth(GLclampd depth);
void __real_glClear(GLbitfield mask);
void __real_glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void __real_glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void __real_glBlendFunc(GLenum s, GLenum d);
void __real_glDepthMask(GLboolean flag);
void __real_glFinish();

void __wrap_glBegin(GLenum mode)
{
    if (capturing) {
        Keep("glBegin", mode);
    }
    __real_glBegin(mode);
}
void __wrap_glEnd()
{
    if (capturing) {
        Keep("glEnd");
    }
    __real_glEnd();
}
void __wrap_glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    if (capturing) {
        Keep("glVertex3f", x, y, z);
    }
    __real_glVertex3f(x, y, z);
}
void __wrap_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    if (capturing) {
        Keep("glColor4f", r, g, b, a);
    }
    __real_glColor4f(r, g, b, a);
}
void __wrap_glPushMatrix()
{
    if (capturing) {
        Keep("glPushMatrix");
    }
    __real_glPushMatrix();
}
void __wrap_glPopMatrix()
{
    if (capturing) {
        Keep("glPopMatrix");
    }
    __real_glPopMatrix();
}
void __wrap_glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a)
{
    if (capturing) {
        Keep("glClearColor", r, g, b, a);
    }
    __real_glClearColor(r, g, b, a);
}
void __wrap_glViewport(GLint x, GLint y, GLsizei w, GLsizei h)
{
    if (capturing) {
        Keep("glViewport", x, y, w, h);
    }
    __real_glViewport(x, y, w, h);
}
void __wrap_glMatrixMode(GLenum mode)
{
    if (capturing) {
        Keep("glMatrixMode", mode);
    }
    __real_glMatrixMode(mode);
}
void __wrap_glLoadIdentity()
{
    if (capturing) {
        Keep("glLoadIdentity");
    }
    __real_glLoadIdentity();
}
void __wrap_glFrustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f)
{
    if (capturing) {
        Keep("glFrustum", l, r, b, t, n, f);
    }
    __real_glFrustum(l, r, b, t, n, f);
}
void __wrap_glEnable(GLenum cap)
{
    if (capturing) {
        Keep("glEnable", cap);
    }
    __real_glEnable(cap);
}
void __wrap_glDisable(GLenum cap)
{
    if (capturing) {
        Keep("glDisable", cap);
    }
    __real_glDisable(cap);
}
void __wrap_glDepthFunc(GLenum func)
{
    if (capturing) {
        Keep("glDepthFunc", func);
    }
    __real_glDepthFunc(func);
}
void __wrap_glDepthRange(GLclampd n, GLclampd f)
{
    if (capturing) {
        Keep("glDepthRange", n, f);
    }
    __real_glDepthRange(n, f);
}
void __wrap_glClearDepth(GLclampd depth)
{
    if (capturing) {
        Keep("glClearDepth", depth);
    }
    __real_glClearDepth(depth);
}
void __wrap_glClear(GLbitfield mask)
{
    if (capturing) {
        Keep("glClear", mask);
    }
    __real_glClear(mask);
}
void __wrap_glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    if (capturing) {
        Keep("glTranslatef", x, y, z);
    }
    __real_glTranslatef(x, y, z);
}
void __wrap_glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    if (capturing) {
        Keep("glRotatef", angle, x, y, z);
    }
    __real_glRotatef(angle, x, y, z);
}
void __wrap_glBlendFunc(GLenum s, GLenum d)
{
    if (capturing) {
        Keep("glBlendFunc", s, d);
    }
    __real_glBlendFunc(s, d);
}
void __wrap_glDepthMask(GLboolean flag)
{
    if (capturing) {
        Keep("glDepthMask", flag);
    }
    __real_glDepthMask(flag);
}
void __wrap_glFinish()
{
    if (capturing) {
        Keep("glFinish");
    }
    __real_glFinish();
}

}  // extern "C"
