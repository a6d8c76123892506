// The pacing arithmetic: refresh rate, period, waits and the grid of frame starts.
#include "renderer/pacing/frame_pacing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace qv::renderer {
namespace {

TEST(FramePacing, RefreshRateFromTheModeThenTheCompositorThen60) {
    const struct {
        std::uint32_t reported;
        double compositor;
        int rate;
    } cases[] = {
        {0, 0.0, 60},        {1, 0.0, 60},
        {2, 0.0, 2},         {59, 0.0, 59},
        {144, 0.0, 144},     {0xFFFFFFFFu, 0.0, 60},
        {0, 143.98, 144},    {1, 59.94, 60},
        {0, 240.0, 240},     {0xFFFFFFFFu, 165.0, 165},
        {75, 144.0, 75},  // the mode's own rate wins where it has one
        {1000, 144.0, 1000}, {1001, 0.0, 60},
        {0, 2.0, 2},         {0, 1000.0, 1000},
        {0, 1.0, 60},        {0, -5.0, 60},
        {0, 1500.0, 60},  // no usable compositor rate
    };
    for (const auto& c : cases)
        EXPECT_EQ(RefreshRateOrDefault(c.reported, c.compositor), c.rate)
            << c.reported << " / " << c.compositor;
}

TEST(FramePacing, PeriodAndWaitsInTicksAndMilliseconds) {
    EXPECT_EQ(RefreshPeriodTicks(10000000, 60), 166666);
    EXPECT_EQ(RefreshPeriodTicks(10000000, 144), 69444);
    EXPECT_EQ(RefreshPeriodTicks(0, 60), 1);
    EXPECT_EQ(RefreshPeriodTicks(10000000, 0), 1);
    EXPECT_EQ(RefreshPeriodTicks(30, 60), 1);
    EXPECT_EQ(RefreshPeriodTicks(1000, 1), 1000);
    // Rounded up: a wait never ends before the frame is due.
    EXPECT_EQ(TicksToWaitMs(0, 10000000), 0u);
    EXPECT_EQ(TicksToWaitMs(-5, 10000000), 0u);
    EXPECT_EQ(TicksToWaitMs(1, 10000000), 1u);
    EXPECT_EQ(TicksToWaitMs(10000, 10000000), 1u);
    EXPECT_EQ(TicksToWaitMs(10001, 10000000), 2u);
    EXPECT_EQ(TicksToWaitMs(166666, 10000000), 17u);
    EXPECT_EQ(TicksToWaitMs(INT64_MAX, 1000), 1000000000u);
}

TEST(FramePacing, FirstFrameAtOnceThenOnePeriodApart) {
    FramePacer pacer(100);
    EXPECT_EQ(pacer.TicksUntilDue(5000), 0);
    pacer.FrameStarted(5000);
    EXPECT_EQ(pacer.TicksUntilDue(5000), 100);
    EXPECT_EQ(pacer.TicksUntilDue(5030), 70);
    EXPECT_EQ(pacer.TicksUntilDue(5100), 0);
    EXPECT_EQ(pacer.TicksUntilDue(5170), 0);
}

// Waits that end late (rounding, a busy machine) do not lower the rate: the next frame is
// due one period after the previous one was due, not after it started.
TEST(FramePacing, LateStartsKeepTheAverageRate) {
    const std::int64_t period = 1000;
    FramePacer pacer(period);
    std::int64_t now = 0;
    int frames = 0;
    while (now < 60 * period) {
        now += pacer.TicksUntilDue(now);
        now += 300;  // every wait ends 0.3 periods late
        pacer.FrameStarted(now);
        ++frames;
        now += 200;  // the frame's own work
    }
    EXPECT_GE(frames, 59);
    EXPECT_LE(frames, 61);
}

// Never more frames than periods, however fast the frames are.
TEST(FramePacing, FastFramesAreHeldToTheRefreshRate) {
    const std::int64_t period = 1000;
    FramePacer pacer(period);
    int frames = 0;
    for (std::int64_t now = 0; now < 100 * period; now += 7) {
        if (pacer.TicksUntilDue(now) == 0) {
            pacer.FrameStarted(now);
            ++frames;
        }
    }
    EXPECT_GE(frames, 99);
    EXPECT_LE(frames, 101);
}

// A busy machine that wakes the renderer a period and more too late: the frames that fell
// behind follow each other at once, and the rate still averages the refresh rate.
TEST(FramePacing, WakingLateByMoreThanAPeriodKeepsTheAverageRate) {
    const std::int64_t period = 1000;
    FramePacer pacer(period);
    std::int64_t now = 0;
    int frames = 0;
    while (now < 100 * period) {
        const std::int64_t wait = pacer.TicksUntilDue(now);
        if (wait > 0) now += wait + 1300;  // every wait ends 1.3 periods late
        pacer.FrameStarted(now);
        ++frames;
        now += 200;
    }
    EXPECT_GE(frames, 98);
    EXPECT_LE(frames, 101);
}

// After a long frame (a restart, a stall) the grid starts again: no long burst to catch up.
TEST(FramePacing, AStallDoesNotLeadToABurst) {
    FramePacer pacer(1000);
    pacer.FrameStarted(0);
    pacer.FrameStarted(1000);
    pacer.FrameStarted(7000);  // six periods late
    EXPECT_EQ(pacer.TicksUntilDue(7000), 1000);
    EXPECT_EQ(pacer.TicksUntilDue(7500), 500);
    // Up to four periods late keeps the grid: the next frame is due at once.
    pacer.FrameStarted(8000);
    pacer.FrameStarted(12000);  // due at 9000: three periods late
    EXPECT_EQ(pacer.TicksUntilDue(12000), 0);
    pacer.FrameStarted(12000);
    EXPECT_EQ(pacer.TicksUntilDue(12000), 0);
    pacer.FrameStarted(12000);
    pacer.FrameStarted(12000);
    EXPECT_EQ(pacer.TicksUntilDue(12000), 1000) << "back on the grid";

    // Exactly four periods late still catches up.
    FramePacer edge(1000);
    edge.FrameStarted(0);
    edge.FrameStarted(5000);  // due at 1000
    EXPECT_EQ(edge.TicksUntilDue(5000), 0);
}

TEST(FramePacing, ProcessorBudgetStretchesOnlyCostlyFrames) {
    // Refresh period 1000 ticks, at most 4000; the share is 0.35 of a core.
    ProcessorBudget budget(1000, 4000);
    EXPECT_EQ(budget.PeriodFor(0), 1000);
    EXPECT_EQ(budget.PeriodFor(100), 1000) << "a cheap frame keeps the refresh rate";
    EXPECT_EQ(budget.PeriodFor(350), 1000) << "exactly the share at the refresh rate";
    EXPECT_EQ(budget.PeriodFor(700), 2000) << "twice the share: half the rate";
    EXPECT_EQ(budget.PeriodFor(1050), 3000);
    EXPECT_EQ(budget.PeriodFor(1400), 4000);
    EXPECT_EQ(budget.PeriodFor(100000), 4000) << "never slower than the longest period";
    EXPECT_EQ(budget.PeriodFor(INT64_MAX), 4000);

    ProcessorBudget noRoom(1000, 10);
    EXPECT_EQ(noRoom.PeriodFor(5000), 1000) << "the longest period is at least the refresh period";

    // Where the swap paces: whole refresh periods, up to the most that fit the longest.
    ProcessorBudget whole(1000, 4500);
    EXPECT_EQ(whole.PeriodFor(350, true), 1000);
    EXPECT_EQ(whole.PeriodFor(351, true), 2000);
    EXPECT_EQ(whole.PeriodFor(1050, true), 3000);
    EXPECT_EQ(whole.PeriodFor(1100, true), 4000);
    EXPECT_EQ(whole.PeriodFor(100000, true), 4000);
}

TEST(FramePacing, SoftwareRasterisersAreKnownByTheirRendererString) {
    EXPECT_TRUE(SoftwareRasteriser("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(SoftwareRasteriser("Gallium 0.4 on softpipe"));
    EXPECT_TRUE(SoftwareRasteriser("Mesa X11 Software Rasterizer"));
    EXPECT_TRUE(SoftwareRasteriser("GDI Generic"));
    EXPECT_TRUE(SoftwareRasteriser("Microsoft Basic Render Driver"));
    EXPECT_TRUE(SoftwareRasteriser(nullptr)) << "unknown: budgeted as before";
    EXPECT_FALSE(SoftwareRasteriser("NVIDIA GeForce RTX 3060/PCIe/SSE2"));
    EXPECT_FALSE(SoftwareRasteriser("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)"));
    EXPECT_FALSE(SoftwareRasteriser("llvm"));
}

TEST(FramePacing, ANewPeriodKeepsTheFrameThatIsDue) {
    FramePacer pacer(100);
    pacer.FrameStarted(1000);
    pacer.SetPeriod(300);
    EXPECT_EQ(pacer.TicksUntilDue(1000), 100) << "the frame already due stays due";
    pacer.FrameStarted(1100);
    EXPECT_EQ(pacer.TicksUntilDue(1100), 300);
    EXPECT_EQ(pacer.Period(), 300);
}

// The swap's judge over three seconds of frames `gap` periods apart, after a stall of three
// periods that ends as judging starts, so that the three frames a refilling queue lets through
// back to back open the first stretch.
// Without a swap interval the loop paces from the first frame; where OpenGL is software the
// budget takes the mean cost of the frames of about a second, not the latest frame's.
TEST(FramePacing, NoSwapIntervalPacesByTheLoopAndTheBudgetAveragesASecond) {
    PacingSetup setup;
    setup.frequency = 1'000'000;
    setup.refreshPeriod = RefreshPeriodTicks(setup.frequency, 60);
    setup.softwareGl = true;
    FramePacing pacing(setup);
    EXPECT_FALSE(pacing.SwapPaces());
    EXPECT_TRUE(pacing.LoopPaces());
    pacing.Begin(0, 0);
    std::int64_t now = 0, processor = 0;
    for (int frame = 0; now < 4 * setup.frequency; ++frame) {
        now += pacing.TicksUntilDue(now);
        pacing.FrameStarted(now);
        if (pacing.WantsProcessorTime(now)) pacing.ProcessorTime(now, processor);
        const std::int64_t cost = frame % 2 ? 30'000 : 10'000;  // 20 ms on the mean
        processor += cost;
        now += cost;
    }
    EXPECT_NEAR(static_cast<double>(pacing.Period()), 20'000 / ProcessorBudget::kShareOfOneCore, 4'000);
}

TEST(FramePacing, SwapJudgeToleratesAQueueOfThreeAndFindsFramesClearlyFaster) {
    const struct {
        double gap;
        bool trusted;
    } cases[] = {{1.0, true}, {0.95, true}, {2.5, true}, {0.85, false}, {0.5, false}, {0.1, false}};
    const std::int64_t period = 16667;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gap);
        SwapJudge judge(1'000'000, period);
        judge.Begin(0);
        std::int64_t now = 0;
        while (now + period < 250'000) judge.FrameStarted(now += period);
        now += 3 * period;
        for (int k = 0; k < 3; ++k) judge.FrameStarted(now += 100);
        while (now < 3'000'000 && judge.Trusted())
            judge.FrameStarted(now += static_cast<std::int64_t>(c.gap * period));
        EXPECT_EQ(judge.Trusted(), c.trusted);
        if (!c.trusted) {
            EXPECT_LE(now, 1'300'000) << "found out within about a second";
        }
    }
}

// A simulated show: the message loop as the renderer runs it (waits rounded up to whole
// milliseconds that wake up to 1 ms late, then a frame, then the swap) against a model of a
// driver: a vertical blank every period from a point after the first swap, a swap that lets
// `queue` frames wait for the display and then blocks until a blank shows one, waiting by
// sleeping or by spinning (then the wait is charged as processor time), an interval that is
// honoured or ignored, and a display that may stop its blanks (after which the swap no longer
// waits). The first frame costs four periods more, every 150th two more, and every frame a
// few milliseconds of jitter. One microsecond per tick.
struct DriverCase {
    const char* name;
    int hz;
    int queue;
    bool spins;
    bool honoured;
    bool software;  // GL_RENDERER names a software rasteriser
    double frameMs;
    double blanksStopAt;  // seconds; 0: the display refreshes all show
};

struct ShowFigures {
    double fps = 0.0;  // over the steady seconds
    int slowestSecond = 1 << 30, busiestSecond = 0;
    bool vsyncAtEnd = true;
    double intervalOffAt = -1.0;          // seconds into the show; -1: never
    double share = 0.0;                   // processor use over the steady seconds, of one core
    bool stretchedByWholePeriods = true;  // while the swap paced
};

constexpr std::int64_t kTicks = 1'000'000;
constexpr int kShowSeconds = 12;

ShowFigures RunShow(const DriverCase& c, double phase, unsigned seed) {
    const std::int64_t period = RefreshPeriodTicks(kTicks, c.hz);
    const std::int64_t end = kShowSeconds * kTicks;
    const std::int64_t blanksStop =
        c.blanksStopAt > 0 ? static_cast<std::int64_t>(c.blanksStopAt * kTicks) : INT64_MAX;
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::int64_t> jitter(-2000, 2000), lateWake(0, 1000);

    PacingSetup setup;
    setup.frequency = kTicks;
    setup.refreshPeriod = period;
    setup.swapInterval = true;
    setup.softwareGl = c.software;
    FramePacing pacing(setup);
    pacing.Begin(0, 0);

    ShowFigures figures;
    bool interval = true;
    std::int64_t now = 0, processor = 0, nextBlank = -1;
    int waiting = 0;  // frames swapped and not yet shown
    std::vector<int> framesIn(kShowSeconds, 0);
    std::vector<std::int64_t> processorIn(kShowSeconds, 0);
    const auto charge = [&](std::int64_t ticks) {
        processor += ticks;
        processorIn[std::min<std::int64_t>(now / kTicks, kShowSeconds - 1)] += ticks;
    };
    const auto blanksUpTo = [&](std::int64_t t) {
        while (nextBlank >= 0 && nextBlank <= t && nextBlank < blanksStop) {
            if (waiting > 0) --waiting;
            nextBlank += period;
        }
    };
    for (int frame = 0;; ++frame) {
        for (std::int64_t wait; (wait = pacing.TicksUntilDue(now)) > 0;)
            now +=
                static_cast<std::int64_t>(TicksToWaitMs(wait, kTicks)) * (kTicks / 1000) + lateWake(random);
        if (now >= end) break;
        if (pacing.FrameStarted(now)) {
            EXPECT_TRUE(interval) << "the interval is set to 0 once";
            interval = false;
            figures.intervalOffAt = static_cast<double>(now) / kTicks;
        }
        if (pacing.WantsProcessorTime(now)) pacing.ProcessorTime(now, processor);
        if (pacing.SwapPaces() && pacing.Period() % period != 0) figures.stretchedByWholePeriods = false;
        ++framesIn[now / kTicks];

        std::int64_t cost = static_cast<std::int64_t>(c.frameMs * 1000) + jitter(random);
        if (frame == 0)
            cost += 4 * period;  // the first frame builds its textures
        else if (frame % 150 == 0)
            cost += 2 * period;  // now and then a stall (a restart)
        cost = std::max<std::int64_t>(cost, 300);
        charge(cost);
        now += cost;

        if (nextBlank < 0)
            nextBlank = now + std::max<std::int64_t>(1, static_cast<std::int64_t>(phase * period));
        blanksUpTo(now);
        if (interval && c.honoured) {
            ++waiting;
            while (waiting > c.queue) {
                if (nextBlank >= blanksStop) {  // the display is off: the driver stops waiting
                    waiting = 0;
                    break;
                }
                if (c.spins) charge(nextBlank - now);
                now = nextBlank;
                blanksUpTo(now);
            }
        } else {
            waiting = 0;
        }
        charge(50);  // the loop's own work
        now += 50;
    }

    // Steady seconds: after the first two, and not those within two seconds after the blanks stop.
    int seconds = 0, frames = 0;
    std::int64_t used = 0;
    for (int s = 2; s < kShowSeconds; ++s) {
        if (c.blanksStopAt > 0 && s + 1 > c.blanksStopAt && s < c.blanksStopAt + 2) continue;
        ++seconds;
        frames += framesIn[s];
        used += processorIn[s];
        figures.slowestSecond = std::min(figures.slowestSecond, framesIn[s]);
        figures.busiestSecond = std::max(figures.busiestSecond, framesIn[s]);
    }
    figures.fps = static_cast<double>(frames) / seconds;
    figures.share = static_cast<double>(used) / (static_cast<double>(seconds) * kTicks);
    figures.vsyncAtEnd = interval;
    return figures;
}

// Graphics cards (2 ms frames) whose swap waits with a queue of 1-3 frames, by sleeping or
// spinning; drivers that ignore the interval; displays that stop refreshing mid-show; and
// software rasterisers whose frames cost more than the budget allows.
TEST(FramePacing, SimulatedDriversKeepTheRefreshRateVsyncAndTheBudget) {
    const DriverCase cases[] = {
        {"60 Hz, queue 1, sleeps", 60, 1, false, true, false, 2, 0},
        {"60 Hz, queue 2, sleeps", 60, 2, false, true, false, 2, 0},
        {"60 Hz, queue 3, sleeps", 60, 3, false, true, false, 2, 0},
        {"60 Hz, queue 1, spins", 60, 1, true, true, false, 2, 0},
        {"60 Hz, queue 2, spins", 60, 2, true, true, false, 2, 0},
        {"60 Hz, queue 3, spins", 60, 3, true, true, false, 2, 0},
        {"144 Hz, queue 1, sleeps", 144, 1, false, true, false, 2, 0},
        {"144 Hz, queue 2, sleeps", 144, 2, false, true, false, 2, 0},
        {"144 Hz, queue 3, sleeps", 144, 3, false, true, false, 2, 0},
        {"144 Hz, queue 1, spins", 144, 1, true, true, false, 2, 0},
        {"144 Hz, queue 2, spins", 144, 2, true, true, false, 2, 0},
        {"144 Hz, queue 3, spins", 144, 3, true, true, false, 2, 0},
        {"60 Hz, interval ignored", 60, 1, false, false, false, 2, 0},
        {"144 Hz, interval ignored", 144, 1, false, false, false, 2, 0},
        {"60 Hz, queue 2, spins, blanks stop at 5.5 s", 60, 2, true, true, false, 2, 5.5},
        {"144 Hz, queue 3, sleeps, blanks stop at 5.5 s", 144, 3, false, true, false, 2, 5.5},
        {"60 Hz, software, 20 ms frames, interval ignored", 60, 1, false, false, true, 20, 0},
        {"60 Hz, software, 20 ms frames, queue 1, sleeps", 60, 1, false, true, true, 20, 0},
    };
    const double phases[] = {0.02, 0.3, 0.6, 0.97};
    std::printf("%-50s %11s %9s %6s %9s %6s\n", "case (8 shows each)", "fps", "per s", "vsync", "off at s",
                "share");
    for (const DriverCase& c : cases) {
        SCOPED_TRACE(c.name);
        double fpsLow = 1e9, fpsHigh = 0, offLate = -1, shareHigh = 0;
        int slowest = 1 << 30, busiest = 0, vsyncKept = 0, shows = 0;
        for (double phase : phases) {
            for (unsigned seed = 1; seed <= 2; ++seed) {
                SCOPED_TRACE(testing::Message() << "phase " << phase << " seed " << seed);
                const ShowFigures f = RunShow(c, phase, seed);
                ++shows;
                fpsLow = std::min(fpsLow, f.fps);
                fpsHigh = std::max(fpsHigh, f.fps);
                slowest = std::min(slowest, f.slowestSecond);
                busiest = std::max(busiest, f.busiestSecond);
                vsyncKept += f.vsyncAtEnd ? 1 : 0;
                offLate = std::max(offLate, f.intervalOffAt);
                shareHigh = std::max(shareHigh, f.share);

                if (c.honoured && c.blanksStopAt == 0) {
                    EXPECT_TRUE(f.vsyncAtEnd) << "a swap that waits keeps the interval";
                } else if (!c.software) {
                    // The loop takes over within about a second of frames that come unpaced.
                    EXPECT_FALSE(f.vsyncAtEnd);
                    const double unpacedFrom = c.honoured ? c.blanksStopAt : 0.0;
                    EXPECT_GE(f.intervalOffAt, unpacedFrom - 1.0 / c.hz);  // after the last blank
                    EXPECT_LE(f.intervalOffAt, unpacedFrom + 1.2);
                }
                if (!c.software) {
                    // The refresh rate, whatever the queue and however the driver waits.
                    EXPECT_NEAR(f.fps, c.hz, c.hz * 0.01);
                    EXPECT_GE(f.slowestSecond, c.hz - 2);
                    EXPECT_LE(f.busiestSecond, c.hz + 2);
                } else {
                    // A costly software frame is held to its share, at no less than 15 frames a second.
                    EXPECT_LE(f.share, ProcessorBudget::kShareOfOneCore + 0.02);
                    EXPECT_GE(f.fps, 14.5);
                    EXPECT_TRUE(f.stretchedByWholePeriods);
                }
            }
        }
        char rate[32], perSecond[32], offAt[16];
        std::snprintf(rate, sizeof rate, "%.1f-%.1f", fpsLow, fpsHigh);
        std::snprintf(perSecond, sizeof perSecond, "%d-%d", slowest, busiest);
        std::snprintf(offAt, sizeof offAt, "%.2f", offLate);
        std::printf("%-50s %11s %9s %4d/%d %9s %6.2f\n", c.name, rate, perSecond, vsyncKept, shows,
                    offLate < 0 ? "never" : offAt, shareHigh);
    }
}

}  // namespace
}  // namespace qv::renderer
