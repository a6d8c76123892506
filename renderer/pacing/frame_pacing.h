// How often the renderer may start a frame: no more often than the display refreshes. The
// arithmetic is kept here, free of the window, and counts in high-resolution counter ticks.
#pragma once
#include <cstdint>

namespace qv::renderer {

// The refresh rate the system reports, or 60 when it reports none (0 and 1 mean "the
// hardware's default").
int RefreshRateOrDefault(std::uint32_t reported);

// Counter ticks of one refresh period (at least 1).
std::int64_t RefreshPeriodTicks(std::int64_t frequency, int refreshRate);

// Whole milliseconds to wait for `ticks`, rounded up so that a wait never ends early
// because of rounding.
std::uint32_t TicksToWaitMs(std::int64_t ticks, std::int64_t frequency);

// Frame starts on a grid of one period: each frame is due one period after the previous was
// due, so the rate averages the refresh rate however the waits round or however late a busy
// machine wakes the renderer: frames that fell behind follow each other without a wait until
// they are back on the grid. A frame more than kCatchUpPeriods late (a restart, a stall)
// starts the grid again from itself instead of catching up with a long burst.
class FramePacer {
public:
    static constexpr int kCatchUpPeriods = 4;

    explicit FramePacer(std::int64_t periodTicks) : period_(periodTicks > 0 ? periodTicks : 1) {}

    // Ticks to wait before the next frame may start; 0 when it may start now.
    std::int64_t TicksUntilDue(std::int64_t now) const;
    // A frame starts at `now`.
    void FrameStarted(std::int64_t now);

    std::int64_t Period() const { return period_; }
    // A new period; the next frame stays due when it was due.
    void SetPeriod(std::int64_t periodTicks) { period_ = periodTicks > 0 ? periodTicks : 1; }

private:
    std::int64_t period_;
    std::int64_t due_ = 0;
    bool started_ = false;
};

// Where OpenGL is drawn in software a frame at the refresh rate can take most of the
// machine, for motion nobody sees as smoother. The renderer therefore keeps its processor
// use (all its threads, the rasteriser's included) within a share of one core: the period
// is stretched to what the measured processor time per frame allows, never below the refresh
// period and never beyond `longestPeriod`. On a graphics card a frame costs so little that
// the period stays the refresh period.
class ProcessorBudget {
public:
    static constexpr double kShareOfOneCore = 0.35;

    ProcessorBudget(std::int64_t refreshPeriodTicks, std::int64_t longestPeriodTicks)
        : refresh_(refreshPeriodTicks > 0 ? refreshPeriodTicks : 1),
          longest_(longestPeriodTicks > refresh_ ? longestPeriodTicks : refresh_) {}

    // The period for frames that cost `processorTicksPerFrame` of processor time each
    // (counted in the same ticks as the periods).
    std::int64_t PeriodFor(std::int64_t processorTicksPerFrame) const;

private:
    std::int64_t refresh_;
    std::int64_t longest_;
};

// Whether the buffer swap really waits for the display. Some drivers accept a swap interval
// and ignore it; the frame starts tell: once `needed` frames in a row come less than 9/10
// of a period apart, the swap is not pacing and never trusted again. Those frames are the only
// unpaced ones, so `needed` is small; a driver that queues a few frames before it waits may
// be taken for one that does not, which only means the message loop paces instead.
class SwapPacingCheck {
public:
    SwapPacingCheck(std::int64_t periodTicks, int needed = 4)
        : period_(periodTicks), needed_(needed > 0 ? needed : 1) {}

    void FrameStarted(std::int64_t now);
    bool Trusted() const { return trusted_; }
    // No swap interval to trust (the driver has none or refused it).
    void Distrust() { trusted_ = false; }

private:
    std::int64_t period_;
    int needed_;
    int fastInARow_ = 0;
    std::int64_t last_ = 0;
    bool seen_ = false;
    bool trusted_ = true;
};

}  // namespace qv::renderer
