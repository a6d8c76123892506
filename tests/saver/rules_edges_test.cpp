// Edges of the saver's text rules: characters next to the letter range, a sign or point
// without digits.
#include <gtest/gtest.h>

#include "argument_text.h"
#include "number_reading.h"

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

}  // namespace
}  // namespace qv
