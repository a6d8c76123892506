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
    EXPECT_EQ(AccessKeyOf("&O"), "o");     // a two-character caption still has its key
    EXPECT_EQ(AccessKeyOf("&Zoom"), "z");  // both ends of the alphabet
    EXPECT_EQ(AccessKeyOf("&Apply"), "a");
    EXPECT_EQ(AccessKeyOf("参照(&F)"), "f");
    EXPECT_EQ(AccessKeyOf("&参照"), "参");  // a whole character, never half of one
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

TEST(AccessKeyOf, TakesTheWholeCharacterForEveryLeadByte) {
    EXPECT_EQ(AccessKeyOf("&\xC0\x80x"), "\xC0\x80");                  // first two-byte lead
    EXPECT_EQ(AccessKeyOf("&\xC3\xA9t\xC3\xA9"), "\xC3\xA9");          // two bytes
    EXPECT_EQ(AccessKeyOf("&\xDF\xBFx"), "\xDF\xBF");                  // last two-byte lead
    EXPECT_EQ(AccessKeyOf("&\xE0\xA4\x85x"), "\xE0\xA4\x85");          // first three-byte lead
    EXPECT_EQ(AccessKeyOf("&\xEF\xBC\xA1x"), "\xEF\xBC\xA1");          // full-width A
    EXPECT_EQ(AccessKeyOf("&\xF0\x9F\x98\x80x"), "\xF0\x9F\x98\x80");  // four bytes
    EXPECT_EQ(AccessKeyOf("&\xF7\xBF\xBF\xBFx"), "\xF7\xBF\xBF\xBF");  // last four-byte lead
    EXPECT_EQ(AccessKeyOf("&\xF8xyz"), "\xF8");                        // no lead: one byte
    EXPECT_EQ(AccessKeyOf("&\xFFxyz"), "\xFF");
    EXPECT_EQ(AccessKeyOf("&\x80xyz"), "\x80");  // stray continuation
}

}  // namespace
}  // namespace qv::controls
