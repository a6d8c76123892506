// The frame and button pictures drawn with real GDI and read back pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "controls/button_drawing.h"
#include "controls/button_model.h"
#include "controls/frame_model.h"
#include "controls/gdi_canvas.h"
#include "dib_image.h"

namespace qv::controls {
namespace {

using testing::DibImage;

// Counts the single-pixel writes that reach the image (only corner smoothing makes them).
class CountingCanvas : public GdiFrameCanvas {
 public:
  using GdiFrameCanvas::GdiFrameCanvas;
  void SetPixel(int x, int y, Colour c) override {
    ++writes;
    GdiFrameCanvas::SetPixel(x, y, c);
  }
  int writes = 0;
};

struct DrawnFrame {
  static constexpr int W = 120, H = 80;
  DibImage image{W, H, Rgb(1, 2, 3)};
  int pixelWrites = 0;
  DrawnFrame(const FrameProperties& p, Colour bg) {
    CountingCanvas canvas(image.dc(), W, H);
    DrawFramePicture(canvas, p, {W, H, W, H}, bg, p.fillColour, p.borderColour);
    pixelWrites = canvas.writes;
  }
  Colour At(int x, int y) const { return image.At(x, y); }
};

FrameProperties Props(int style, bool shadow, int opacity = 50, int depth = 5) {
  FrameProperties p;
  p.frameStyle = style;
  p.showShadow = shadow;
  p.shadowOpacity = static_cast<std::int16_t>(opacity);
  p.shadowDepth = static_cast<std::int16_t>(depth);
  p.fillColour = Rgb(255, 255, 240);
  p.borderColour = Rgb(0, 0, 128);
  return p;
}

const Colour kBg = Rgb(236, 233, 216);

// Ring i's right edge lies at x = W - SD + i - 1; the row through the middle shows every ring.
Colour RingPixel(const DrawnFrame& f, int sd, int i) { return f.At(DrawnFrame::W - sd + i - 1, 40); }

TEST(FrameOnGdi, ShadowColourFollowsOpacity) {
  // The shadow colour S shows through the blend towards the background of ring 1:
  // channel = S - ((S - bg) / 5).
  struct Case {
    int opacity;
    Colour shadow;
  } cases[] = {{50, Rgb(100, 100, 100)}, {0, Rgb(200, 200, 200)}, {100, Rgb(0, 0, 0)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.opacity);
    DrawnFrame f(Props(1, true, c.opacity), kBg);
    EXPECT_EQ(BlendColour(0, kBg, 100, static_cast<std::int16_t>(100 - c.opacity)), c.shadow);
    EXPECT_EQ(RingPixel(f, 5, 1), BlendColour(c.shadow, kBg, 5, 1));
  }
}

TEST(FrameOnGdi, RingsFadeFromShadowToJustBelowTheBackground) {
  const Colour bg = Rgb(236, 236, 236);
  DrawnFrame f(Props(1, true, 50), bg);
  const int expected[] = {100, 127, 154, 181, 208, 235};
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(RingPixel(f, 5, i), Rgb(expected[i], expected[i], expected[i])) << i;
  // Ring 0 lies under the panel: its right edge is the panel's border.
  EXPECT_EQ(RingPixel(f, 5, 0), Rgb(0, 0, 128));
  // Below the panel too, and the shadow starts 2*SD in from the left.
  EXPECT_EQ(f.At(60, DrawnFrame::H - 1), Rgb(235, 235, 235));
  EXPECT_EQ(f.At(5, DrawnFrame::H - 1), Rgb(235, 235, 235));
  EXPECT_EQ(f.At(4, DrawnFrame::H - 1), bg);
}

TEST(FrameOnGdi, PanelIsShadowDepthNarrowerWithTheShadow) {
  DrawnFrame shadowed(Props(1, true, 50, 7), kBg);
  EXPECT_EQ(shadowed.At(0, 0), Rgb(0, 0, 128));
  EXPECT_EQ(shadowed.At(DrawnFrame::W - 7 - 1, 30), Rgb(0, 0, 128));
  EXPECT_EQ(shadowed.At(30, DrawnFrame::H - 7 - 1), Rgb(0, 0, 128));
  EXPECT_EQ(shadowed.At(30, 30), Rgb(255, 255, 240));
  EXPECT_NE(shadowed.At(DrawnFrame::W - 7, 30), Rgb(0, 0, 128));

  DrawnFrame plain(Props(1, false, 50, 7), kBg);
  EXPECT_EQ(plain.At(DrawnFrame::W - 1, 30), Rgb(0, 0, 128));
  EXPECT_EQ(plain.At(30, DrawnFrame::H - 1), Rgb(0, 0, 128));
  EXPECT_EQ(plain.At(DrawnFrame::W - 2, 30), Rgb(255, 255, 240));
}

TEST(FrameOnGdi, OtherStylesLeaveOnlyTheBackground) {
  for (int style : {2, -1, 99}) {
    DrawnFrame f(Props(style, true), kBg);
    for (int y = 0; y < DrawnFrame::H; y += 3)
      for (int x = 0; x < DrawnFrame::W; x += 3) ASSERT_EQ(f.At(x, y), kBg) << style;
  }
}

TEST(FrameOnGdi, CornerSmoothingOnlyForRoundedFrameWithShadow) {
  EXPECT_EQ(DrawnFrame(Props(1, true), kBg).pixelWrites, 0);
  EXPECT_EQ(DrawnFrame(Props(0, false), kBg).pixelWrites, 0);
  DrawnFrame rounded(Props(0, true), kBg);
  EXPECT_GT(rounded.pixelWrites, 0);
  // In the lower right corner some background pixels became blends of their neighbours:
  // colours that no ring, border or fill has.
  std::vector<Colour> drawn = {kBg, Rgb(0, 0, 128), Rgb(255, 255, 240)};
  for (int i = 0; i <= 5; ++i) drawn.push_back(BlendColour(Rgb(100, 100, 100), kBg, 5, i));
  int softened = 0;
  for (int x = DrawnFrame::W - 20; x <= DrawnFrame::W - 3; ++x)
    for (int y = DrawnFrame::H - 20; y <= DrawnFrame::H - 3; ++y)
      softened += std::find(drawn.begin(), drawn.end(), rounded.At(x, y)) == drawn.end();
  EXPECT_GT(softened, 0);
}

// ---- button ------------------------------------------------------------------------------

struct DrawnButton {
  static constexpr int W = 75, H = 23;
  DibImage image{W, H};
  DrawnButton(int state, bool focus, bool enabled = true, const std::string& caption = "&OK") {
    HFONT font = CreateFontFor(ButtonDefaultFont());
    GdiButtonCanvas canvas(image.dc(), W, H, nullptr, font, Rgb(236, 233, 216));
    ButtonLook look;
    look.state = state;
    look.width = W;
    look.height = H;
    look.caption = caption;
    look.enabled = enabled;
    look.textColour = Rgb(0, 0, 0);
    look.focusRect = focus;
    PaintButton(canvas, look);
    DeleteObject(font);
  }
  Colour At(int x, int y) const { return image.At(x, y); }
};

TEST(ButtonOnGdi, EachStateShowsItsBorderCornersFaceAndRows) {
  const ButtonPalette& p = StandardButtonPalette();
  constexpr int W = DrawnButton::W, H = DrawnButton::H;
  for (int s = 0; s < kButtonStateCount; ++s) {
    SCOPED_TRACE(s);
    DrawnButton b(s, false, s != StateDisabled, "");
    for (int x = 3; x < W - 3; ++x) {
      ASSERT_EQ(b.At(x, 0), p.outerBorder[s]) << x;
      ASSERT_EQ(b.At(x, H - 1), p.outerBorder[s]) << x;
    }
    for (int y = 3; y < H - 3; ++y) {
      ASSERT_EQ(b.At(0, y), p.outerBorder[s]) << y;
      ASSERT_EQ(b.At(W - 1, y), p.outerBorder[s]) << y;
    }
    // Each corner: one step along both edges, two steps, one step diagonally.
    const int cx[2] = {0, W - 1}, cy[2] = {0, H - 1}, dx[2] = {1, -1}, dy[2] = {1, -1};
    for (int i = 0; i < 2; ++i)
      for (int j = 0; j < 2; ++j) {
        EXPECT_EQ(b.At(cx[i], cy[j] + dy[j]), p.cornerEdge[s]);
        EXPECT_EQ(b.At(cx[i] + dx[i], cy[j]), p.cornerEdge[s]);
        EXPECT_EQ(b.At(cx[i], cy[j] + 2 * dy[j]), p.cornerOuter[s]);
        EXPECT_EQ(b.At(cx[i] + 2 * dx[i], cy[j]), p.cornerOuter[s]);
        EXPECT_EQ(b.At(cx[i] + dx[i], cy[j] + dy[j]), p.cornerInner[s]);
      }
    if (s == StateDisabled || s == StatePressed) {
      const Colour face = s == StateDisabled ? kDisabledFace : kPressedFace;
      for (int y = 1; y < H - 1; ++y) ASSERT_EQ(b.At(W / 2, y), face) << y;
      continue;
    }
    EXPECT_EQ(b.At(W / 2, 1), p.topLine1[s]);
    EXPECT_EQ(b.At(W - 3, 1), p.topLine1[s]);
    EXPECT_EQ(b.At(W / 2, 2), p.topLine2[s]);
    EXPECT_EQ(b.At(W / 2, H - 3), p.bottomLine2[s]);
    EXPECT_EQ(b.At(W / 2, H - 2), p.bottomLine1[s]);
    // The face: rgb(252,252,251) at the top row, fading towards rgb(236,235,230).
    EXPECT_EQ(b.At(W / 2, 3), kFaceTop);
    EXPECT_EQ(b.At(W / 2, H - 4), Rgb(237, 236, 231));  // 17 rows: 236+16/17, 235+1, 230+21/17
    // The state's ring in the two side bands: its top colour at row 3, its bottom at row H-2.
    for (int x : {1, 2, W - 3, W - 2}) EXPECT_EQ(b.At(x, 3), p.ringTop[s]) << x;
    for (int y = 3; y < H - 3; ++y) {
      ASSERT_EQ(b.At(1, y), b.At(W - 2, y));
      ASSERT_EQ(b.At(2, y), b.At(1, y));
    }
  }
}

int CountColour(const DrawnButton& b, Colour c) {
  int n = 0;
  for (int y = 3; y < DrawnButton::H - 3; ++y)
    for (int x = 3; x < DrawnButton::W - 3; ++x) n += b.At(x, y) == c;
  return n;
}

TEST(ButtonOnGdi, CaptionInTextColourOrGreyWhenDisabled) {
  DrawnButton enabled(StateNormal, false, true, "WWW");
  EXPECT_GT(CountColour(enabled, Rgb(0, 0, 0)), 10);
  DrawnButton disabled(StateDisabled, false, false, "WWW");
  EXPECT_GT(CountColour(disabled, kDisabledText), 10);
  EXPECT_EQ(CountColour(disabled, Rgb(0, 0, 0)), 0);
}

TEST(ButtonOnGdi, AmpersandUnderlinesTheAccessKey) {
  // The underline adds a run of text-coloured pixels beneath the letter.
  DrawnButton marked(StateNormal, false, true, "&OK");
  DrawnButton plain(StateNormal, false, true, "OK");
  EXPECT_GT(CountColour(marked, Rgb(0, 0, 0)), CountColour(plain, Rgb(0, 0, 0)));
  DrawnButton doubled(StateNormal, false, true, "&&");
  EXPECT_GT(CountColour(doubled, Rgb(0, 0, 0)), 0);
}

bool FocusRectangleShown(const DrawnButton& with, const DrawnButton& without) {
  for (int x = 3; x < DrawnButton::W - 3; ++x)
    if (with.At(x, 3) != without.At(x, 3)) return true;
  return false;
}

TEST(ButtonOnGdi, FocusRectangleOnlyAboveTheNormalState) {
  for (int s = 0; s < kButtonStateCount; ++s) {
    SCOPED_TRACE(s);
    DrawnButton with(s, true, s != StateDisabled, "");
    DrawnButton without(s, false, s != StateDisabled, "");
    EXPECT_EQ(FocusRectangleShown(with, without), s > StateNormal);
  }
}

TEST(ButtonOnGdi, WindowTakesTheRoundedRegion) {
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 60, 23, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(w, nullptr);
  DibImage image(60, 23);
  GdiButtonCanvas canvas(image.dc(), 60, 23, w, nullptr, Rgb(236, 233, 216));
  ButtonLook look;
  look.width = 60;
  look.height = 23;
  PaintButton(canvas, look);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(w, rgn), ERROR);
  HRGN expected = CreateRoundRectRgn(0, 0, 61, 24, 3, 3);
  EXPECT_TRUE(EqualRgn(rgn, expected));
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  EXPECT_TRUE(PtInRegion(rgn, 30, 11));
  EXPECT_FALSE(PtInRegion(rgn, 59, 22));  // every corner pixel is cut off
  EXPECT_TRUE(PtInRegion(rgn, 59, 11));
  EXPECT_TRUE(PtInRegion(rgn, 30, 22));
  // Drawing again hands the window a fresh region; the old one is the window's to free.
  PaintButton(canvas, look);
  EXPECT_NE(GetWindowRgn(w, rgn), ERROR);
  DeleteObject(expected);
  DeleteObject(rgn);
  DestroyWindow(w);
}

}  // namespace
}  // namespace qv::controls
