// What ends a show: the events that end each kind of show, monitors that sleep with the
// display, and which display state is followed.
#include "renderer/frame/show_rules.h"

#include <gtest/gtest.h>

#include <optional>

namespace qv::renderer {
namespace {

TEST(ShowRules, OnlyALockingShowEndsWhenAnotherWindowGetsInFront) {
    const struct {
        ShowEvent event;
        bool endsLocking, endsOtherwise;
    } cases[] = {
        {ShowEvent::EscapeKey, true, true},        {ShowEvent::CloseRequest, true, true},
        {ShowEvent::OtherKey, false, false},       {ShowEvent::ActivationLost, true, false},
        {ShowEvent::ForegroundCheck, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EndsShow(c.event, true), c.endsLocking) << static_cast<int>(c.event);
        EXPECT_EQ(EndsShow(c.event, false), c.endsOtherwise) << static_cast<int>(c.event);
    }
}

// A script of seconds: the display going off and on, and looks at the monitors that find the
// arrangement as laid out or not. Each look says whether the show ends then.
TEST(ShowRules, MonitorsThatSleepWithTheDisplayDoNotEndTheShow) {
    enum Step { Off, On, Same, Differs };
    const struct {
        const char* what;
        struct {
            double at;
            Step step;
            bool ends;
        } script[6];
    } cases[] = {
        {"a change while the display is on ends at once", {{1, Differs, true}}},
        {"no change, no end", {{1, Same, false}, {2, Same, false}}},
        {"monitors leave while off and are back after it is on",
         {{1, Off, false},
          {2, Differs, false},
          {60, Differs, false},
          {61, On, false},
          {62, Differs, false},
          {66, Same, false}}},
        {"still changed once settled: ends",
         {{1, Off, false},
          {2, Differs, false},
          {10, On, false},
          {14.9, Differs, false},
          {15, Differs, true}}},
        {"back only for a moment while settling: what counts is how it settles",
         {{1, Off, false}, {10, On, false}, {11, Same, false}, {16, Differs, true}}},
        {"after settling a change ends at once again",
         {{1, Off, false}, {10, On, false}, {15, Same, false}, {20, Differs, true}}},
        {"on without off (a dimmed display brightening) starts no settling",
         {{1, On, false}, {1.5, Differs, true}}},
    };
    constexpr std::int64_t kFrequency = 1000;
    for (const auto& c : cases) {
        MonitorChangeRule rule(kFrequency);
        for (const auto& s : c.script) {
            if (s.at == 0) break;
            const auto now = static_cast<std::int64_t>(s.at * kFrequency);
            bool ends = false;
            if (s.step == Off) rule.DisplayOff();
            if (s.step == On) rule.DisplayOn(now);
            if (s.step == Same || s.step == Differs) ends = rule.Check(s.step == Differs, now);
            EXPECT_EQ(ends, s.ends) << c.what << ", at " << s.at;
        }
    }
    // Settled as laid out: the window, which the platform may have moved, is put back once.
    MonitorChangeRule rule(kFrequency);
    rule.DisplayOff();
    rule.DisplayOn(0);
    EXPECT_FALSE(rule.Check(false, 1000));
    EXPECT_FALSE(rule.WindowToPutBack()) << "not yet settled";
    EXPECT_FALSE(rule.Check(false, 5000));
    EXPECT_TRUE(rule.WindowToPutBack());
    EXPECT_FALSE(rule.WindowToPutBack());
    EXPECT_FALSE(rule.Check(false, 6000));
    EXPECT_FALSE(rule.WindowToPutBack()) << "put back once, not at every look";
}

TEST(ShowRules, TheSessionsDisplayStateIsFollowedOnceItComes) {
    DisplayStateFeed feed;
    EXPECT_EQ(feed.Notified(DisplaySource::Console, 0), DisplayPower::Off) << "older systems: the console's";
    EXPECT_EQ(feed.Notified(DisplaySource::Console, 1), DisplayPower::On);
    EXPECT_EQ(feed.Notified(DisplaySource::Session, 2), DisplayPower::Dimmed);
    EXPECT_EQ(feed.Notified(DisplaySource::Console, 0), std::nullopt)
        << "a remote session's display is its own";
    EXPECT_EQ(feed.Notified(DisplaySource::Session, 0), DisplayPower::Off);
    EXPECT_EQ(feed.Notified(DisplaySource::Session, 7), std::nullopt);
}

}  // namespace
}  // namespace qv::renderer
