#include "saver/controls/button_drawing.h"

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

}  // namespace
}  // namespace qv::controls
