// The renderer's frame: entry point, window, pixel format and OpenGL context, message loop.
#pragma once
#include <windows.h>

namespace qv::renderer {

extern const char* const kWindowClassName;  // also the window title the saver looks for
extern const char* const kSettingsPath;

// Frames are drawn on WM_PAINT once the scene is set up (and not while the display is off).
void EnableRendering(bool enabled);
LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SetupPixelFormat(HDC dc);
void ResizeViewport(int width, int height);
void DebugPrintf(const char* format, ...);

}  // namespace qv::renderer
