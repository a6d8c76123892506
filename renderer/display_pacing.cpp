#include "display_pacing.h"

#include <mmsystem.h>

#include "frame_pacing.h"

namespace qv::renderer {
namespace {

using SwapIntervalFunction = BOOL(WINAPI*)(int);

bool paced = false;
int refreshRate = 0;
bool timerResolutionSet = false;
LONGLONG counterFrequency = 1;
FramePacer pacer(1);
SwapPacingCheck swapCheck(1);

int DisplayRefreshRate() {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return RefreshRateOrDefault(0);
    return RefreshRateOrDefault(mode.dmDisplayFrequency);
}

// True when the driver took the interval; whether it honours it is for the frames to show.
bool SetSwapInterval(int interval) {
    const auto setInterval =
        reinterpret_cast<SwapIntervalFunction>(reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
    return setInterval && setInterval(interval);
}

}  // namespace

void StartFramePacing(bool pace, LONGLONG frequency) {
    paced = pace;
    counterFrequency = frequency > 0 ? frequency : 1;
    if (!paced) {
        SetSwapInterval(0);
        return;
    }
    refreshRate = DisplayRefreshRate();
    const std::int64_t period = RefreshPeriodTicks(counterFrequency, refreshRate);
    pacer = FramePacer(period);
    swapCheck = SwapPacingCheck(period);
    if (!SetSwapInterval(1)) swapCheck.Distrust();
    // Waits of a few milliseconds need a finer system timer than its default 15.6 ms.
    timerResolutionSet = timeBeginPeriod(1) == TIMERR_NOERROR;
}

void PacingFrameStarted(LONGLONG now) {
    if (!paced) return;
    const bool trusted = swapCheck.Trusted();
    swapCheck.FrameStarted(now);
    // A swap that waits only now and then would add its waits to the loop's.
    if (trusted && !swapCheck.Trusted()) SetSwapInterval(0);
    pacer.FrameStarted(now);
}

bool NextFrameDue() {
    if (!paced || swapCheck.Trusted()) return true;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const std::int64_t ticks = pacer.TicksUntilDue(now.QuadPart);
    if (ticks <= 0) return true;
    MsgWaitForMultipleObjectsEx(0, nullptr, TicksToWaitMs(ticks, counterFrequency), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    return false;
}

int PacingRefreshRate() { return refreshRate; }

bool PacingBySwap() { return paced && swapCheck.Trusted(); }

void StopFramePacing() {
    if (timerResolutionSet) timeEndPeriod(1);
    timerResolutionSet = false;
    paced = false;
}

}  // namespace qv::renderer
