#include "saver/controls/button_drawing.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "recording_canvas.h"

namespace qv::controls {
namespace {

using testing::Hex;
using testing::RecordingButtonCanvas;

TEST(DrawGradient, PaintsEveryRowFromBottomColourUpToTopColour) {
    RecordingButtonCanvas canvas(10, 10);
    DrawGradient(canvas, {1, 2, 9, 6}, Rgb(0, 100, 255), Rgb(4, 0, 251));
    const std::vector<std::string> expected = {"line 1,6-9,6 FB0004", "line 1,5-9,5 FC1903",
                                               "line 1,4-9,4 FD3202", "line 1,3-9,3 FE4B01",
                                               "line 1,2-9,2 FF6400"};
    EXPECT_EQ(canvas.ops, expected);
}

TEST(DrawGradient, RoundsHalvesToEvenAndSkipsEmptyRectangles) {
    RecordingButtonCanvas canvas(10, 10);
    // 1 over 2 rows: 0, 0.5 -> 0, 1
    DrawGradient(canvas, {0, 0, 1, 2}, Rgb(1, 3, 0), Rgb(0, 0, 0));
    const std::vector<std::string> expected = {"line 0,2-1,2 000000", "line 0,1-1,1 000200",
                                               "line 0,0-1,0 000301"};
    EXPECT_EQ(canvas.ops, expected);
    canvas.ops.clear();
    DrawGradient(canvas, {0, 4, 5, 4}, 0, 0);
    DrawGradient(canvas, {0, 5, 5, 4}, 0, 0);
    EXPECT_TRUE(canvas.ops.empty());
}

struct Painted {
    RecordingButtonCanvas canvas{40, 20};
    explicit Painted(int state, bool focus = false, bool enabled = true) {
        ButtonLook look;
        look.state = state;
        look.width = 40;
        look.height = 20;
        look.caption = "&OK";
        look.enabled = enabled;
        look.textColour = Rgb(1, 2, 3);
        look.focusRect = focus;
        PaintButton(canvas, look);
    }
};

TEST(PaintButton, CaptionColourAndFocusRectangle) {
    EXPECT_TRUE(Painted(StateNormal).canvas.Has("caption '&OK' 3,3-37,17 030201"));
    EXPECT_TRUE(Painted(StateDisabled, false, false).canvas.Has("caption '&OK' 3,3-37,17 92A1A1"));
    EXPECT_FALSE(Painted(StateNormal, true).canvas.Has("focus"));
    EXPECT_FALSE(Painted(StateDisabled, true).canvas.Has("focus"));
    EXPECT_TRUE(Painted(StateFocused, true).canvas.Has("focus 3,3-37,17"));
    EXPECT_TRUE(Painted(StateHot, true).canvas.Has("focus"));
    EXPECT_TRUE(Painted(StatePressed, true).canvas.Has("focus"));
    EXPECT_FALSE(Painted(StatePressed, false).canvas.Has("focus"));
    // The focus rectangle comes last, over the caption.
    EXPECT_EQ(Painted(StateFocused, true).canvas.ops.back(), "focus 3,3-37,17");
}

// A palette whose every entry is its own colour, so the picture shows which entry went where.
ButtonPalette LetterPalette() {
    ButtonPalette p{};
    auto all = [](Colour c) { return ButtonPalette::Row{c, c, c, c, c}; };
    p.outerBorder = all(Rgb(1, 0, 0));
    p.topLine1 = all(Rgb(2, 0, 0));
    p.topLine2 = all(Rgb(3, 0, 0));
    p.bottomLine2 = all(Rgb(4, 0, 0));
    p.bottomLine1 = all(Rgb(5, 0, 0));
    p.cornerOuter = all(Rgb(6, 0, 0));
    p.cornerEdge = all(Rgb(7, 0, 0));
    p.cornerInner = all(Rgb(8, 0, 0));
    p.ringTop = all(Rgb(9, 0, 0));
    p.ringBottom = all(Rgb(9, 0, 0));
    return p;
}

// B border, 1 2 top lines, 4 5 bottom lines, o e i corner outer/edge/inner, r ring, f face
// (any shade between its two fixed colours), D disabled face, P pressed face, . untouched.
std::vector<std::string> Picture(int state, int w, int h) {
    RecordingButtonCanvas canvas(w, h);
    ButtonLook look;
    look.state = state;
    look.width = w;
    look.height = h;
    PaintButton(canvas, look, LetterPalette());
    const std::map<Colour, char> legend = {{Rgb(1, 0, 0), 'B'},  {Rgb(2, 0, 0), '1'}, {Rgb(3, 0, 0), '2'},
                                           {Rgb(4, 0, 0), '4'},  {Rgb(5, 0, 0), '5'}, {Rgb(6, 0, 0), 'o'},
                                           {Rgb(7, 0, 0), 'e'},  {Rgb(8, 0, 0), 'i'}, {Rgb(9, 0, 0), 'r'},
                                           {kDisabledFace, 'D'}, {kPressedFace, 'P'}, {0xFFFFFF, '.'}};
    std::vector<std::string> rows;
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            const Colour c = *canvas.pixels.Get(x, y);
            auto it = legend.find(c);
            const ColourParts p = SplitColour(c), lo = SplitColour(kFaceBottom), hi = SplitColour(kFaceTop);
            const bool face = p.red >= lo.red && p.red <= hi.red && p.green >= lo.green &&
                              p.green <= hi.green && p.blue >= lo.blue && p.blue <= hi.blue;
            row += it != legend.end() ? it->second : face ? 'f' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(ButtonPicture, RaisedStatesHaveBorderRingLinesFaceAndRoundedCorners) {
    const std::vector<std::string> expected = {
        ".eoBBBBBBoe.", "ei11111111ie", "o2222222222o", "BrrffffffrrB", "BrrffffffrrB",
        "BrrffffffrrB", "o4444444444o", "ei55555555ie", ".eoBBBBBBoe.",
    };
    for (int state : {StateNormal, StateFocused, StateHot})
        EXPECT_EQ(Picture(state, 12, 9), expected) << state;
}

TEST(ButtonPicture, DisabledAndPressedStatesAreFlatFaces) {
    const std::vector<std::string> disabled = {
        ".eoBBBBBBoe.", "eiDDDDDDDDie", "oDDDDDDDDDDo", "BDDDDDDDDDDB",
        "oDDDDDDDDDDo", "eiDDDDDDDDie", ".eoBBBBBBoe.",
    };
    EXPECT_EQ(Picture(StateDisabled, 12, 7), disabled);
    std::vector<std::string> pressed = disabled;
    for (auto& row : pressed)
        for (char& c : row)
            if (c == 'D') c = 'P';
    EXPECT_EQ(Picture(StatePressed, 12, 7), pressed);
    // A state outside the five draws as the normal button.
    EXPECT_EQ(Picture(kButtonStateCount, 12, 9), Picture(StateNormal, 12, 9));
    EXPECT_EQ(Picture(-1, 12, 9), Picture(StateNormal, 12, 9));
    EXPECT_EQ(Picture(7, 12, 9), Picture(StateNormal, 12, 9));
}

// The face's gradient runs from row 3 down to row H-3, which the bottom line then covers: the
// lowest row seen is one step above the bottom colour, not the bottom colour itself.
TEST(ButtonPicture, TheFaceShadesDownToTheRowUnderTheBottomLine) {
    RecordingButtonCanvas canvas(12, 9);
    ButtonLook look;
    look.state = StateNormal;
    look.width = 12;
    look.height = 9;
    PaintButton(canvas, look, LetterPalette());
    // Three steps from (236, 235, 230) up to (252, 252, 251): 16/3, 17/3 and 7 per row.
    const Colour expected[] = {Rgb(252, 252, 251), Rgb(247, 246, 244), Rgb(241, 241, 237)};
    for (int x = 3; x < 9; ++x)
        for (int y = 3; y < 6; ++y)
            EXPECT_EQ(Hex(*canvas.pixels.Get(x, y)), Hex(expected[y - 3])) << x << "," << y;
}

TEST(ButtonPicture, AGradientOneRowHighPaintsBothItsRows) {
    RecordingButtonCanvas canvas(4, 4);
    DrawGradient(canvas, {0, 1, 4, 2}, Rgb(10, 10, 10), Rgb(20, 20, 20));
    EXPECT_EQ(canvas.ops, (std::vector<std::string>{"line 0,2-4,2 141414", "line 0,1-4,1 0A0A0A"}));
}

}  // namespace
}  // namespace qv::controls
