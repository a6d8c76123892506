// Edges of the saver's text rules: characters next to the letter range, a sign or point
// without digits.
#include <gtest/gtest.h>

#include <cstdint>

#include "saver/argument_text.h"
#include "saver/screen_size.h"
#include "saver/settings_file/number_reading.h"

namespace qv {
namespace {

TEST(RulesEdges, OnlyLettersAToZAreUpperCasedInTheModeLetter) {
  EXPECT_EQ(ModeLetter("/{"), "{");  // just past 'z'
  EXPECT_EQ(ModeLetter("/`"), "`");  // just before 'a'
  EXPECT_EQ(ModeLetter("/z"), "Z");
  EXPECT_EQ(ModeLetter("/a"), "A");
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
  EXPECT_FALSE(PixelTwips(16384, 2));   // 32768
  EXPECT_EQ(PixelTwips(-32768, 1), -32768);
  EXPECT_FALSE(PixelTwips(-10923, 3));  // -32769
  EXPECT_EQ(PixelTwips(-10922, 3), -32766);
  EXPECT_FALSE(PixelTwips(INT64_MAX, 15));  // refused before the product could overflow
  EXPECT_FALSE(PixelTwips(INT64_MIN, 15));
}

}  // namespace
}  // namespace qv
