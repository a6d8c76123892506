#include "controls/button_drawing.h"

#include <gtest/gtest.h>

#include "recording_canvas.h"

namespace qv::controls {
namespace {

using testing::RecordingButtonCanvas;

TEST(DrawGradient, PaintsEveryRowFromBottomColourUpToTopColour) {
  RecordingButtonCanvas canvas(10, 10);
  DrawGradient(canvas, {1, 2, 9, 6}, Rgb(0, 100, 255), Rgb(4, 0, 251));
  const std::vector<std::string> expected = {
      "line 1,6-9,6 FB0004", "line 1,5-9,5 FC1903", "line 1,4-9,4 FD3202",
      "line 1,3-9,3 FE4B01", "line 1,2-9,2 FF6400"};
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
  Colour At(int x, int y) const { return *canvas.pixels.Get(x, y); }
};

TEST(PaintButton, EveryStateHasItsBorderCornersAndFace) {
  const ButtonPalette& p = StandardButtonPalette();
  for (int s = 0; s < kButtonStateCount; ++s) {
    SCOPED_TRACE(s);
    Painted b(s);
    EXPECT_EQ(b.At(3, 0), p.outerBorder[s]);
    EXPECT_EQ(b.At(36, 19), p.outerBorder[s]);
    EXPECT_EQ(b.At(0, 16), p.outerBorder[s]);
    EXPECT_EQ(b.At(39, 3), p.outerBorder[s]);
    // Corners: one step along the edges, two steps, one diagonal step.
    EXPECT_EQ(b.At(0, 1), p.cornerEdge[s]);
    EXPECT_EQ(b.At(1, 0), p.cornerEdge[s]);
    EXPECT_EQ(b.At(2, 0), p.cornerOuter[s]);
    EXPECT_EQ(b.At(0, 2), p.cornerOuter[s]);
    EXPECT_EQ(b.At(1, 1), p.cornerInner[s]);
    EXPECT_EQ(b.At(38, 18), p.cornerInner[s]);
    EXPECT_EQ(b.At(37, 19), p.cornerOuter[s]);
    EXPECT_EQ(b.At(39, 18), p.cornerEdge[s]);
    if (s == StateDisabled || s == StatePressed) {
      const Colour face = s == StateDisabled ? kDisabledFace : kPressedFace;
      EXPECT_EQ(b.At(20, 1), face);
      EXPECT_EQ(b.At(20, 10), face);
      EXPECT_EQ(b.At(20, 18), face);
    } else {
      EXPECT_EQ(b.At(20, 1), p.topLine1[s]);
      EXPECT_EQ(b.At(20, 2), p.topLine2[s]);
      EXPECT_EQ(b.At(20, 17), p.bottomLine2[s]);
      EXPECT_EQ(b.At(20, 18), p.bottomLine1[s]);
      EXPECT_EQ(b.At(20, 3), kFaceTop);
      EXPECT_EQ(b.At(20, 16), Rgb(237, 236, 232));  // face gradient, one row above its bottom
      // The state's ring shows in two columns down each side.
      EXPECT_EQ(b.At(1, 3), p.ringTop[s]);
      EXPECT_EQ(b.At(38, 3), p.ringTop[s]);
      EXPECT_EQ(b.At(2, 16), b.At(37, 16));
    }
    EXPECT_TRUE(b.canvas.Has("region 0,0-41,21 3x3"));
  }
}

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

}  // namespace
}  // namespace qv::controls
