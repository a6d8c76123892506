#include <gtest/gtest.h>

#include "handoff/handoff.h"
#include "saver/settings/apply_settings.h"
#include "saver/settings/dialog_placement.h"

namespace qv {
namespace {

TEST(DialogPlacement, CentredAndAThirdDownInTwips) {
    // 1024x768 screen at 15 twips per pixel; the dialog's outer size 7545x4500 twips.
    TwipsPosition p = DialogPosition(15360, 11520, 7545, 4500);
    EXPECT_EQ(p.left, (15360 - 7545) / 2);  // 3907, the half twip dropped
    EXPECT_EQ(p.top, (11520 - 4500) / 3);   // 2340
}

TEST(DialogPlacement, DifferencesRoundHalfToEvenBeforeDividing) {
    EXPECT_EQ(DialogPosition(100.5, 0, 0, 0).left, 50);  // 100.5 -> 100
    EXPECT_EQ(DialogPosition(101.5, 0, 0, 0).left, 51);  // 101.5 -> 102
    EXPECT_EQ(DialogPosition(0, 8.6, 0, 0).top, 3);      // 8.6 -> 9
}

TEST(DialogPlacement, WindowLargerThanScreenGoesUpAndLeft) {
    TwipsPosition p = DialogPosition(1000, 900, 1007, 1000);
    EXPECT_EQ(p.left, -3);  // truncates toward zero
    EXPECT_EQ(p.top, -33);
}

TEST(ApplyValues, WritesTheThreeKeysInOrderInNumberForm) {
    ApplyResult r = ApplyValues(1, "3", "C:\\Music\\曲.mp3");
    EXPECT_EQ(r.bgmRepeat, 3);
    ASSERT_EQ(r.writes.size(), 3u);
    EXPECT_EQ(r.writes[0].key, handoff::kKeyBgmKind);
    EXPECT_EQ(r.writes[0].value, " 1");
    EXPECT_EQ(r.writes[1].key, handoff::kKeyBgmRepeat);
    EXPECT_EQ(r.writes[1].value, " 3");
    EXPECT_EQ(r.writes[2].key, handoff::kKeyBgmFile);
    EXPECT_EQ(r.writes[2].value, "C:\\Music\\曲.mp3");
}

TEST(ApplyValues, EveryKeyIsWrittenWhateverTheSource) {
    ApplyResult none = ApplyValues(0, "", "");
    ASSERT_EQ(none.writes.size(), 3u);
    EXPECT_EQ(none.writes[0].value, " 0");
    EXPECT_EQ(none.writes[1].value, " 0");
    EXPECT_EQ(none.writes[2].value, "");

    ApplyResult fileNoFile = ApplyValues(2, "", "");
    EXPECT_EQ(fileNoFile.writes[0].value, " 2");
    EXPECT_EQ(fileNoFile.writes[2].value, "");
}

TEST(ApplyValues, BadRepeatTextSavesZero) {
    EXPECT_EQ(ApplyValues(1, "abc", "").writes[1].value, " 0");
    EXPECT_EQ(ApplyValues(1, "70000", "").writes[1].value, " 0");
    EXPECT_EQ(ApplyValues(1, "-5", "").writes[1].value, "-5");
}

}  // namespace
}  // namespace qv
