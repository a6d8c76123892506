#include <gtest/gtest.h>

#include <cstdint>

#include "saver/screen_size.h"
#include "saver/settings_file/number_reading.h"
#include "saver/settings_file/number_text.h"

namespace qv {
namespace {

TEST(NumberText, BlankBeforeNonNegativeMinusBeforeNegative) {
    EXPECT_EQ(NumberText(0), " 0");
    EXPECT_EQ(NumberText(1024), " 1024");
    EXPECT_EQ(NumberText(-7), "-7");
    EXPECT_EQ(NumberText(INT64_MIN), "-9223372036854775808");
}

TEST(NumberReading, WholeNumbersAllowBlanksAroundButNothingElse) {
    EXPECT_EQ(ReadWholeNumber(" 2"), 2.0);
    EXPECT_EQ(ReadWholeNumber("1.9 "), 1.9);
    EXPECT_EQ(ReadWholeNumber("-3"), -3.0);
    EXPECT_EQ(ReadWholeNumber("1E2"), 100.0);
    EXPECT_FALSE(ReadWholeNumber("abc"));
    EXPECT_FALSE(ReadWholeNumber("x"));
    EXPECT_FALSE(ReadWholeNumber("2x"));
    EXPECT_FALSE(ReadWholeNumber("1 2"));
    EXPECT_FALSE(ReadWholeNumber(""));
    EXPECT_FALSE(ReadWholeNumber("1e99999"));
}

TEST(NumberReading, FloorToInt16RejectsWhatDoesNotFit) {
    EXPECT_EQ(FloorToInt16(1.9), 1);
    EXPECT_EQ(FloorToInt16(-0.5), -1);
    EXPECT_EQ(FloorToInt16(32767.9), 32767);
    EXPECT_EQ(FloorToInt16(-32768), -32768);
    EXPECT_FALSE(FloorToInt16(32768));
    EXPECT_FALSE(FloorToInt16(-32769));
}

TEST(ScreenSize, TwipsDividedByTwipsPerPixel) {
    EXPECT_EQ(ScreenPixels(15360, 15), 1024);
    EXPECT_EQ(ScreenPixels(11520, 15), 768);
    EXPECT_EQ(ScreenPixels(15369.6, 15), 1024);    // 15370 / 15, truncated
    EXPECT_EQ(ScreenPixels(1440 * 4, 14.6), 384);  // divisor rounded to 15 first
}

TEST(ScreenSize, SizesThatCannotBeStoredGiveNothing) {
    EXPECT_FALSE(ScreenPixels(32768.0 * 15, 15));
    EXPECT_EQ(ScreenPixels(32767.0 * 15, 15), 32767);
    EXPECT_FALSE(ScreenPixels(1e12, 15));
    EXPECT_FALSE(ScreenPixels(15360, 0));
    EXPECT_FALSE(ScreenPixels(15360, 0.4));  // rounds to 0
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

TEST(ScreenSize, PaneSizeInTwipsMustFit16Bits) {
    EXPECT_EQ(PixelTwips(152, 15), 2280);
    EXPECT_EQ(PixelTwips(0, 15), 0);
    EXPECT_EQ(PixelTwips(2184, 15), 32760);
    EXPECT_FALSE(PixelTwips(2185, 15));
    EXPECT_FALSE(PixelTwips(1LL << 40, 15));
}

TEST(RulesEdges, ASignOrPointWithoutDigitsIsNoNumber) {
    for (const char* text : {"-", "+", ".", "+.", " - ", "-e5"}) {
        EXPECT_FALSE(ReadWholeNumber(text)) << text;
        EXPECT_EQ(ReadLeadingNumber(text), 0.0) << text;
    }
}

TEST(RulesEdges, TheFractionEndsAtItsLastDigit) {
    EXPECT_FALSE(ReadWholeNumber("1.5x"));
    EXPECT_EQ(ReadLeadingNumber("1.5 2"), 1.5);
    EXPECT_EQ(ReadLeadingNumber(".5x"), 0.5);  // digits after the point alone make a number
    EXPECT_EQ(ReadWholeNumber(" .25 "), 0.25);
}

TEST(RulesEdges, EveryExponentLetterReadsAlsoTheOldDoubleOnes) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"1E2", 100}, {"1e2", 100}, {"1D2", 100}, {"1d2", 100}, {"1d+2", 100}, {"10d-1", 1}};
    for (const auto& c : cases) EXPECT_EQ(ReadWholeNumber(c.text), c.value) << c.text;
    EXPECT_EQ(ReadLeadingNumber("2d3x"), 2000.0);
}

TEST(RulesEdges, ScreenPixelsKeepTheLowestSixteenBitValue) {
    EXPECT_EQ(ScreenPixels(-32768.0 * 15, 15), -32768);
    EXPECT_FALSE(ScreenPixels(-32769.0 * 15, 15));
}

TEST(RulesEdges, PaneTwipsKeepBothSixteenBitLimitsAndNothingPast) {
    EXPECT_EQ(PixelTwips(32767, 1), 32767);
    EXPECT_FALSE(PixelTwips(16384, 2));  // 32768
    EXPECT_EQ(PixelTwips(-32768, 1), -32768);
    EXPECT_FALSE(PixelTwips(-10923, 3));  // -32769
    EXPECT_EQ(PixelTwips(-10922, 3), -32766);
    EXPECT_FALSE(PixelTwips(INT64_MAX, 15));  // refused before the product could overflow
    EXPECT_FALSE(PixelTwips(INT64_MIN, 15));
}

}  // namespace
}  // namespace qv
