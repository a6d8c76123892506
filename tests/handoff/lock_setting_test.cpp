// Whether a show locks the session: where the system keeps the setting, and how it reads it.
#include "handoff/lock_setting.h"

#include <gtest/gtest.h>

namespace qv::handoff {
namespace {

constexpr std::optional<bool> kNone;

TEST(LockSetting, AShowLocksWhenTheUserOrAPolicySaysSo) {
    const struct {
        std::optional<bool> systemCall, userValue, policyValue;
        bool locks;
    } cases[] = {
        {kNone, kNone, kNone, false},  // nothing stored: the system's default does not lock
        {false, kNone, kNone, false},
        {true, kNone, kNone, true},
        {true, false, kNone, true},  // the call is the system's own answer
        {false, true, kNone, false},
        {kNone, true, kNone, true},  // no call (as under Wine): the stored value
        {kNone, false, kNone, false},
        {kNone, kNone, true, true},  // a policy forces it
        {false, false, true, true},
        {true, kNone, false, true},  // a policy of "0" does not undo the user's lock
        {kNone, true, false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShowLocks({c.systemCall, c.userValue, c.policyValue}), c.locks)
            << c.systemCall.value_or(2) << c.userValue.value_or(2) << c.policyValue.value_or(2);
    }
    for (const char* on : {"1", " 1", "2", "-1", "1x"}) EXPECT_TRUE(FlagIsOn(on)) << on;
    for (const char* off : {"0", "", "x1", "a", " ", "00"}) EXPECT_FALSE(FlagIsOn(off)) << off;
    EXPECT_FALSE(FlagIsOn(nullptr));
}

}  // namespace
}  // namespace qv::handoff
