// The pacing arithmetic: refresh rate, period, waits and the grid of frame starts.
#include "renderer/pacing/frame_pacing.h"

#include <gtest/gtest.h>

namespace qv::renderer {
namespace {

TEST(FramePacing, RefreshRateFallsBackTo60WhenTheSystemReportsNone) {
    EXPECT_EQ(RefreshRateOrDefault(0), 60);
    EXPECT_EQ(RefreshRateOrDefault(1), 60);
    EXPECT_EQ(RefreshRateOrDefault(2), 2);
    EXPECT_EQ(RefreshRateOrDefault(59), 59);
    EXPECT_EQ(RefreshRateOrDefault(144), 144);
    EXPECT_EQ(RefreshRateOrDefault(0xFFFFFFFFu), 60);
}

TEST(FramePacing, PeriodAndWaitsInTicksAndMilliseconds) {
    EXPECT_EQ(RefreshPeriodTicks(10000000, 60), 166666);
    EXPECT_EQ(RefreshPeriodTicks(10000000, 144), 69444);
    EXPECT_EQ(RefreshPeriodTicks(0, 60), 1);
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

TEST(FramePacing, SwapIsTrustedWhileFramesComeAtTheRefreshOrSlower) {
    SwapPacingCheck check(1000, 3);
    std::int64_t now = 0;
    for (int k = 0; k < 50; ++k) check.FrameStarted(now += (k % 2 ? 1000 : 2500));
    EXPECT_TRUE(check.Trusted());
    // Two fast frames in a row, then one at the refresh: still trusted.
    check.FrameStarted(now += 100);
    check.FrameStarted(now += 100);
    check.FrameStarted(now += 950);
    check.FrameStarted(now += 100);
    EXPECT_TRUE(check.Trusted());
}

TEST(FramePacing, SwapThatDoesNotWaitIsFoundOut) {
    SwapPacingCheck check(1000, 3);
    std::int64_t now = 0;
    check.FrameStarted(now);
    check.FrameStarted(now += 899);  // just under 9/10 of a period
    check.FrameStarted(now += 899);
    EXPECT_TRUE(check.Trusted());
    check.FrameStarted(now += 899);
    EXPECT_FALSE(check.Trusted());
    for (int k = 0; k < 10; ++k) check.FrameStarted(now += 5000);
    EXPECT_FALSE(check.Trusted()) << "once found out, never trusted again";

    SwapPacingCheck exact(1000, 2);
    exact.FrameStarted(0);
    exact.FrameStarted(900);
    exact.FrameStarted(1800);
    EXPECT_TRUE(exact.Trusted()) << "9/10 of a period is not too fast";

    SwapPacingCheck refused(1000);
    refused.Distrust();
    EXPECT_FALSE(refused.Trusted());
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

}  // namespace
}  // namespace qv::renderer
