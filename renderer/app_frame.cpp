#include "app_frame.h"

#include <GL/gl.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "bench_probe.h"
#include "display_pacing.h"
#include "frame_state.h"
#include "scene.h"
#include "show_monitors.h"

namespace qv::renderer {

const char* const kWindowClassName = "Quorvale_VC";
const char* const kSettingsPath = "C:\\zantho_temp\\Quorvale.ini";

FrameClock frameClock;
int screenWidth = 1024;
int screenHeight = 768;

namespace {

bool renderingEnabled = false;
HDC windowDC = nullptr;
HGLRC glContext = nullptr;

PIXELFORMATDESCRIPTOR pixelFormat = {
    sizeof(PIXELFORMATDESCRIPTOR), 1, PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER,
    PFD_TYPE_RGBA, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, PFD_MAIN_PLANE, 0, 0, 0, 0};
bool pixelFormatFilled = false;
constexpr UINT_PTR kMonitorWatch = 1;  // once a second: are the show's monitors still there?

// The console display's state: off (0), on (1) or dimmed (2). While it is off nobody sees the
// show, so no frames are drawn and the cycle's clock stands still.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
HPOWERNOTIFY displayNotification = nullptr;
bool displayOff = false;
LONGLONG displayOffSince = 0;

using RegisterPowerSettingFunction = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
using UnregisterPowerSettingFunction = BOOL(WINAPI*)(HPOWERNOTIFY);

// Looked up when needed: where the system lacks them, the show runs whatever the display does.
void* User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<void*>(GetProcAddress(user32, name)) : nullptr;
}

void WatchDisplayState(HWND window) {
    const auto watch = reinterpret_cast<RegisterPowerSettingFunction>(User32Function("RegisterPowerSettingNotification"));
    displayNotification = watch ? watch(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE) : nullptr;
}

void StopWatchingDisplayState() {
    if (!displayNotification) return;
    const auto stop = reinterpret_cast<UnregisterPowerSettingFunction>(User32Function("UnregisterPowerSettingNotification"));
    if (stop) stop(displayNotification);
    displayNotification = nullptr;
}

void DisplayStateChanged(HWND window, DWORD state) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (state == 0) {
        if (displayOff) return;
        displayOff = true;
        displayOffSince = now.QuadPart;
        PacingPaused();
    } else if (displayOff) {  // on, or dimmed and still seen: the show goes on where it stopped
        displayOff = false;
        frameClock.LeaveOut(now.QuadPart - displayOffSince);
        PacingResumed(now.QuadPart);
        InvalidateRect(window, nullptr, FALSE);
    }
}

}  // namespace

void EnableRendering(bool enabled) { renderingEnabled = enabled; }

void DebugPrintf(const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    OutputDebugStringA(text);
}

BOOL SetupPixelFormat(HDC dc) {
    if (!pixelFormatFilled) {
        pixelFormat.cColorBits = static_cast<BYTE>(GetDeviceCaps(dc, BITSPIXEL));
        pixelFormatFilled = true;
    }
    const int index = ChoosePixelFormat(dc, &pixelFormat);
    DebugPrintf("PixelFormat Selected: %d\nBPP: %d\n", index, GetDeviceCaps(dc, BITSPIXEL));
    return SetPixelFormat(dc, index, &pixelFormat);
}

void ResizeViewport(int width, int height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
}

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            windowDC = GetDC(window);
            SetupPixelFormat(windowDC);
            glContext = wglCreateContext(windowDC);
            wglMakeCurrent(windowDC, glContext);
            WatchDisplayState(window);
            return 0;
        case WM_SIZE:
            screenWidth = LOWORD(lParam);
            screenHeight = HIWORD(lParam);
            ResizeViewport(screenWidth, screenHeight);
            return 0;
        case WM_PAINT:
            if (renderingEnabled && !displayOff) {
                LARGE_INTEGER now;
                QueryPerformanceCounter(&now);
                frameClock.Tick(now.QuadPart);
                PacingFrameStarted(now.QuadPart);
                if (!BenchProbeFrame()) RenderFrame();
                SwapBuffers(windowDC);
                ValidateRect(window, nullptr);
                BenchFrameDone(window);
            } else {
                ValidateRect(window, nullptr);  // nothing to draw now; no repeated paints
            }
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_POWERSETTINGCHANGE && lParam) {
                const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
                if (IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) && setting->DataLength >= sizeof(DWORD)) {
                    DWORD state = 0;
                    std::memcpy(&state, setting->Data, sizeof state);
                    DisplayStateChanged(window, state);
                }
                return TRUE;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_DISPLAYCHANGE:
        case WM_TIMER:
            // A monitor came or went: the show's pictures no longer fit, so it ends. The
            // platform does not always announce it, hence the watch timer as well.
            if (ShowMonitorsChanged()) DestroyWindow(window);
            return message == WM_TIMER ? 0 : DefWindowProcA(window, message, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                BenchMark("renderer_escape");
                DestroyWindow(window);
            }
            return 0;
        case WM_DESTROY:
            StopWatchingDisplayState();
            wglMakeCurrent(nullptr, nullptr);
            wglDeleteContext(glContext);
            ShowCursor(TRUE);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace qv::renderer

using namespace qv::renderer;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    screenWidth = SizeOrDefault(
        static_cast<int>(GetPrivateProfileIntA("Settings", "Width", 1024, kSettingsPath)), 1024);
    screenHeight = SizeOrDefault(
        static_cast<int>(GetPrivateProfileIntA("Settings", "Height", 768, kSettingsPath)), 768);
    ShowCursor(FALSE);
    renderingEnabled = false;
    BenchStart();

    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = RendererWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClassName;
    if (!RegisterClassA(&windowClass)) return 0;

    // With several monitors the window spans them all; with one it is the primary's size.
    const MonitorRect area = ArrangeShowMonitors(screenWidth, screenHeight);
    HWND window = CreateWindowExA(0, kWindowClassName, kWindowClassName, WS_POPUP, area.left, area.top,
                                  area.width, area.height, nullptr, nullptr, instance, nullptr);
    if (!window) return 0;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetTimer(window, kMonitorWatch, 1000, nullptr);

    LARGE_INTEGER frequency, start;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    frameClock.Start(frequency.QuadPart, start.QuadPart);

    // A picture missing at start ends the program; the process exit tidies up the rest.
    if (!InitScene()) return 0;
    StartFramePacing(!BenchUnpaced(), frequency.QuadPart, window);
    EnableRendering(true);

    MSG message = {};  // an empty queue leaves it unfilled
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    while (message.message != WM_QUIT) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else if (displayOff) {
            WaitMessage();  // nothing is drawn while the display is off: sleep until a message
        } else if (NextFrameDue()) {
            InvalidateRect(window, nullptr, FALSE);
        }
    }
    StopFramePacing();
    EnableRendering(false);
    BenchMark("renderer_end");
    return static_cast<int>(message.wParam);
}
