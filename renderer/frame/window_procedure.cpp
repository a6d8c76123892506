// The renderer window's messages: the OpenGL context made at creation, a frame per paint, the
// keys and the monitor watch that end the show, and the teardown.
#include <GL/gl.h>

#include "renderer/frame/app_frame.h"
#include "renderer/debug_output.h"
#include "renderer/frame/display_power.h"
#include "renderer/pacing/display_pacing.h"
#include "renderer/scene/show_monitors.h"

namespace qv::renderer {
namespace {

// Chooses and sets the window's pixel format; the result of SetPixelFormat.
BOOL SetupPixelFormat(HDC dc) {
    FrameState& frame = state.frame;
    if (!frame.pixelFormatFilled) {
        frame.pixelFormat.cColorBits = static_cast<BYTE>(GetDeviceCaps(dc, BITSPIXEL));
        frame.pixelFormatFilled = true;
    }
    const int index = ChoosePixelFormat(dc, &frame.pixelFormat);
    DebugPrintf("PixelFormat Selected: %d\nBPP: %d\n", index, GetDeviceCaps(dc, BITSPIXEL));
    if (index == 0) {
        LogStepFailure("ChoosePixelFormat", "no pixel format fits");
        return FALSE;
    }
    return SetPixelFormat(dc, index, &frame.pixelFormat);
}

// The window's own device context, its pixel format and a current OpenGL context; false,
// with the reason logged, when any of them cannot be had.
bool MakeGlContext(HWND window) {
    FrameState& frame = state.frame;
    frame.windowDC = GetDC(window);
    if (!frame.windowDC) {
        LogStepFailure("GetDC", "the window has no device context");
        return false;
    }
    if (!SetupPixelFormat(frame.windowDC)) {
        LogStepFailure("SetPixelFormat", "the window cannot take the pixel format");
        return false;
    }
    frame.glContext = wglCreateContext(frame.windowDC);
    if (!frame.glContext) {
        LogStepFailure("wglCreateContext", "no OpenGL context");
        return false;
    }
    if (!wglMakeCurrent(frame.windowDC, frame.glContext)) {
        LogStepFailure("wglMakeCurrent", "the OpenGL context cannot be made current");
        return false;
    }
    return true;
}

void DrawFrame(HWND window) {
    FrameState& frame = state.frame;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    frame.clock.Tick(now.QuadPart);
    PacingFrameStarted(now.QuadPart);
    state.hooks.draw();
    SwapBuffers(frame.windowDC);
    ValidateRect(window, nullptr);
}

}  // namespace

void ResizeViewport(int width, int height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
}

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            // Without a context nothing could be drawn: the window is not made.
            if (!MakeGlContext(window)) return -1;
            WatchDisplayState(window);
            return 0;
        case WM_SIZE:
            state.frame.windowWidth = LOWORD(lParam);
            state.frame.windowHeight = HIWORD(lParam);
            state.hooks.reshape(state.frame.windowWidth, state.frame.windowHeight);
            return 0;
        case WM_PAINT:
            if (!state.frame.renderingEnabled) return 0;
            if (state.frame.displayOff)
                ValidateRect(window, nullptr);  // nothing to draw; no repeated paints
            else
                DrawFrame(window);
            return 0;
        case WM_POWERBROADCAST:
            if (DisplayStateMessage(window, wParam, lParam)) return TRUE;
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_DISPLAYCHANGE:
        case WM_TIMER:
            // A monitor came or went: the show's pictures no longer fit, so it ends. The
            // platform does not always announce it, hence the watch timer as well.
            if (ShowMonitorsChanged()) DestroyWindow(window);
            return message == WM_TIMER ? 0 : DefWindowProcA(window, message, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            StopWatchingDisplayState();
            // The scene's textures go while their context is still there.
            if (state.frame.glContext && wglGetCurrentContext() == state.frame.glContext) state.hooks.free();
            wglMakeCurrent(nullptr, nullptr);
            wglDeleteContext(state.frame.glContext);
            ShowCursor(TRUE);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace qv::renderer
