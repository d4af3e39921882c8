// opengl.h -- the OpenGL 1.1 declarations, without pulling in the Win32 headers
#pragma once

// The Windows GL header needs these two macros that normally come from
// <windows.h>; the portable code must not include that. Plain (not dllimport)
// declarations let tests link a recording OpenGL in place of opengl32.
#if defined(_WIN32) && !defined(APIENTRY)
#define APIENTRY __stdcall
#endif
#if defined(_WIN32) && !defined(WINGDIAPI)
#define WINGDIAPI
#endif

#include <GL/gl.h>
