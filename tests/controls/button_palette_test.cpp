// The button's colours against the design's table, written out here row by row: the native
// drawing tests take the palette as given, so without this a changed number would pass them.
#include "saver/controls/button_palette.h"

#include <gtest/gtest.h>

#include <optional>

#include "recording_canvas.h"

namespace qv::controls {
namespace {

using testing::Hex;

struct DesignRow {
    const char* name;
    ButtonPalette::Row ButtonPalette::*row;
    std::optional<Colour> states[kButtonStateCount];  // none: the state never uses the entry
};

constexpr std::nullopt_t kUnused = std::nullopt;
constexpr Colour kNavy = Rgb(0, 60, 116);

const DesignRow kDesign[] = {
    {"outer border", &ButtonPalette::outerBorder, {Rgb(201, 199, 186), kNavy, kNavy, kNavy, kNavy}},
    {"top line 1",
     &ButtonPalette::topLine1,
     {kUnused, Rgb(255, 255, 255), Rgb(206, 231, 255), Rgb(255, 243, 206), kUnused}},
    {"top line 2",
     &ButtonPalette::topLine2,
     {kUnused, Rgb(254, 254, 254), Rgb(189, 215, 247), Rgb(255, 219, 140), kUnused}},
    {"bottom line 2",
     &ButtonPalette::bottomLine2,
     {kUnused, Rgb(226, 223, 214), Rgb(140, 174, 231), Rgb(255, 178, 49), kUnused}},
    {"bottom line 1",
     &ButtonPalette::bottomLine1,
     {kUnused, Rgb(214, 208, 197), Rgb(107, 130, 239), Rgb(230, 150, 0), kUnused}},
    {"corner outer",
     &ButtonPalette::cornerOuter,
     {Rgb(196, 177, 140), Rgb(33, 85, 132), Rgb(33, 85, 132), Rgb(33, 85, 132), Rgb(33, 85, 132)}},
    {"corner edge",
     &ButtonPalette::cornerEdge,
     {Rgb(206, 199, 189), Rgb(123, 150, 173), Rgb(123, 150, 173), Rgb(123, 150, 173), Rgb(123, 150, 173)}},
    {"corner inner",
     &ButtonPalette::cornerInner,
     {Rgb(196, 177, 140), Rgb(82, 125, 165), Rgb(82, 125, 165), Rgb(82, 125, 165), Rgb(82, 125, 165)}},
    {"ring top",
     &ButtonPalette::ringTop,
     {kUnused, Rgb(252, 252, 251), Rgb(189, 211, 247), Rgb(225, 223, 156), kUnused}},
    {"ring bottom",
     &ButtonPalette::ringBottom,
     {kUnused, Rgb(236, 235, 230), Rgb(140, 174, 231), Rgb(255, 182, 48), kUnused}},
};

TEST(ButtonPalette, EveryUsedEntryIsTheDesignsColour) {
    const ButtonPalette& palette = StandardButtonPalette();
    for (const DesignRow& d : kDesign) {
        for (int s = 0; s < kButtonStateCount; ++s) {
            if (!d.states[s]) continue;
            EXPECT_EQ(Hex((palette.*d.row)[s]), Hex(*d.states[s])) << d.name << ", state " << s;
        }
    }
    // The face's fixed colours: the normal state's ring, and the flat faces and grey caption.
    EXPECT_EQ(kFaceTop, Rgb(252, 252, 251));
    EXPECT_EQ(kFaceBottom, Rgb(236, 235, 230));
    EXPECT_EQ(kDisabledFace, Rgb(245, 244, 234));
    EXPECT_EQ(kPressedFace, Rgb(231, 227, 222));
    EXPECT_EQ(kDisabledText, Rgb(161, 161, 146));
}

}  // namespace
}  // namespace qv::controls
