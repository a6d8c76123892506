// The frame and button pictures drawn with real GDI and read back pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "dib_image.h"
#include "saver/controls/button_drawing.h"
#include "saver/controls/button_model.h"
#include "saver/controls/frame_model.h"
#include "saver/controls/gdi_canvas.h"

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
    // Background rgb(236,233,216): the shadow colour S is rgb(100,100,100) at 50 %, rgb(200,200,200)
    // at 0 % and black at 100 %. Ring 1 shows S - (S - bg) / 5, each step truncated towards zero,
    // worked out here by hand.
    struct Case {
        int opacity;
        Colour shadow, ring1;
    } cases[] = {{50, Rgb(100, 100, 100), Rgb(127, 126, 123)},
                 {0, Rgb(200, 200, 200), Rgb(207, 206, 203)},
                 {100, Rgb(0, 0, 0), Rgb(47, 46, 43)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opacity);
        EXPECT_EQ(BlendColour(0, kBg, 100, static_cast<std::int16_t>(100 - c.opacity)), c.shadow);
        DrawnFrame f(Props(1, true, c.opacity), kBg);
        EXPECT_EQ(RingPixel(f, 5, 1), c.ring1);
    }
}

TEST(FrameOnGdi, RingsFadeFromShadowToJustBelowTheBackground) {
    const Colour bg = Rgb(236, 236, 236);
    DrawnFrame f(Props(1, true, 50), bg);
    const int expected[] = {100, 127, 154, 181, 208, 235};
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(RingPixel(f, 5, i), Rgb(expected[i], expected[i], expected[i])) << i;
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

// Draws the frame but drops every single-pixel write (only the smoothing makes them), and keeps
// the picture as it was when the panel's fill was chosen: the rings, before any smoothing.
class UnsmoothedCanvas : public GdiFrameCanvas {
  public:
    explicit UnsmoothedCanvas(const DibImage& image)
        : GdiFrameCanvas(image.dc(), image.width(), image.height()), image_(image) {}
    void SetPixel(int, int, Colour) override {}
    void SetFillSolid(Colour c) override {
        if (beforePanel.empty())
            for (int y = 0; y < image_.height(); ++y)
                for (int x = 0; x < image_.width(); ++x) beforePanel.push_back(image_.At(x, y));
        GdiFrameCanvas::SetFillSolid(c);
    }
    std::vector<Colour> beforePanel;

  private:
    const DibImage& image_;
};

// The corner smoothing as written down for this control, on a plain array: three regions,
// column by column, each background pixel replaced in place by the rounded mean of its four
// neighbours (halves to even).
std::vector<Colour> SmoothedByHand(std::vector<Colour> px, int w, int h, int sd, int cd, Colour bg) {
    auto at = [&](int x, int y) { return px[static_cast<size_t>(y) * w + x]; };
    auto smooth = [&](int x0, int x1, int y0, int y1) {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) {
                if (at(x, y) != bg) continue;
                const Colour n[4] = {at(x, y - 1), at(x + 1, y), at(x, y + 1), at(x - 1, y)};
                int ch[3];
                for (int k = 0; k < 3; ++k) {
                    double sum = 0;
                    for (Colour c : n) sum += (c >> (8 * k)) & 0xFF;
                    ch[k] = static_cast<int>(std::nearbyint(sum / 4.0));
                }
                px[static_cast<size_t>(y) * w + x] = Rgb(ch[0], ch[1], ch[2]);
            }
    };
    smooth(w - 2 * cd, w - 3, h - 2 * cd, h - 3);
    smooth(w - 2 * cd, w - 3, sd, 4 * sd);
    smooth(sd, 4 * sd, h - 2 * cd, h - 3);
    return px;
}

TEST(FrameOnGdi, CornerSmoothingOnlyForRoundedFrameWithShadow) {
    constexpr int W = DrawnFrame::W, H = DrawnFrame::H;
    auto pixels = [](const DibImage& im) {
        std::vector<Colour> v;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) v.push_back(im.At(x, y));
        return v;
    };
    for (int style : {0, 1})
        for (bool shadow : {true, false}) {
            SCOPED_TRACE(::testing::Message() << "style " << style << " shadow " << shadow);
            FrameProperties p = Props(style, shadow, 50, 5);
            p.cornerDepth = 10;
            DibImage unsmoothed(W, H, Rgb(1, 2, 3));
            UnsmoothedCanvas canvas(unsmoothed);
            DrawFramePicture(canvas, p, {W, H, W, H}, kBg, p.fillColour, p.borderColour);
            DrawnFrame drawn(p, kBg);
            std::vector<Colour> expected = pixels(unsmoothed);
            if (style == 0 && shadow) {
                // Smooth the rings by hand, then lay the panel over them as the drawing does.
                const std::vector<Colour> smoothed = SmoothedByHand(canvas.beforePanel, W, H, 5, 10, kBg);
                EXPECT_NE(smoothed, canvas.beforePanel) << "nothing to smooth: a weak case";
                DibImage byHand(W, H);
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x)
                        SetPixelV(byHand.dc(), x, y, smoothed[static_cast<size_t>(y) * W + x]);
                GdiFrameCanvas panel(byHand.dc(), W, H);
                panel.SetFillSolid(p.fillColour);
                panel.SetPen(p.borderColour);
                panel.RoundRectangle(0, 0, W - 5, H - 5, 10, 10);
                expected = pixels(byHand);
            }
            const std::vector<Colour> got = pixels(drawn.image);
            int differing = 0;
            for (size_t i = 0; i < got.size(); ++i) differing += got[i] != expected[i];
            EXPECT_EQ(differing, 0);
        }
}

// ---- button ------------------------------------------------------------------------------

struct DrawnButton {
    static constexpr int W = 75, H = 23;
    DibImage image{W, H};
    DrawnButton(int state, bool focus, bool enabled = true, const std::string& caption = "&OK",
                Colour text = Rgb(0, 0, 0)) {
        HFONT font = CreateFontFor(ButtonDefaultFont());
        GdiButtonCanvas canvas(image.dc(), W, H, nullptr, font, Rgb(236, 233, 216));
        ButtonLook look;
        look.state = state;
        look.width = W;
        look.height = H;
        look.caption = caption;
        look.enabled = enabled;
        look.textColour = text;
        look.focusRect = focus;
        PaintButton(canvas, look);
        DeleteObject(font);
    }
    Colour At(int x, int y) const { return image.At(x, y); }
};

// The button's colours as the design gives them, one column per state (0 where unused).
struct Palette {
    Colour outerBorder[5], topLine1[5], topLine2[5], bottomLine2[5], bottomLine1[5];
    Colour cornerOuter[5], cornerEdge[5], cornerInner[5], ringTop[5], ringBottom[5];
};
const Colour kNavy = Rgb(0, 60, 116);
const Palette kDesignPalette = {
    {Rgb(201, 199, 186), kNavy, kNavy, kNavy, kNavy},
    {0, Rgb(255, 255, 255), Rgb(206, 231, 255), Rgb(255, 243, 206), 0},
    {0, Rgb(254, 254, 254), Rgb(189, 215, 247), Rgb(255, 219, 140), 0},
    {0, Rgb(226, 223, 214), Rgb(140, 174, 231), Rgb(255, 178, 49), 0},
    {0, Rgb(214, 208, 197), Rgb(107, 130, 239), Rgb(230, 150, 0), 0},
    {Rgb(196, 177, 140), Rgb(33, 85, 132), Rgb(33, 85, 132), Rgb(33, 85, 132), Rgb(33, 85, 132)},
    {Rgb(206, 199, 189), Rgb(123, 150, 173), Rgb(123, 150, 173), Rgb(123, 150, 173), Rgb(123, 150, 173)},
    {Rgb(196, 177, 140), Rgb(82, 125, 165), Rgb(82, 125, 165), Rgb(82, 125, 165), Rgb(82, 125, 165)},
    {0, Rgb(252, 252, 251), Rgb(189, 211, 247), Rgb(225, 223, 156), 0},
    {0, Rgb(236, 235, 230), Rgb(140, 174, 231), Rgb(255, 182, 48), 0},
};
const Colour kDesignFaceTop = Rgb(252, 252, 251), kDesignDisabledFace = Rgb(245, 244, 234);
const Colour kDesignPressedFace = Rgb(231, 227, 222), kDesignDisabledText = Rgb(161, 161, 146);

TEST(ButtonOnGdi, PaletteHoldsTheDesignsColours) {
    const ButtonPalette& code = StandardButtonPalette();
    const Palette& d = kDesignPalette;
    for (int s = 0; s < kButtonStateCount; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(code.outerBorder[s], d.outerBorder[s]);
        EXPECT_EQ(code.cornerOuter[s], d.cornerOuter[s]);
        EXPECT_EQ(code.cornerEdge[s], d.cornerEdge[s]);
        EXPECT_EQ(code.cornerInner[s], d.cornerInner[s]);
        if (s == StateDisabled || s == StatePressed) continue;  // these states use no rows or ring
        EXPECT_EQ(code.topLine1[s], d.topLine1[s]);
        EXPECT_EQ(code.topLine2[s], d.topLine2[s]);
        EXPECT_EQ(code.bottomLine2[s], d.bottomLine2[s]);
        EXPECT_EQ(code.bottomLine1[s], d.bottomLine1[s]);
        EXPECT_EQ(code.ringTop[s], d.ringTop[s]);
        EXPECT_EQ(code.ringBottom[s], d.ringBottom[s]);
    }
}

TEST(ButtonOnGdi, EachStateShowsItsBorderCornersFaceAndRows) {
    const Palette& p = kDesignPalette;
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
            const Colour face = s == StateDisabled ? kDesignDisabledFace : kDesignPressedFace;
            for (int y = 1; y < H - 1; ++y) ASSERT_EQ(b.At(W / 2, y), face) << y;
            continue;
        }
        EXPECT_EQ(b.At(W / 2, 1), p.topLine1[s]);
        EXPECT_EQ(b.At(W - 3, 1), p.topLine1[s]);
        EXPECT_EQ(b.At(W / 2, 2), p.topLine2[s]);
        EXPECT_EQ(b.At(W / 2, H - 3), p.bottomLine2[s]);
        EXPECT_EQ(b.At(W / 2, H - 2), p.bottomLine1[s]);
        // The face: rgb(252,252,251) at the top row, fading towards rgb(236,235,230).
        EXPECT_EQ(b.At(W / 2, 3), kDesignFaceTop);
        EXPECT_EQ(b.At(W / 2, H - 4), Rgb(237, 236, 231));  // 17 rows: 236+16/17, 235+1, 230+21/17
        // The state's ring in the two side bands: its top colour at row 3, its bottom at row H-2.
        for (int x : {1, 2, W - 3, W - 2}) EXPECT_EQ(b.At(x, 3), p.ringTop[s]) << x;
        // Two rows above the ring's bottom: bottom + 2 (top - bottom) / 18, worked out by hand.
        const Colour ringAboveBottom[5] = {0, Rgb(238, 237, 232), Rgb(145, 178, 233), Rgb(252, 187, 60), 0};
        for (int x : {1, 2, W - 3, W - 2}) EXPECT_EQ(b.At(x, H - 4), ringAboveBottom[s]) << x;
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
    EXPECT_GT(CountColour(disabled, kDesignDisabledText), 10);
    EXPECT_EQ(CountColour(disabled, Rgb(0, 0, 0)), 0);
}

TEST(ButtonOnGdi, CaptionInASystemColourIsDrawnInThatColour) {
    // 0x8000000D names the highlight colour of the system, not an rgb value.
    const Colour highlight = static_cast<Colour>(GetSysColor(COLOR_HIGHLIGHT));
    DrawnButton b(StateNormal, false, true, "WWW", 0x8000000Du);
    EXPECT_GT(CountColour(b, highlight), 10);
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
