#include "saver/controls/frame_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "recording_canvas.h"

namespace qv::controls {
namespace {

using testing::RecordingFrameCanvas;

TEST(ColourMath, BlendColourShadowExamples) {
    const Colour bg = Rgb(236, 233, 216);
    EXPECT_EQ(BlendColour(0, bg, 100, 100 - 50), Rgb(100, 100, 100));
    EXPECT_EQ(BlendColour(0, bg, 100, 100 - 0), Rgb(200, 200, 200));
    EXPECT_EQ(BlendColour(0, bg, 100, 100 - 100), Rgb(0, 0, 0));
    // A channel below 100 has no step at p = 100.
    EXPECT_EQ(BlendColour(0, Rgb(99, 250, 150), 100, 50), Rgb(0, 100, 50));
}

TEST(ColourMath, BlendColourRingsTruncateTheStep) {
    const Colour shadow = Rgb(100, 100, 100), bg = Rgb(236, 236, 236);
    const int expected[] = {100, 127, 154, 181, 208, 235};
    for (int i = 0; i <= 5; ++i) {
        EXPECT_EQ(SplitColour(BlendColour(shadow, bg, 5, static_cast<std::int16_t>(i))).red, expected[i])
            << "ring " << i;
    }
}

TEST(ColourMath, BlendColourStaysInRangeAndSurvivesZeroDivisor) {
    // Stored opacities outside 0..100 push q beyond p; channels must not spill over.
    EXPECT_EQ(BlendColour(0, Rgb(236, 236, 236), 100, 200), Rgb(255, 255, 255));
    EXPECT_EQ(BlendColour(0, Rgb(236, 236, 236), 100, -100), Rgb(0, 0, 0));
    EXPECT_EQ(BlendColour(Rgb(1, 2, 3), Rgb(200, 200, 200), 0, 3), Rgb(1, 2, 3));
    EXPECT_EQ(SplitColour(Rgb(10, 20, 30)).green, 20);
    EXPECT_EQ(SplitColour(0x80FF8040).blue, 0xFF);
}

TEST(ColourMath, TwipsToPixelsRoundsHalfToEven) {
    EXPECT_EQ(TwipsToPixels(1500, 15), 100);
    EXPECT_EQ(TwipsToPixels(22.5, 15), 1);  // 22.5 -> 22 twips -> 1.47 -> 1
    EXPECT_EQ(TwipsToPixels(37.5, 15), 3);  // 37.5 -> 38 twips -> 2.53 -> 3
    EXPECT_EQ(TwipsToPixels(30, 12), 2);    // 2.5 -> 2
    EXPECT_EQ(TwipsToPixels(42, 12), 4);    // 3.5 -> 4
    EXPECT_EQ(TwipsToPixels(-30, 12), -2);
    EXPECT_EQ(TwipsToPixels(100000, 15), 2184);  // saturates at 32767 twips
    EXPECT_EQ(TwipsToPixels(1500, 0), 0);
}

class FakeFrameHost : public FrameHost {
  public:
    FakeFrameHost() : canvas(100, 60) {}
    Colour AmbientBackColour() override { return ambient; }
    void ReportChanged(const std::string& key) override { changed.push_back(key); }
    FrameCanvas* Canvas() override {
        ++draws;
        return &canvas;
    }
    void DoneDrawing() override { ++shown; }
    FrameSizeTwips Size() override { return {1500, 900, 1500, 900, 15}; }

    Colour ambient = Rgb(236, 236, 236);
    RecordingFrameCanvas canvas;
    std::vector<std::string> changed;
    int draws = 0;
    int shown = 0;
};

struct FrameFixture : ::testing::Test {
    FakeFrameHost host;
    GfxFrameModel frame{host};
    void SetUp() override { frame.OnNewInstance(); }
    std::vector<std::string> Ops() {
        host.canvas.ops.clear();
        frame.Refresh();
        return host.canvas.ops;
    }
};

TEST_F(FrameFixture, NewInstanceTakesDefaultsAndAmbientColoursWithoutDrawing) {
    const FrameProperties& p = frame.Properties();
    EXPECT_EQ(p.frameStyle, 1);
    EXPECT_EQ(p.shadowOpacity, 50);
    EXPECT_TRUE(p.showShadow);
    EXPECT_EQ(p.shadowDepth, 5);
    EXPECT_EQ(p.fillColour, host.ambient);
    EXPECT_EQ(p.backColour, host.ambient);
    EXPECT_EQ(p.backColourIs, 0);
    EXPECT_EQ(p.borderColour, 0u);
    EXPECT_EQ(p.cornerDepth, 10);
    EXPECT_EQ(host.draws, 0);
}

TEST_F(FrameFixture, SettersClampReportAndRepaint) {
    frame.SetShadowOpacity(-5);
    EXPECT_EQ(frame.Properties().shadowOpacity, 0);
    frame.SetShadowOpacity(150);
    EXPECT_EQ(frame.Properties().shadowOpacity, 100);
    frame.SetCornerDepth(-1);
    EXPECT_EQ(frame.Properties().cornerDepth, 0);
    frame.SetCornerDepth(51);
    EXPECT_EQ(frame.Properties().cornerDepth, 50);
    frame.SetShadowDepth(1);
    EXPECT_EQ(frame.Properties().shadowDepth, 2);
    frame.SetShadowDepth(40);
    EXPECT_EQ(frame.Properties().shadowDepth, 40);
    frame.SetShadowDepth(45);
    EXPECT_EQ(frame.Properties().shadowDepth, 45);
    frame.SetShadowDepth(70000);
    EXPECT_EQ(frame.Properties().shadowDepth, 50);
    frame.SetFrameStyle(7);
    EXPECT_EQ(frame.Properties().frameStyle, 7);
    EXPECT_EQ(host.draws, 9);
    EXPECT_EQ(host.changed.back(), "FrameStyle");
    EXPECT_EQ(host.changed.front(), "ShadowOpacity");
}

TEST_F(FrameFixture, SaveStoresOnlyChangedValuesAndLoadRestoresThem) {
    PropertyBag bag;
    frame.OnSave(bag);
    EXPECT_EQ(bag.Count(), 0u);

    frame.SetShadowDepth(7);
    frame.SetBorderColour(Rgb(1, 2, 3));
    bag.Clear();
    frame.OnSave(bag);
    EXPECT_EQ(bag.Names(), (std::vector<std::string>{"ShadowDepth", "BorderColour"}));
    EXPECT_EQ(std::get<std::int16_t>(*bag.Find("ShadowDepth")), 7);

    FakeFrameHost other;
    GfxFrameModel loaded{other};
    loaded.OnLoad(bag);
    EXPECT_EQ(loaded.Properties().shadowDepth, 7);
    EXPECT_EQ(loaded.Properties().borderColour, Rgb(1, 2, 3));
    EXPECT_EQ(loaded.Properties().fillColour, other.ambient);
    EXPECT_EQ(other.draws, 1);
    EXPECT_TRUE(other.changed.empty());
}

TEST_F(FrameFixture, EveryPropertyRoundTripsUnderItsKeyAndType) {
    frame.SetFrameStyle(0);
    frame.SetShadowOpacity(30);
    frame.SetShowShadow(false);
    frame.SetShadowDepth(9);
    frame.SetFillColour(Rgb(1, 1, 1));
    frame.SetBackColour(Rgb(2, 2, 2));
    frame.SetBackColourIs(1);
    frame.SetBorderColour(Rgb(3, 3, 3));
    frame.SetCornerDepth(12);
    PropertyBag bag;
    frame.OnSave(bag);
    EXPECT_EQ(bag.Names(), (std::vector<std::string>{"FrameStyle", "ShadowOpacity", "ShowShadow",
                                                     "ShadowDepth", "FillColour", "BackColour",
                                                     "BackColourIs", "BorderColour", "CornerDepth"}));
    EXPECT_TRUE(std::holds_alternative<std::int32_t>(*bag.Find("FrameStyle")));
    EXPECT_TRUE(std::holds_alternative<std::int16_t>(*bag.Find("ShadowOpacity")));
    EXPECT_TRUE(std::holds_alternative<bool>(*bag.Find("ShowShadow")));
    EXPECT_TRUE(std::holds_alternative<std::int32_t>(*bag.Find("FillColour")));
    EXPECT_TRUE(std::holds_alternative<std::int16_t>(*bag.Find("CornerDepth")));
    // Each setter reported its own property and repainted.
    EXPECT_EQ(host.changed, bag.Names());
    EXPECT_EQ(host.draws, 9);
    EXPECT_EQ(host.shown, 9) << "a repaint the host is never told of stays off the screen";
    FakeFrameHost other;
    GfxFrameModel loaded{other};
    loaded.OnLoad(bag);
    PropertyBag again;
    loaded.OnSave(again);
    EXPECT_EQ(again, bag);
}

TEST_F(FrameFixture, LoadTakesStoredValuesWithoutClamping) {
    PropertyBag bag;
    bag.Put("ShadowOpacity", std::int16_t{150}).Put("CornerDepth", std::int16_t{-4});
    bag.Put("ShadowDepth", std::int16_t{0});
    frame.OnLoad(bag);  // a depth of 0 must not divide by zero
    EXPECT_EQ(frame.Properties().shadowOpacity, 150);
    EXPECT_EQ(frame.Properties().cornerDepth, -4);
    EXPECT_EQ(frame.Properties().shadowDepth, 0);
}

TEST_F(FrameFixture, RectangleWithShadowDrawsRingsThenNarrowerPanel) {
    const std::vector<std::string> expected = {
        "back ECECEC",    "clear",          "fill none",      "pen 646464",     "rect 10,10-95,55",
        "pen 7F7F7F",     "rect 9,9-96,56", "pen 9A9A9A",     "rect 8,8-97,57", "pen B5B5B5",
        "rect 7,7-98,58", "pen D0D0D0",     "rect 6,6-99,59", "pen EBEBEB",     "rect 5,5-100,60",
        "fill ECECEC",    "pen 000000",     "rect 0,0-95,55"};
    EXPECT_EQ(Ops(), expected);
    // The visible shadow starts with ring 1, right of the panel; ring 0 lies under it.
    EXPECT_EQ(host.canvas.pixels.Get(95, 30), Rgb(127, 127, 127));
    EXPECT_EQ(host.canvas.pixels.Get(99, 30), Rgb(235, 235, 235));
    EXPECT_EQ(host.canvas.pixels.Get(94, 30), Rgb(0, 0, 0));
}

TEST_F(FrameFixture, WithoutShadowThePanelFillsTheControl) {
    frame.SetShowShadow(false);
    const std::vector<std::string> expected = {"back ECECEC", "clear", "fill ECECEC", "pen 000000",
                                               "rect 0,0-100,60"};
    EXPECT_EQ(Ops(), expected);
    frame.SetFrameStyle(0);
    const std::vector<std::string> rounded = {"back ECECEC", "clear", "fill ECECEC", "pen 000000",
                                              "round 0,0-100,60 10x10"};
    EXPECT_EQ(Ops(), rounded);
}

TEST_F(FrameFixture, OtherStylesDrawOnlyTheBackground) {
    frame.SetFrameStyle(2);
    EXPECT_EQ(Ops(), (std::vector<std::string>{"back ECECEC", "clear"}));
    frame.SetFrameStyle(-1);
    EXPECT_EQ(Ops(), (std::vector<std::string>{"back ECECEC", "clear"}));
}

TEST_F(FrameFixture, BackgroundFollowsBackColourIsAndTheAmbientColour) {
    frame.SetBackColour(Rgb(10, 20, 30));
    EXPECT_EQ(Ops().front(), "back ECECEC");
    frame.SetBackColourIs(3);
    EXPECT_EQ(Ops().front(), "back 1E140A");
    frame.SetBackColourIs(0);
    host.ambient = Rgb(1, 1, 1);
    host.canvas.ops.clear();
    frame.OnAmbientChanged("BackColor");
    EXPECT_EQ(host.canvas.ops.front(), "back 010101");
}

TEST_F(FrameFixture, CornerSmoothingOnlyForRoundedFrameWithShadow) {
    auto smoothed = [&] {
        host.canvas.setPixels.clear();
        frame.Refresh();
        return !host.canvas.setPixels.empty();
    };
    frame.SetFrameStyle(1);
    EXPECT_FALSE(smoothed());
    frame.SetFrameStyle(0);
    // The recording canvas leaves rounded shapes unpainted, so the corner regions still show
    // the background and every one of their pixels is softened.
    EXPECT_TRUE(smoothed());
    frame.SetShowShadow(false);
    EXPECT_FALSE(smoothed());
}

TEST(SmoothShadowCorners, VisitsRegionsColumnByColumnAndSeesEarlierResults) {
    RecordingFrameCanvas canvas(40, 40);
    const Colour bg = Rgb(200, 200, 200);
    canvas.SetBackColour(bg);
    canvas.Clear();
    // Ws = Hs = 40, SD = 2, CD = 3: lower right x,y in 34..37; upper right x 34..37, y 2..8;
    // lower left x 2..8, y 34..37.
    canvas.pixels.Set(35, 33, Rgb(0, 0, 0));  // above the first column's second pixel
    canvas.pixels.Set(36, 36, Rgb(0, 0, 4));  // not background: left alone
    SmoothShadowCorners(canvas, 40, 40, 2, 3, bg);

    ASSERT_FALSE(canvas.setPixels.empty());
    EXPECT_EQ(canvas.setPixels.front(), (std::pair<int, int>{34, 34}));
    EXPECT_EQ(canvas.setPixels[1], (std::pair<int, int>{34, 35}));
    // (35,34): up is black, the others background: 600/4 = 150.
    EXPECT_EQ(canvas.pixels.Get(35, 34), Rgb(150, 150, 150));
    // (35,35) sees the softened (35,34) above it: (150 + 200 + 200 + 200) / 4 = 187.5 -> 188.
    EXPECT_EQ(canvas.pixels.Get(35, 35), Rgb(188, 188, 188));
    EXPECT_EQ(canvas.pixels.Get(36, 36), Rgb(0, 0, 4));
    EXPECT_EQ(canvas.pixels.Get(33, 34), bg);  // outside every region
    const size_t perRegion[] = {16, 28, 28};
    EXPECT_EQ(canvas.setPixels.size(), perRegion[0] + perRegion[1] + perRegion[2] - 1);
}

TEST(SmoothShadowCorners, NeighbourPixelRoundsHalfToEvenAndTreatsOutsideAsBackground) {
    RecordingFrameCanvas canvas(3, 3);
    canvas.pixels.FillAll(Rgb(0, 0, 0));
    canvas.pixels.Set(1, 0, Rgb(2, 1, 3));  // up
    // (2 + 0 + 0 + 0) / 4 = 0.5 -> 0; (1) / 4 -> 0; 3 / 4 -> 1
    EXPECT_EQ(NeighbourPixel(canvas, 1, 1, 0), Rgb(0, 0, 1));
    canvas.pixels.Set(2, 1, Rgb(4, 0, 0));  // right: (2 + 4) / 4 = 1.5 -> 2
    EXPECT_EQ(SplitColour(NeighbourPixel(canvas, 1, 1, 0)).red, 2);
    canvas.pixels.Set(1, 2, Rgb(0, 8, 0));  // down: (1 + 8) / 4 = 2.25 -> 2
    EXPECT_EQ(SplitColour(NeighbourPixel(canvas, 1, 1, 0)).green, 2);
    // At the corner two neighbours are outside and count as `outside`.
    EXPECT_EQ(NeighbourPixel(canvas, 0, 0, Rgb(40, 40, 40)), Rgb(20, 20, 21));
}

TEST(SmoothShadowCorners, StoredCornerDepthFarBeyondTheControlStaysCheap) {
    RecordingFrameCanvas canvas(30, 30);
    canvas.SetBackColour(0);
    canvas.Clear();
    SmoothShadowCorners(canvas, 30, 30, 30000, 32000, Rgb(9, 9, 9));
    EXPECT_LT(canvas.pixelReads, 30 * 30 * 3 + 1);
}

// A background where the shadow's step truncates differently, and sums that round exactly half.
TEST_F(FrameFixture, ShadowOverMidGreyAndTheBackColourIsSetterReports) {
    host.ambient = Rgb(200, 200, 200);
    frame.OnNewInstance();
    const auto ops = Ops();
    // 50 % over 200: 200 / 100 = 2 per percent, so 200 - 2 * 50 = 100.
    ASSERT_GE(ops.size(), 4u);
    EXPECT_EQ(ops[3], "pen 646464");
    host.changed.clear();
    host.draws = 0;
    frame.SetBackColourIs(1);
    EXPECT_EQ(host.changed, std::vector<std::string>{"BackColourIs"});
    EXPECT_EQ(host.draws, 1);
    frame.SetShowShadow(false);
    EXPECT_EQ(host.changed.back(), "ShowShadow");
    EXPECT_EQ(host.draws, 2);
}

TEST(SmoothShadowCorners, ADeepShadowOnAShortControlReachesItsLastRowAndColumn) {
    RecordingFrameCanvas canvas(20, 20);
    canvas.SetBackColour(0);
    canvas.Clear();
    // SD = 5, CD = 3: the upper right region runs x 14..17, y 5..20, the lower left x 5..20,
    // y 14..17; both are cut at the image's last row or column, 19, and keep it.
    SmoothShadowCorners(canvas, 20, 20, 5, 3, 0);
    auto set = [&](int x, int y) {
        for (const auto& p : canvas.setPixels)
            if (p == std::pair<int, int>{x, y}) return true;
        return false;
    };
    EXPECT_TRUE(set(15, 19));
    EXPECT_TRUE(set(19, 15));
    EXPECT_FALSE(set(13, 19));

    // CD = 15 starts the lower right region above and left of the image: it is cut to the
    // first row and column, which it keeps.
    canvas.Clear();
    canvas.setPixels.clear();
    SmoothShadowCorners(canvas, 20, 20, 2, 15, 0);
    EXPECT_TRUE(set(5, 0));
    EXPECT_TRUE(set(0, 5));
}

TEST(ColourMath, TwipsToPixelsTakesScalesBelowOneTwipPerPixel) {
    EXPECT_EQ(TwipsToPixels(10, 0.5), 20);
    EXPECT_EQ(TwipsToPixels(10, 1), 10);
    EXPECT_EQ(TwipsToPixels(std::nan(""), 1), 0);
}

TEST(SmoothShadowCorners, NeighbourSumOfTwoRoundsDownToZeroInEveryChannel) {
    RecordingFrameCanvas canvas(3, 3);
    canvas.pixels.FillAll(Rgb(0, 0, 0));
    canvas.pixels.Set(1, 0, Rgb(2, 2, 2));
    EXPECT_EQ(NeighbourPixel(canvas, 1, 1, 0), Rgb(0, 0, 0));  // 2 / 4 = 0.5 -> 0
    canvas.pixels.Set(0, 1, Rgb(4, 4, 4));
    EXPECT_EQ(NeighbourPixel(canvas, 1, 1, 0), Rgb(2, 2, 2));  // 6 / 4 = 1.5 -> 2
}

}  // namespace
}  // namespace qv::controls
