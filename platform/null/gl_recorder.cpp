// gl_recorder.cpp -- a recording OpenGL 1.1: counts every call, keeps them when asked
#include "platform/null/gl_recorder.h"

#include <cstring>

#include "render/opengl.h"

GlRecord glRecord = {false, {}, 0, 0, 0};

namespace {

void Keep(const char* name, double a = 0, double b = 0, double c = 0, double d = 0, double e = 0, double f = 0)
{
    if (glRecord.keepCalls) {
        glRecord.calls.push_back(GlCall{name, {a, b, c, d, e, f}});
    }
}

}  // namespace

void ResetGlRecord()
{
    glRecord.calls.clear();
    glRecord.triangles = 0;
    glRecord.quads = 0;
    glRecord.frustums = 0;
}

std::vector<GlCall> CallsNamed(const std::string& name)
{
    std::vector<GlCall> found;
    for (const GlCall& call : glRecord.calls) {
        if (name == call.name) {
            found.push_back(call);
        }
    }
    return found;
}

std::size_t FindCall(const std::string& name, std::size_t start)
{
    for (std::size_t i = start; i < glRecord.calls.size(); ++i) {
        if (name == glRecord.calls[i].name) {
            return i;
        }
    }
    return glRecord.calls.size();
}

extern "C" {

void APIENTRY glBegin(GLenum mode)
{
    if (mode == GL_TRIANGLES) {
        ++glRecord.triangles;
    } else if (mode == GL_QUADS) {
        ++glRecord.quads;
    }
    Keep("glBegin", mode);
}
void APIENTRY glEnd() { Keep("glEnd"); }
void APIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z) { Keep("glVertex3f", x, y, z); }
void APIENTRY glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { Keep("glColor4f", r, g, b, a); }
void APIENTRY glPushMatrix() { Keep("glPushMatrix"); }
void APIENTRY glPopMatrix() { Keep("glPopMatrix"); }
void APIENTRY glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { Keep("glClearColor", r, g, b, a); }
void APIENTRY glViewport(GLint x, GLint y, GLsizei w, GLsizei h) { Keep("glViewport", x, y, w, h); }
void APIENTRY glMatrixMode(GLenum mode) { Keep("glMatrixMode", mode); }
void APIENTRY glLoadIdentity() { Keep("glLoadIdentity"); }
void APIENTRY glFrustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f)
{
    ++glRecord.frustums;
    Keep("glFrustum", l, r, b, t, n, f);
}
void APIENTRY glEnable(GLenum cap) { Keep("glEnable", cap); }
void APIENTRY glDisable(GLenum cap) { Keep("glDisable", cap); }
void APIENTRY glDepthFunc(GLenum func) { Keep("glDepthFunc", func); }
void APIENTRY glDepthRange(GLclampd n, GLclampd f) { Keep("glDepthRange", n, f); }
void APIENTRY glClearDepth(GLclampd depth) { Keep("glClearDepth", depth); }
void APIENTRY glClear(GLbitfield mask) { Keep("glClear", mask); }
void APIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z) { Keep("glTranslatef", x, y, z); }
void APIENTRY glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) { Keep("glRotatef", angle, x, y, z); }
void APIENTRY glBlendFunc(GLenum s, GLenum d) { Keep("glBlendFunc", s, d); }
void APIENTRY glDepthMask(GLboolean flag) { Keep("glDepthMask", flag); }

}  // extern "C"
