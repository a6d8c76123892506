// When the saver's watch ends a show: never while a running renderer is still starting; a
// locking show also when its window is left behind another program's.
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

TEST(RendererWatch, ALockingShowLeftBehindAnotherWindowEndsASecondAfterShowing) {
    // Ticks of (shown, in front); the tick at which the show ends, or -1.
    const struct {
        bool locking;
        const char* ticks;  // h: hidden, f: shown in front, b: shown behind another window
        int endsAt;
    } cases[] = {
        {true, "hhhffffff", -1},  // loading hidden, then in front
        {true, "hhbbb", 4},       // never got in front: a second after showing
        {true, "fffb", 3},        // a renderer that no longer answers, left behind
        {true, "fbf", -1},        // within the first second it may still get there
        {false, "hbbbbbb", -1},   // a show that does not lock: only Escape and close end it
    };
    for (const auto& c : cases) {
        RendererWatch watch(c.locking);
        int endedAt = -1;
        for (int k = 0; c.ticks[k] && endedAt < 0; ++k)
            if (watch.LeftBehind(c.ticks[k] != 'h', c.ticks[k] == 'f')) endedAt = k;
        EXPECT_EQ(endedAt, c.endsAt) << c.ticks;
    }
}

}  // namespace
}  // namespace qv
