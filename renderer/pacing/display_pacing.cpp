#include "renderer/pacing/display_pacing.h"

#include <mmsystem.h>

#include "renderer/pacing/frame_pacing.h"

namespace qv::renderer {
namespace {

using SwapIntervalFunction = BOOL(WINAPI*)(int);

bool paced = false;
int refreshRate = 0;
bool timerResolutionSet = false;
LONGLONG counterFrequency = 1;
FramePacer pacer(1);
SwapPacingCheck swapCheck(1);
ProcessorBudget budget(1, 1);
std::int64_t refreshPeriod = 1;

// The budget is judged over about a second of frames.
LONGLONG windowStart = 0;
std::int64_t windowProcessor = 0;
int windowFrames = 0;

// Processor time of the whole process (the rasteriser's threads too), in counter ticks.
std::int64_t ProcessorTicks() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    const auto hundredNs = [](const FILETIME& t) {
        return (static_cast<std::int64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    const std::int64_t total = hundredNs(kernel) + hundredNs(user);
    return static_cast<std::int64_t>(static_cast<double>(total) * counterFrequency / 1e7);
}

void JudgeBudget(LONGLONG now) {
    ++windowFrames;
    if (now - windowStart < counterFrequency) return;
    const std::int64_t processor = ProcessorTicks();
    pacer.SetPeriod(budget.PeriodFor((processor - windowProcessor) / windowFrames));
    windowStart = now;
    windowProcessor = processor;
    windowFrames = 0;
}

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
    refreshPeriod = period;
    pacer = FramePacer(period);
    swapCheck = SwapPacingCheck(period);
    budget = ProcessorBudget(period, counterFrequency / 15);
    QueryPerformanceCounter(reinterpret_cast<LARGE_INTEGER*>(&windowStart));
    windowProcessor = ProcessorTicks();
    windowFrames = 0;
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
    JudgeBudget(now);
}

bool NextFrameDue() {
    // A trusted swap waits for the display by itself; the loop waits only for a stretched period.
    if (!paced || (swapCheck.Trusted() && pacer.Period() <= refreshPeriod)) return true;
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
