// How often the renderer may start a frame: no more often than the display refreshes. The
// arithmetic and every pacing decision are kept here, free of the window, and count in
// high-resolution counter ticks.
#pragma once
#include <cstdint>

namespace qv::renderer {

// The refresh rate the display mode reports. Where it reports none (0 and 1 mean "the
// hardware's default"), the compositor's rate (0 when there is none), and 60 when neither is
// known: taking 60 for a faster display would judge its swap as one that does not wait.
int RefreshRateOrDefault(std::uint32_t reported, double compositorRate = 0.0);

// Counter ticks of one refresh period (at least 1).
std::int64_t RefreshPeriodTicks(std::int64_t frequency, int refreshRate);

// Whole milliseconds to wait for `ticks`, rounded up so that a wait never ends early
// because of rounding.
std::uint32_t TicksToWaitMs(std::int64_t ticks, std::int64_t frequency);

// Whether OpenGL's renderer string (GL_RENDERER) names a software rasteriser, whose frames
// cost processor time in proportion to the pixels drawn. None given counts as one.
bool SoftwareRasteriser(const char* glRenderer);

// Frame starts on a grid of one period: each frame is due one period after the previous was
// due, so the rate averages the refresh rate however the waits round or however late a busy
// machine wakes the renderer: frames that fell behind follow each other without a wait until
// they are back on the grid. A frame more than kCatchUpPeriods late (a restart, a stall)
// starts the grid again from itself instead of catching up with a long burst, and so does a
// frame that starts before it was due (the loop was not pacing it).
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
// period and never beyond `longestPeriod`. Where the swap paces, a stretched period is a whole
// number of refresh periods, so that every frame stays on the display equally long.
class ProcessorBudget {
  public:
    static constexpr double kShareOfOneCore = 0.35;

    ProcessorBudget(std::int64_t refreshPeriodTicks, std::int64_t longestPeriodTicks)
        : refresh_(refreshPeriodTicks > 0 ? refreshPeriodTicks : 1),
          longest_(longestPeriodTicks > refresh_ ? longestPeriodTicks : refresh_) {}

    // The period for frames that cost `processorTicksPerFrame` of processor time each
    // (counted in the same ticks as the periods).
    std::int64_t PeriodFor(std::int64_t processorTicksPerFrame, bool wholeRefreshPeriods = false) const;

  private:
    std::int64_t refresh_;
    std::int64_t longest_;
};

// Whether the buffer swap really waits for the display, judged by how many frames start over
// a stretch of time against how many refreshes it holds. A swap that waits lets no more frames
// through than the display shows, plus those a driver lets queue before the swap blocks (up to
// three, which can come back to back). A swap that does not wait lets frames come clearly
// faster: more than kQueueSlack frames beyond one a period within a stretch (at 60 Hz, frames
// at 70 a second are found out within a second; a display that runs a few per cent faster
// than it reports is not taken for a swap that does not wait). The first quarter of a second (the first frame's set-up, the queue filling) is left
// out, and a stretch ends after a second, so a swap that stops waiting later (a display
// switched off, a new driver) is found within about a second. Once found out, never trusted
// again.
class SwapJudge {
  public:
    static constexpr std::int64_t kQueueSlack = 8;

    SwapJudge(std::int64_t frequency, std::int64_t periodTicks)
        : frequency_(frequency > 0 ? frequency : 1), period_(periodTicks > 0 ? periodTicks : 1) {}

    // Judging starts afresh at `now`, after the warm-up.
    void Begin(std::int64_t now);
    // The frames from the next one on make a new stretch (the loop's own pacing changed).
    void NewStretch() { inStretch_ = false; }
    void FrameStarted(std::int64_t now);
    bool Trusted() const { return trusted_; }
    // No swap interval to trust (the driver has none or refused it).
    void Distrust() { trusted_ = false; }

  private:
    std::int64_t frequency_;
    std::int64_t period_;
    std::int64_t warmUpEnds_ = 0;
    std::int64_t stretchStart_ = 0;
    std::int64_t intervals_ = 0;
    bool inStretch_ = false;
    bool trusted_ = true;
};

// Every pacing decision of a show, free of the window: the wrapper reports frame starts and
// processor time and does what this says (the swap interval, the loop's waits).
struct PacingSetup {
    std::int64_t frequency = 1;      // counter ticks a second
    std::int64_t refreshPeriod = 1;  // counter ticks
    bool swapInterval = false;       // the driver took a swap interval of 1
    bool softwareGl = false;         // OpenGL is drawn by a software rasteriser
};

// The swap paces while it is trusted; otherwise the message loop waits on the grid of
// periods. The processor budget applies only where OpenGL is drawn in software: there the
// process's processor time is what the frames cost (the rasteriser's threads do the drawing,
// during the swap). On a graphics card a frame costs the processor little, and what the
// process spends besides is the driver waiting for the display, by sleeping or by spinning,
// in any of its threads; charged to the frames it would slow a show that waits by spinning.
class FramePacing {
  public:
    explicit FramePacing(const PacingSetup& setup);

    // The show starts (or goes on after a pause) at `now` with the process's processor time.
    void Begin(std::int64_t now, std::int64_t processorTicks);
    // A frame starts; true when the swap interval must be set to 0 now (once at most).
    bool FrameStarted(std::int64_t now);
    // Whether the budget wants the process's processor time now (about once a second, and
    // only for software OpenGL).
    bool WantsProcessorTime(std::int64_t now) const;
    void ProcessorTime(std::int64_t now, std::int64_t processorTicks);

    bool SwapPaces() const { return judge_.Trusted(); }
    // The message loop waits between frames: the swap does not, or the budget stretched the period.
    bool LoopPaces() const { return !SwapPaces() || pacer_.Period() > refresh_; }
    // Ticks the loop waits before the next frame; 0 when it may start now or the loop does not pace.
    std::int64_t TicksUntilDue(std::int64_t now) const { return LoopPaces() ? pacer_.TicksUntilDue(now) : 0; }
    std::int64_t Period() const { return pacer_.Period(); }

  private:
    std::int64_t frequency_;
    std::int64_t refresh_;
    bool software_;
    FramePacer pacer_;
    SwapJudge judge_;
    ProcessorBudget budget_;
    std::int64_t windowStart_ = 0;
    std::int64_t windowProcessor_ = 0;
    int windowFrames_ = 0;
};

}  // namespace qv::renderer
