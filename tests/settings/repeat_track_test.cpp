#include "saver/settings/repeat_track.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(RepeatTrack, HashPatternDropsZeroAndLeadingZeros) {
    EXPECT_EQ(RepeatTrackText(0), "");
    EXPECT_EQ(RepeatTrackText(5), "5");
    EXPECT_EQ(RepeatTrackText(30), "30");
    EXPECT_EQ(RepeatTrackText(-4), "-4");
    EXPECT_EQ(RepeatTrackText(32767), "32767");
}

TEST(RepeatTrack, ListIsEmptyEntryThenOneToThirty) {
    std::vector<std::string> list = RepeatTrackEntries();
    ASSERT_EQ(list.size(), 31u);
    EXPECT_EQ(list[0], "");
    EXPECT_EQ(list[1], "1");
    EXPECT_EQ(list[30], "30");
}

TEST(RepeatTrack, NumbersRoundHalfToEven) {
    EXPECT_EQ(RepeatTrackFromText("3"), 3);
    EXPECT_EQ(RepeatTrackFromText(" 12 "), 12);
    EXPECT_EQ(RepeatTrackFromText("+7"), 7);
    EXPECT_EQ(RepeatTrackFromText("-2"), -2);
    EXPECT_EQ(RepeatTrackFromText("2.5"), 2);
    EXPECT_EQ(RepeatTrackFromText("3.5"), 4);
    EXPECT_EQ(RepeatTrackFromText("-2.5"), -2);
    EXPECT_EQ(RepeatTrackFromText("2.51"), 3);
    EXPECT_EQ(RepeatTrackFromText(".5"), 0);
    EXPECT_EQ(RepeatTrackFromText("1e1"), 10);
    EXPECT_EQ(RepeatTrackFromText("007"), 7);
}

TEST(RepeatTrack, FullWidthDigitsReadAsDigits) {
    EXPECT_EQ(RepeatTrackFromText("１２"), 12);
    EXPECT_EQ(RepeatTrackFromText("　３　"), 3);
    EXPECT_EQ(RepeatTrackFromText("－４"), -4);
}

TEST(RepeatTrack, TextThatIsNoNumberSavesZero) {
    for (const char* text : {"", " ", "abc", "3a", "a3", "1.2.3", "+", "-", ".", "1e", "e5", "0x10", "inf",
                             "nan", "3 4", "曲", "５x"}) {
        EXPECT_EQ(RepeatTrackFromText(text), 0) << text;
    }
}

TEST(RepeatTrack, NumbersOutsideSixteenBitsSaveZero) {
    EXPECT_EQ(RepeatTrackFromText("32767"), 32767);
    EXPECT_EQ(RepeatTrackFromText("-32768"), -32768);
    EXPECT_EQ(RepeatTrackFromText("32767.4"), 32767);
    EXPECT_EQ(RepeatTrackFromText("32767.5"), 0);  // rounds to 32768
    EXPECT_EQ(RepeatTrackFromText("32768"), 0);
    EXPECT_EQ(RepeatTrackFromText("-32769"), 0);
    EXPECT_EQ(RepeatTrackFromText("99999999999999999999999"), 0);
    EXPECT_EQ(RepeatTrackFromText("1e400"), 0);
    EXPECT_EQ(RepeatTrackFromText("-1e400"), 0);
}

TEST(RepeatTrackEdges, AFullWidthBlankSeparatesDigitsAndAFullWidthLetterIsNoExponent) {
    EXPECT_EQ(RepeatTrackFromText("１　２"), 0);  // "1 2"
    EXPECT_EQ(RepeatTrackFromText("１Ｅ２"), 0);  // U+FF25 is no "E"
    EXPECT_EQ(RepeatTrackFromText("１E２"), 100);
    EXPECT_EQ(RepeatTrackFromText("＋９"), 9);  // the first and last of the mapped range
}

TEST(RepeatTrackEdges, OnlyTheFullWidthLeadMakesADigit) {
    // U+3F11 is E3 BC 91: the last two bytes are those of a full-width "1".
    EXPECT_EQ(RepeatTrackFromText("\xE3\xBC\x91"), 0);
    EXPECT_EQ(RepeatTrackFromText("\xEF\xBC\x91"), 1);
    // U+2000 (E2 80 80) ends like the ideographic blank (E3 80 80) but is not read as one.
    EXPECT_EQ(RepeatTrackFromText("\xE2\x80\x80"
                                  "3"),
              0);
    EXPECT_EQ(RepeatTrackFromText("\xE3\x80\x80"
                                  "3"),
              3);
}

TEST(RepeatTrackEdges, ExponentsCarryTheirOwnSign) {
    EXPECT_EQ(RepeatTrackFromText("1e+1"), 10);
    EXPECT_EQ(RepeatTrackFromText("25e-1"), 2);  // 2.5, half to even
    EXPECT_EQ(RepeatTrackFromText("1e*1"), 0);
}

}  // namespace
}  // namespace qv
