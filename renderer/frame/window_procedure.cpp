// The renderer window's messages: the OpenGL context made at creation, a frame per paint, the
// keys and the monitor watch that end the show, and the teardown.
#include <GL/gl.h>

#include "renderer/frame/app_frame.h"
#include "renderer/compositor.h"
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
    if (frame.cloaked) {  // the first frame: now the window may be seen
        WaitForPresent();
        SetCloaked(window, false);
        frame.cloaked = false;
    }
}

// Ends the show once, whatever asked first: destroying the window moves the activation
// elsewhere, which must not ask again.
void EndShow(HWND window) {
    if (state.frame.ending) return;
    state.frame.ending = true;
    DestroyWindow(window);
}

// Puts the window back over the monitors the show was laid out for, where the platform moved
// it while monitors were away.
void PutWindowBack(HWND window) {
    const MonitorRect& area = state.scene.monitorScenes.window;
    RECT now;
    if (GetWindowRect(window, &now) && now.left == area.left && now.top == area.top &&
        now.right - now.left == area.width && now.bottom - now.top == area.height)
        return;
    SetWindowPos(window, state.frame.locking ? HWND_TOPMOST : nullptr, area.left, area.top, area.width,
                 area.height, SWP_NOACTIVATE | (state.frame.locking ? 0 : SWP_NOZORDER));
}

// A monitor came or went, or (with several) moved: the show's pictures no longer fit, so it
// ends, unless the monitors are asleep with the display (show_rules.h).
bool MonitorsNoLongerFit(HWND window) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    MonitorChangeRule& rule = state.frame.monitorChanges;
    if (rule.Check(ShowMonitorsChanged(), now.QuadPart)) return true;
    if (rule.WindowToPutBack()) PutWindowBack(window);
    return false;
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
        case WM_ACTIVATEAPP:
            if (!wParam && EndsShow(ShowEvent::ActivationLost, state.frame.locking)) EndShow(window);
            return 0;
        case WM_TIMER:
            // From a second after showing: a locking show that does not hold the foreground,
            // whether it never got it or lost it without being told, ends.
            if (GetForegroundWindow() != window &&
                EndsShow(ShowEvent::ForegroundCheck, state.frame.locking)) {
                EndShow(window);
                return 0;
            }
            if (MonitorsNoLongerFit(window)) EndShow(window);
            return 0;
        case WM_DISPLAYCHANGE:
            // The platform does not always announce a change of monitors, hence the timer as well.
            if (MonitorsNoLongerFit(window)) EndShow(window);
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_KEYDOWN:
            if (EndsShow(wParam == VK_ESCAPE ? ShowEvent::EscapeKey : ShowEvent::OtherKey,
                         state.frame.locking))
                EndShow(window);
            return 0;
        case WM_DESTROY:
            state.frame.ending = true;
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
