// Edges of the dialog's repeat-track text: what full-width text reads as, and what it does not.
#include <gtest/gtest.h>

#include "saver/settings/repeat_track.h"

namespace qv {
namespace {

TEST(RepeatTrackEdges, AFullWidthBlankSeparatesDigitsAndAFullWidthLetterIsNoExponent) {
  EXPECT_EQ(RepeatTrackFromText("１　２"), 0);  // "1 2"
  EXPECT_EQ(RepeatTrackFromText("１Ｅ２"), 0);  // U+FF25 is no "E"
  EXPECT_EQ(RepeatTrackFromText("１E２"), 100);
  EXPECT_EQ(RepeatTrackFromText("＋９"), 9);    // the first and last of the mapped range
}

TEST(RepeatTrackEdges, OnlyTheFullWidthLeadMakesADigit) {
  // U+3F11 is E3 BC 91: the last two bytes are those of a full-width "1".
  EXPECT_EQ(RepeatTrackFromText("\xE3\xBC\x91"), 0);
  EXPECT_EQ(RepeatTrackFromText("\xEF\xBC\x91"), 1);
  // U+2000 (E2 80 80) ends like the ideographic blank (E3 80 80) but is not read as one.
  EXPECT_EQ(RepeatTrackFromText("\xE2\x80\x80" "3"), 0);
  EXPECT_EQ(RepeatTrackFromText("\xE3\x80\x80" "3"), 3);
}

TEST(RepeatTrackEdges, ExponentsCarryTheirOwnSign) {
  EXPECT_EQ(RepeatTrackFromText("1e+1"), 10);
  EXPECT_EQ(RepeatTrackFromText("25e-1"), 2);  // 2.5, half to even
  EXPECT_EQ(RepeatTrackFromText("1e*1"), 0);
}

}  // namespace
}  // namespace qv
