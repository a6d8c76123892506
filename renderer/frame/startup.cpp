// The renderer's run: each start-up step in its order, checked, with the reason for a failure
// written to the debugger output; then the loop that draws whenever the queue runs empty.
// The exit code is 0 whatever happens: the saver watches the window, not the code.
#include "handoff/handoff.h"
#include "handoff/session_lock.h"
#include "renderer/frame/app_frame.h"
#include "renderer/compositor.h"
#include "renderer/debug_output.h"
#include "renderer/pacing/display_pacing.h"
#include "renderer/scene/scene.h"
#include "renderer/scene/show_monitors.h"

namespace qv::renderer {
namespace {

// The window's class name is its title too, which the saver looks for.
constexpr const char* kWindowClassName = handoff::kRendererWindowTitle;
constexpr UINT_PTR kShowWatch = 1;  // once a second: the show's monitors, and its foreground

void ReadScreenSize() {
    FrameState& frame = state.frame;
    const auto read = [](const char* key, int fallback) {
        return handoff::SizeOrDefault(static_cast<int>(GetPrivateProfileIntA(
                                          handoff::kSettingsSection, key, fallback, handoff::kSettingsFile)),
                                      fallback);
    };
    frame.screenWidth = read(handoff::kKeyWidth, handoff::kDefaultWidth);
    frame.screenHeight = read(handoff::kKeyHeight, handoff::kDefaultHeight);
    frame.windowWidth = frame.screenWidth;
    frame.windowHeight = frame.screenHeight;
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClassName;
    if (RegisterClassA(&windowClass)) return true;
    LogStepFailure("RegisterClassA", "the window class cannot be registered");
    return false;
}

// With several monitors the window spans them all; with one it is the primary's size.
// Creating it makes the OpenGL context current (the window procedure's WM_CREATE). It is not
// shown yet: nobody is to see it before it has the picture in it. A show that locks the
// session stays above every other window.
bool CreateShowWindow(HINSTANCE instance) {
    const MonitorRect area = ArrangeShowMonitors(state.frame.screenWidth, state.frame.screenHeight);
    const DWORD exStyle = state.frame.locking ? WS_EX_TOPMOST : 0;
    state.frame.window =
        CreateWindowExA(exStyle, kWindowClassName, kWindowClassName, WS_POPUP, area.left, area.top,
                        area.width, area.height, nullptr, nullptr, instance, nullptr);
    if (state.frame.window) return true;
    LogStepFailure("CreateWindowExA", "the window cannot be made");
    return false;
}

// Shows the window with its first frame: the paint that showing asks for draws it at once, and
// under a compositor the window stays cloaked until that frame is presented (window_procedure).
// Then it takes the foreground, which the saver has allowed it.
void ShowShowWindow() {
    FrameState& frame = state.frame;
    frame.cloaked = SetCloaked(frame.window, true);
    ShowWindow(frame.window, SW_SHOW);
    UpdateWindow(frame.window);
    if (!SetForegroundWindow(frame.window))
        LogStepFailure("SetForegroundWindow", "the system kept the foreground for another program");
    // Without the watch a monitor that goes unannounced leaves the show running; it still runs.
    if (!SetTimer(frame.window, kShowWatch, 1000, nullptr))
        LogStepFailure("SetTimer", "the monitor and foreground watch is not running");
}

LONGLONG StartFrameClock() {
    LARGE_INTEGER frequency, start;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    state.frame.clock.Start(frequency.QuadPart, start.QuadPart);
    return frequency.QuadPart;
}

// Peeks rather than waits, and asks for a paint whenever the queue is empty and a frame is due.
int RunMessageLoop() {
    MSG message = {};  // an empty queue leaves it unfilled
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    while (message.message != WM_QUIT) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else if (state.frame.displayOff) {
            WaitMessage();  // nothing is drawn while the display is off: sleep until a message
        } else if (NextFrameDue()) {
            InvalidateRect(state.frame.window, nullptr, FALSE);
        }
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int RunRenderer(HINSTANCE instance, const RendererOptions& options) {
    ReadScreenSize();
    ShowCursor(FALSE);
    state.frame.renderingEnabled = false;
    state.hooks = options.scene;
    state.frame.locking = handoff::SessionLocksAfterShow();
    if (!RegisterWindowClass(instance,
                             options.windowProcedure ? options.windowProcedure : RendererWindowProc))
        return 0;
    if (!CreateShowWindow(instance)) return 0;
    // The clock starts before the pictures load, as it always has, so the cycle keeps its timing.
    const LONGLONG frequency = StartFrameClock();
    state.frame.monitorChanges = MonitorChangeRule(frequency);
    // A picture missing at start ends the program before anyone has seen the window; the
    // process exit tidies up the rest.
    if (!state.hooks.load()) return 0;
    StartFramePacing(options.paced, frequency, state.frame.window);
    state.frame.renderingEnabled = true;
    ShowShowWindow();
    const int code = RunMessageLoop();
    StopFramePacing();
    state.frame.renderingEnabled = false;
    return code;
}

}  // namespace qv::renderer
