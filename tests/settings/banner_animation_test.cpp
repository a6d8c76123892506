#include "saver/settings/banner_animation.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(BannerAnimation, OneCycleIsLeftBoxThenRightBoxThenARestingTick) {
    std::int16_t tick = 0;
    for (int n = 1; n <= 24; ++n) {
        BannerStep s = NextBannerStep(tick);
        EXPECT_EQ(s.box, 0) << n;
        EXPECT_EQ(s.frame, n);
        EXPECT_EQ(tick, n);
    }
    for (int n = 1; n <= 24; ++n) {
        BannerStep s = NextBannerStep(tick);
        EXPECT_EQ(s.box, 1) << n;
        EXPECT_EQ(s.frame, n);
    }
    EXPECT_EQ(tick, 48);
    BannerStep rest = NextBannerStep(tick);
    EXPECT_EQ(rest.box, -1);
    EXPECT_EQ(tick, 0);
    BannerStep again = NextBannerStep(tick);
    EXPECT_EQ(again.box, 0);
    EXPECT_EQ(again.frame, 1);
}

TEST(BannerAnimation, ManyCyclesDrawEveryFrameEqually) {
    std::int16_t tick = 0;
    int drawn[2][25] = {};
    int resting = 0;
    for (int n = 0; n < 49 * 10; ++n) {
        BannerStep s = NextBannerStep(tick);
        if (s.box < 0) {
            ++resting;
            continue;
        }
        ASSERT_GE(s.frame, 1);
        ASSERT_LE(s.frame, 24);
        ++drawn[s.box][s.frame];
    }
    EXPECT_EQ(resting, 10);
    for (int box = 0; box < 2; ++box)
        for (int f = 1; f <= 24; ++f) EXPECT_EQ(drawn[box][f], 10);
}

TEST(BannerAnimation, CounterOutOfRangeRestartsTheCycle) {
    for (std::int16_t bad : {std::int16_t(-3), std::int16_t(49), std::int16_t(32767)}) {
        std::int16_t tick = bad;
        BannerStep s = NextBannerStep(tick);
        EXPECT_EQ(s.box, 0);
        EXPECT_EQ(s.frame, 1);
    }
}

}  // namespace
}  // namespace qv
