#include "saver/argument_text.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ArgumentText, OnlyTheSecondCharacterPicksTheMode) {
    for (const char* show : {"/s", "/S", "-s", "/save", "xs"}) {
        EXPECT_EQ(ModeOf(show), SaverMode::Show) << show;
        EXPECT_TRUE(HidesCursor(show)) << show;
    }
    EXPECT_EQ(ModeOf("/c"), SaverMode::Settings);
    EXPECT_EQ(ModeOf("/c:5678"), SaverMode::Settings);
    EXPECT_EQ(ModeOf("/p 1234"), SaverMode::Preview);
    EXPECT_EQ(ModeOf("/a"), SaverMode::None);
    EXPECT_EQ(ModeOf("/"), SaverMode::None);  // one character: no letter, but not empty
    EXPECT_EQ(ModeOf("s"), SaverMode::None);
}

TEST(ArgumentText, EmptyTextShowsWithoutHidingTheCursor) {
    EXPECT_EQ(ModeOf(""), SaverMode::Show);
    EXPECT_FALSE(HidesCursor(""));
    EXPECT_EQ(ModeLetter(""), "");
}

TEST(ArgumentText, ModeLetterKeepsMultiByteCharactersWhole) {
    EXPECT_EQ(ModeLetter("/ｓ"), "ｓ");
    EXPECT_EQ(ModeLetter("■s"), "S");
    EXPECT_EQ(ModeOf("■p 12"), SaverMode::Preview);
    EXPECT_EQ(PaneHandle("■p 12"), 12);
}

TEST(ArgumentText, PaneHandleIsReadFromTheFourthCharacter) {
    EXPECT_EQ(PaneHandle("/p 1234"), 1234);
    EXPECT_EQ(PaneHandle("/p:1234"), 1234);
    EXPECT_EQ(PaneHandle("/p1234"), 234);
    EXPECT_EQ(PaneHandle("/p"), 0);
    EXPECT_EQ(PaneHandle("/p "), 0);
    EXPECT_EQ(PaneHandle("/p    77"), 77);
    EXPECT_EQ(PaneHandle("/p 12ab34"), 12);
    EXPECT_EQ(PaneHandle("/p -5"), -5);
    EXPECT_EQ(PaneHandle("/p 2.5"), 2);  // half to even
    EXPECT_EQ(PaneHandle("/p 3.5"), 4);
    EXPECT_EQ(PaneHandle("/p 1e3"), 1000);
    EXPECT_EQ(PaneHandle("/p 1e"), 1);
}

TEST(ArgumentText, GarbagePaneHandlesGiveZero) {
    EXPECT_EQ(PaneHandle("/p abc"), 0);
    EXPECT_EQ(PaneHandle("/p -"), 0);
    EXPECT_EQ(PaneHandle("/p ."), 0);
    EXPECT_EQ(PaneHandle("/p 99999999999"), 0);
    EXPECT_EQ(PaneHandle("/p 1e999"), 0);
    EXPECT_EQ(PaneHandle("/p 2147483647"), 2147483647);
    EXPECT_EQ(PaneHandle("/p -2147483648"), -2147483647 - 1);
    EXPECT_EQ(PaneHandle("/p 2147483648"), 0);
}

TEST(RulesEdges, OnlyLettersAToZAreUpperCasedInTheModeLetter) {
    EXPECT_EQ(ModeLetter("/{"), "{");  // just past 'z'
    EXPECT_EQ(ModeLetter("/`"), "`");  // just before 'a'
    EXPECT_EQ(ModeLetter("/z"), "Z");
    EXPECT_EQ(ModeLetter("/a"), "A");
}

}  // namespace
}  // namespace qv
