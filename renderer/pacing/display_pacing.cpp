#include "renderer/pacing/display_pacing.h"

#include <GL/gl.h>
#include <mmsystem.h>

#include "renderer/compositor.h"
#include "renderer/renderer_state.h"

namespace qv::renderer {
namespace {

using SwapIntervalFunction = BOOL(WINAPI*)(int);

// What the pacing holds lives in the renderer's one state.
DisplayPacing& display = state.pacing;

// Processor time of the whole process (the rasteriser's threads too), in counter ticks.
std::int64_t ProcessorTicks() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    const auto hundredNs = [](const FILETIME& t) {
        return (static_cast<std::int64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    const std::int64_t total = hundredNs(kernel) + hundredNs(user);
    return static_cast<std::int64_t>(static_cast<double>(total) * display.counterFrequency / 1e7);
}

// Waits of a few milliseconds need a finer system timer than its default 15.6 ms; it costs
// the whole system power, so it is held only while the loop does the waiting.
void HoldFineTimer(bool hold) {
    if (hold == display.fineTimer) return;
    if (hold) {
        display.fineTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
    } else {
        timeEndPeriod(1);
        display.fineTimer = false;
    }
}

BOOL CALLBACK FastestMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM fastest) {
    MONITORINFOEXA info = {};
    info.cbSize = sizeof info;
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    if (GetMonitorInfoA(monitor, &info) &&
        EnumDisplaySettingsA(info.szDevice, ENUM_CURRENT_SETTINGS, &mode)) {
        int& rate = *reinterpret_cast<int*>(fastest);
        const int reported = RefreshRateOrDefault(mode.dmDisplayFrequency, CompositorRefreshRate());
        if (reported > rate) rate = reported;
    }
    return TRUE;
}

// The fastest rate among the monitors the window covers (docs/bench.md says why); the
// primary's when none can be read.
int DisplayRefreshRate(HWND window) {
    int fastest = 0;
    RECT area;
    if (window && GetWindowRect(window, &area))
        EnumDisplayMonitors(nullptr, &area, FastestMonitor, reinterpret_cast<LPARAM>(&fastest));
    if (fastest > 0) return fastest;
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) mode.dmDisplayFrequency = 0;
    return RefreshRateOrDefault(mode.dmDisplayFrequency, CompositorRefreshRate());
}

// True when the driver took the interval; whether it honours it is for the frames to show.
bool SetSwapInterval(int interval) {
    const auto setInterval = reinterpret_cast<SwapIntervalFunction>(
        reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
    return setInterval && setInterval(interval);
}

// Only software OpenGL's frames are charged to the budget (frame_pacing.h says why).
std::int64_t BudgetProcessorTicks() { return display.softwareGl ? ProcessorTicks() : 0; }

}  // namespace

void StartFramePacing(bool pace, LONGLONG frequency, HWND window) {
    display.paced = pace;
    display.counterFrequency = frequency > 0 ? frequency : 1;
    if (!display.paced) {
        SetSwapInterval(0);
        return;
    }
    display.refreshRate = DisplayRefreshRate(window);
    display.softwareGl = SoftwareRasteriser(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    PacingSetup setup;
    setup.frequency = display.counterFrequency;
    setup.refreshPeriod = RefreshPeriodTicks(display.counterFrequency, display.refreshRate);
    setup.swapInterval = SetSwapInterval(1);
    setup.softwareGl = display.softwareGl;
    display.pacing = FramePacing(setup);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    display.pacing.Begin(now.QuadPart, BudgetProcessorTicks());
}

void PacingFrameStarted(LONGLONG now) {
    if (!display.paced) return;
    if (display.pacing.FrameStarted(now)) SetSwapInterval(0);
    if (display.pacing.WantsProcessorTime(now)) display.pacing.ProcessorTime(now, ProcessorTicks());
}

bool NextFrameDue() {
    if (!display.paced) return true;
    HoldFineTimer(display.pacing.LoopPaces());
    if (!display.pacing.LoopPaces()) return true;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const std::int64_t ticks = display.pacing.TicksUntilDue(now.QuadPart);
    if (ticks <= 0) return true;
    MsgWaitForMultipleObjectsEx(0, nullptr, TicksToWaitMs(ticks, display.counterFrequency), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    return false;
}

void PacingPaused() { HoldFineTimer(false); }

void PacingResumed(LONGLONG now) {
    if (display.paced) display.pacing.Begin(now, BudgetProcessorTicks());
}

void StopFramePacing() {
    HoldFineTimer(false);
    display.paced = false;
}

}  // namespace qv::renderer
