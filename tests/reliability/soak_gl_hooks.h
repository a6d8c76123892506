// Force-included into the soak build of the renderer: routes its texture and buffer-swap
// calls through soak_probe.cpp, which counts texture names and can slow each frame down.
// The platform headers come first so their declarations keep the real names.
#pragma once
#include <windows.h>
#include <GL/gl.h>

extern "C" {
void QvSoakGenTextures(GLsizei n, GLuint* names);
void QvSoakDeleteTextures(GLsizei n, const GLuint* names);
BOOL QvSoakSwapBuffers(HDC dc);
}

#define glGenTextures QvSoakGenTextures
#define glDeleteTextures QvSoakDeleteTextures
#define SwapBuffers QvSoakSwapBuffers
