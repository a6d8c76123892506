#include "saver/controls/access_key.h"

#include <gtest/gtest.h>

namespace qv::controls {
namespace {

TEST(AccessKeyOf, FirstSingleAmpersandDecides) {
  EXPECT_EQ(AccessKeyOf("&OK"), "o");
  EXPECT_EQ(AccessKeyOf("&Cancel"), "c");
  EXPECT_EQ(AccessKeyOf("Save &As"), "a");
  EXPECT_EQ(AccessKeyOf("A&&B &Copy"), "c");  // the doubled pair is a literal ampersand
  EXPECT_EQ(AccessKeyOf("&&&x"), "x");
  EXPECT_EQ(AccessKeyOf("&O"), "o");           // a two-character caption still has its key
  EXPECT_EQ(AccessKeyOf("&Zoom"), "z");        // both ends of the alphabet
  EXPECT_EQ(AccessKeyOf("&Apply"), "a");
  EXPECT_EQ(AccessKeyOf("参照(&F)"), "f");
  EXPECT_EQ(AccessKeyOf("&参照"), "参");        // a whole character, never half of one
}

TEST(AccessKeyOf, NoKeyWithoutASingleAmpersandBeforeACharacter) {
  EXPECT_EQ(AccessKeyOf(""), "");
  EXPECT_EQ(AccessKeyOf("OK"), "");
  EXPECT_EQ(AccessKeyOf("OK&"), "");
  EXPECT_EQ(AccessKeyOf("&"), "");
  EXPECT_EQ(AccessKeyOf("Fish && Chips"), "");
  EXPECT_EQ(AccessKeyOf("&&"), "");
  EXPECT_EQ(AccessKeyOf("x&&"), "");
}

TEST(NewButtonCaption, TakesTheFirstCaptionNotYetOnTheForm) {
  EXPECT_EQ(NewButtonCaption({""}, "ccXPButton1"), "&OK");
  EXPECT_EQ(NewButtonCaption({"&OK", ""}, "ccXPButton2"), "&Cancel");
  EXPECT_EQ(NewButtonCaption({"&OK", "&Cancel", ""}, "ccXPButton3"), "&Apply");
  EXPECT_EQ(NewButtonCaption({"&Cancel", "&OK", "&Apply", ""}, "ccXPButton4"), "ccXPButton4");
  // Whole captions only: "&OK now" does not take "&OK".
  EXPECT_EQ(NewButtonCaption({"&OK now", ""}, "b"), "&OK");
  EXPECT_EQ(NewButtonCaption({"&Cancel", ""}, "b"), "&OK");
}

}  // namespace
}  // namespace qv::controls
