// When the saver's watch ends a show: never while a running renderer is still starting.
#include <gtest/gtest.h>

#include "saver/show/renderer_watch.h"

namespace qv {
namespace {

TEST(RendererWatch, AShowEndsOnTheFirstTickAfterTheWindowIsGone) {
    RendererWatch watch;
    EXPECT_FALSE(watch.ShowEnded(true, true));
    EXPECT_FALSE(watch.ShowEnded(true, true));
    // Gone, whether or not the process is still ending.
    EXPECT_TRUE(watch.ShowEnded(false, true));
}

TEST(RendererWatch, ARendererStillStartingKeepsTheShowAndItsMusic) {
    RendererWatch watch;
    for (int tick = 0; tick < RendererWatch::kStartAllowanceTicks; ++tick)
        ASSERT_FALSE(watch.ShowEnded(false, true)) << "tick " << tick;
    EXPECT_FALSE(watch.ShowEnded(true, true));
    EXPECT_TRUE(watch.ShowEnded(false, true));
}

TEST(RendererWatch, ARendererThatIsNotRunningEndsTheShowAtOnce) {
    RendererWatch never;  // could not be started, or ended before its window (no picture)
    EXPECT_TRUE(never.ShowEnded(false, false));

    RendererWatch late;
    EXPECT_FALSE(late.ShowEnded(false, true));
    EXPECT_TRUE(late.ShowEnded(false, false));
}

TEST(RendererWatch, ARendererThatNeverShowsAWindowEndsTheShowAfterTheAllowance) {
    RendererWatch watch;
    int ticks = 0;
    while (!watch.ShowEnded(false, true) && ticks < 1000) ++ticks;
    EXPECT_EQ(ticks, RendererWatch::kStartAllowanceTicks);
}

}  // namespace
}  // namespace qv
