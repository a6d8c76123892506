// Window-free parts of the form framework.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "saver/framework/bitmap24.h"
#include "saver/framework/command_line.h"
#include "saver/framework/focus_order.h"
#include "saver/framework/key_sequence.h"
#include "saver/framework/property_bag.h"
#include "saver/framework/skip_rule.h"
#include "saver/framework/twips.h"

namespace qv {
namespace {

TEST(SkipRule, FailingStatementsAreSkippedAndTheRestRun) {
    std::vector<int> ran;
    int failed = RunStatements({
        [&] { ran.push_back(1); },
        [&] {
            throw std::runtime_error("x");
            ran.push_back(2);
        },
        [&] {
            ran.push_back(3);
            return false;
        },
        [&] { throw 42; },  // not even an exception class
        [&] {
            ran.push_back(5);
            return true;
        },
    });
    EXPECT_EQ(ran, (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(failed, 3);
    EXPECT_FALSE(TryStatement([] { throw std::logic_error("y"); }));
    EXPECT_TRUE(TryStatement([] {}));
}

Bitmap24 Sample(int w, int h) {
    Bitmap24 b;
    b.width = w;
    b.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            b.bgr.push_back(static_cast<std::uint8_t>(x));
            b.bgr.push_back(static_cast<std::uint8_t>(y));
            b.bgr.push_back(static_cast<std::uint8_t>(x * 7 + y));
        }
    return b;
}

std::uint32_t U32(const std::vector<std::uint8_t>& f, std::size_t at) {
    return f[at] | (f[at + 1] << 8) | (f[at + 2] << 16) | (static_cast<std::uint32_t>(f[at + 3]) << 24);
}

TEST(Bitmap24, HeadersRowsBottomUpAndPadding) {
    // Width 5: 15 bytes of pixels, padded to 16 per row.
    std::vector<std::uint8_t> f = EncodeBitmap24(Sample(5, 3));
    ASSERT_EQ(f.size(), 54u + 16 * 3);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(U32(f, 2), f.size());
    EXPECT_EQ(U32(f, 10), 54u);
    EXPECT_EQ(U32(f, 14), 40u);
    EXPECT_EQ(U32(f, 18), 5u);
    EXPECT_EQ(U32(f, 22), 3u);  // positive height: bottom-up
    EXPECT_EQ(f[26] | (f[27] << 8), 1);
    EXPECT_EQ(f[28] | (f[29] << 8), 24);
    EXPECT_EQ(U32(f, 30), 0u);
    EXPECT_EQ(U32(f, 34), 48u);
    // First row in the file is the bottom row (y = 2); pixel x = 1 is B=1, G=2, R=9.
    EXPECT_EQ(f[54 + 3], 1);
    EXPECT_EQ(f[54 + 4], 2);
    EXPECT_EQ(f[54 + 5], 9);
    EXPECT_EQ(f[54 + 15], 0);  // padding byte
    // Last row in the file is the top row.
    EXPECT_EQ(f[54 + 32 + 4], 0);
}

TEST(Bitmap24, RoundTripForEveryPaddingCase) {
    for (int w = 1; w <= 4; ++w) {
        Bitmap24 in = Sample(w, 2);
        std::vector<std::uint8_t> f = EncodeBitmap24(in);
        EXPECT_EQ(f.size(), 54 + Bitmap24RowBytes(w) * 2);
        auto out = DecodeBitmap24(f.data(), f.size());
        ASSERT_TRUE(out);
        EXPECT_EQ(out->width, w);
        EXPECT_EQ(out->height, 2);
        EXPECT_EQ(out->bgr, in.bgr);
    }
    Bitmap24 empty;
    EXPECT_EQ(EncodeBitmap24(empty).size(), 54u);
}

TEST(Bitmap24, RefusesInconsistentOrHostileInput) {
    Bitmap24 bad = Sample(4, 4);
    bad.bgr.pop_back();
    EXPECT_TRUE(EncodeBitmap24(bad).empty());
    Bitmap24 negative;
    negative.width = -1;
    EXPECT_TRUE(EncodeBitmap24(negative).empty());
    Bitmap24 huge;  // would not fit the 32-bit size fields
    huge.width = 70000;
    huge.height = 70000;
    EXPECT_TRUE(EncodeBitmap24(huge).empty());

    std::vector<std::uint8_t> f = EncodeBitmap24(Sample(3, 3));
    EXPECT_FALSE(DecodeBitmap24(f.data(), f.size() - 1));  // truncated pixels
    EXPECT_FALSE(DecodeBitmap24(f.data(), 20));
    EXPECT_FALSE(DecodeBitmap24(nullptr, 0));
    auto lying = f;
    lying[22] = 0xFF;  // height 255 with the pixels of 3 rows
    EXPECT_FALSE(DecodeBitmap24(lying.data(), lying.size()));
    auto eight = f;
    eight[28] = 8;
    EXPECT_FALSE(DecodeBitmap24(eight.data(), eight.size()));
}

TEST(Bitmap24, NoPixelsMeansNoWorkWhateverTheRowCount) {
    // Width 0 with two billion rows: accepted as an empty picture at once, not walked row by row.
    Bitmap24 none;
    none.height = 2000000000;
    std::vector<std::uint8_t> f = EncodeBitmap24(none);
    ASSERT_EQ(f.size(), 54u);
    auto back = DecodeBitmap24(f.data(), f.size());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->height, 2000000000);
    EXPECT_TRUE(back->bgr.empty());
}

TEST(PropertyBag, ValuesEqualToTheirDefaultsAreNotStored) {
    PropertyBag bag;
    bag.WriteInt16("ShadowDepth", 7, 5);
    bag.WriteInt16("ShadowOpacity", 50, 50);
    bag.WriteBool("ShowShadow", true, true);
    bag.WriteInt32("FrameStyle", 0, 1);
    bag.WriteColour("BorderColour", Rgb(1, 2, 3), 0);
    bag.WriteString("Caption", "&OK", "&OK");
    bag.WriteString("Title", "設定", "");
    EXPECT_EQ(bag.Names(), (std::vector<std::string>{"ShadowDepth", "FrameStyle", "BorderColour", "Title"}));

    EXPECT_EQ(bag.ReadInt16("ShadowDepth", 5), 7);
    EXPECT_EQ(bag.ReadInt16("ShadowOpacity", 50), 50);
    EXPECT_EQ(bag.ReadInt32("FrameStyle", 1), 0);
    EXPECT_EQ(bag.ReadColour("BorderColour", 0), Rgb(1, 2, 3));
    EXPECT_EQ(bag.ReadString("Title", ""), "設定");
    EXPECT_TRUE(bag.ReadBool("ShowShadow", true));
}

TEST(PropertyBag, WritingTheDefaultAgainForgetsTheOldValue) {
    PropertyBag bag;
    bag.WriteInt16("CornerDepth", 20, 10);
    bag.WriteInt16("CornerDepth", 10, 10);
    EXPECT_FALSE(bag.Contains("CornerDepth"));
    EXPECT_EQ(bag.ReadInt16("CornerDepth", 10), 10);
}

TEST(PropertyBag, ReadsConvertBetweenTypesOrFallBackToTheDefault) {
    PropertyBag bag;
    bag.Put("Big", std::int32_t{100000})
        .Put("Small", std::int16_t{-3})
        .Put("Text", std::string("x"))
        .Put("On", true);
    EXPECT_EQ(bag.ReadInt16("Big", 9), 9);  // does not fit: default, not a wrapped value
    EXPECT_EQ(bag.ReadInt32("Small", 0), -3);
    EXPECT_EQ(bag.ReadInt32("Text", 4), 4);
    EXPECT_EQ(bag.ReadInt16("On", 0), -1);  // true is -1 as a number
    EXPECT_EQ(bag.ReadString("Small", "d"), "d");
    EXPECT_EQ(bag.ReadColour("Missing", 0x80000005u), 0x80000005u);
}

TEST(PropertyBag, FontsAgainstAFaceNameDefaultAreAlwaysStored) {
    PropertyBag bag;
    FontDesc verdana;
    verdana.name = "Verdana";
    verdana.size = 8.25;
    bag.WriteFont("Font", verdana, std::string("Verdana"));
    ASSERT_TRUE(bag.Contains("Font"));
    EXPECT_EQ(bag.ReadFont("Font", FontDesc{}), verdana);
    bag.WriteFont("Font2", verdana, verdana);
    EXPECT_FALSE(bag.Contains("Font2"));
}

TEST(Twips, ConversionsAndDpi) {
    EXPECT_EQ(TwipsPerPixelFromDpi(96), 15);
    EXPECT_EQ(TwipsPerPixelFromDpi(120), 12);
    EXPECT_EQ(TwipsPerPixelFromDpi(0), 15);
    EXPECT_EQ(TwipsToPixels(7455, 15), 497);
    EXPECT_EQ(TwipsToPixels(3990, 15), 266);
    EXPECT_EQ(TwipsToPixels(7, 15), 0);
    EXPECT_EQ(TwipsToPixels(8, 15), 1);  // nearest, not truncated
    EXPECT_EQ(TwipsToPixels(-8, 15), -1);
    EXPECT_EQ(TwipsToPixels(100, 0), 100);
    EXPECT_EQ(PixelsToTwips(1024, 15), 15360);
    EXPECT_EQ(ScaleToPixels(30, ScaleMode::Pixels, 15), 30);
    EXPECT_EQ(PixelsToScale(30, ScaleMode::Twips, 15), 450);
    EXPECT_EQ(PixelsToTwips(2000000000, 15), 2147483647);  // saturates, never wraps
}

TEST(KeySequence, TabShiftTabAndFriends) {
    auto tab = ParseKeySequence("{TAB}");
    ASSERT_TRUE(tab);
    EXPECT_EQ(*tab, (std::vector<KeyStroke>{{kVkTab, false, false, false}}));
    auto back = ParseKeySequence("+{TAB}");
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, (std::vector<KeyStroke>{{kVkTab, true, false, false}}));
    auto mixed = ParseKeySequence("a^b%{f}{enter}~");
    ASSERT_TRUE(mixed);
    ASSERT_EQ(mixed->size(), 5u);
    EXPECT_EQ((*mixed)[0], (KeyStroke{'A', false, false, false}));
    EXPECT_EQ((*mixed)[1], (KeyStroke{'B', false, true, false}));
    EXPECT_EQ((*mixed)[2], (KeyStroke{'F', false, false, true}));
    EXPECT_EQ((*mixed)[3].virtualKey, kVkReturn);
    EXPECT_EQ((*mixed)[4].virtualKey, kVkReturn);
    auto brace = ParseKeySequence("{}}{+}");
    ASSERT_TRUE(brace);
    EXPECT_EQ((*brace)[0].virtualKey, '}');
    EXPECT_EQ((*brace)[1].virtualKey, '+');
    EXPECT_TRUE(ParseKeySequence("")->empty());
}

TEST(KeySequence, MalformedTextIsRefused) {
    for (const char* bad : {"{TAB", "{NOSUCHKEY}", "+", "}", "{}", "a(b)", "{TAB}^"})
        EXPECT_FALSE(ParseKeySequence(bad)) << bad;
}

TEST(FocusOrder, TabWrapsAndSkipsWhatCannotTakeFocus) {
    // Declared order differs from tab order; index 2 cannot take the focus.
    std::vector<FocusCandidate> c{{2, true}, {0, true}, {1, false}, {3, true}};
    EXPECT_EQ(NextInTabOrder(c, -1, true), 1);
    EXPECT_EQ(NextInTabOrder(c, 1, true), 0);  // skips tab index 1
    EXPECT_EQ(NextInTabOrder(c, 0, true), 3);
    EXPECT_EQ(NextInTabOrder(c, 3, true), 1);  // wraps
    EXPECT_EQ(NextInTabOrder(c, 1, false), 3);
    EXPECT_EQ(NextInTabOrder(c, -1, false), 3);
    EXPECT_EQ(NextInTabOrder({{0, false}}, -1, true), -1);
    EXPECT_EQ(NextInTabOrder({}, -1, true), -1);
    EXPECT_EQ(NextInTabOrder({{0, true}}, 0, true), 0);  // the only one keeps it
}

TEST(FocusOrder, AccessKeysMatchIgnoringCase) {
    EXPECT_TRUE(MatchesAccessKey("o", 'O'));
    EXPECT_TRUE(MatchesAccessKey("oc", 'c'));
    EXPECT_FALSE(MatchesAccessKey("", 'o'));
    EXPECT_FALSE(MatchesAccessKey("o", '\0'));
}

TEST(CommandLine, ArgumentTextAfterTheProgramName) {
    EXPECT_EQ(ArgumentsAfterProgramName("Quorvale.scr /s"), "/s");
    EXPECT_EQ(ArgumentsAfterProgramName("\"C:\\My Savers\\Quorvale.scr\"   /p 1234"), "/p 1234");
    EXPECT_EQ(ArgumentsAfterProgramName("\"C:\\a b\\x.scr\"/c:5678"), "/c:5678");
    EXPECT_EQ(ArgumentsAfterProgramName("x.scr"), "");
    EXPECT_EQ(ArgumentsAfterProgramName("x.scr \t "), "");
    EXPECT_EQ(ArgumentsAfterProgramName("\"unclosed /s"), "");
    EXPECT_EQ(ArgumentsAfterProgramName(""), "");
    EXPECT_EQ(ArgumentsAfterProgramName("x.scr /p  12 "), "/p  12 ");  // only leading blanks go
}

}  // namespace
}  // namespace qv
