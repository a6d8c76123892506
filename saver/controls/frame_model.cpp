#include "saver/controls/frame_model.h"

#include <algorithm>
#include <cmath>

namespace qv::controls {

namespace {

constexpr char kFrameStyle[] = "FrameStyle";
constexpr char kShadowOpacity[] = "ShadowOpacity";
constexpr char kShowShadow[] = "ShowShadow";
constexpr char kShadowDepth[] = "ShadowDepth";
constexpr char kFillColour[] = "FillColour";
constexpr char kBackColour[] = "BackColour";
constexpr char kBackColourIs[] = "BackColourIs";
constexpr char kBorderColour[] = "BorderColour";
constexpr char kCornerDepth[] = "CornerDepth";

const FrameProperties kDefaults{};

std::int16_t Clamp16(int value, int lo, int hi) {
    return static_cast<std::int16_t>(std::clamp(value, lo, hi));
}

}  // namespace

void GfxFrameModel::Changed(const char* key) {
    host_.ReportChanged(key);
    DrawFrame();
}

void GfxFrameModel::SetFrameStyle(std::int32_t value) {
    props_.frameStyle = value;
    Changed(kFrameStyle);
}

void GfxFrameModel::SetShadowOpacity(int value) {
    props_.shadowOpacity = Clamp16(value, 0, 100);
    Changed(kShadowOpacity);
}

void GfxFrameModel::SetShowShadow(bool value) {
    props_.showShadow = value;
    Changed(kShowShadow);
}

void GfxFrameModel::SetShadowDepth(int value) {
    props_.shadowDepth = Clamp16(value, kMinShadowDepth, kMaxShadowDepth);
    Changed(kShadowDepth);
}

void GfxFrameModel::SetFillColour(Colour value) {
    props_.fillColour = value;
    Changed(kFillColour);
}

void GfxFrameModel::SetBackColour(Colour value) {
    props_.backColour = value;
    Changed(kBackColour);
}

void GfxFrameModel::SetBackColourIs(std::int32_t value) {
    props_.backColourIs = value;
    Changed(kBackColourIs);
}

void GfxFrameModel::SetBorderColour(Colour value) {
    props_.borderColour = value;
    Changed(kBorderColour);
}

void GfxFrameModel::SetCornerDepth(int value) {
    props_.cornerDepth = Clamp16(value, 0, 50);
    Changed(kCornerDepth);
}

void GfxFrameModel::OnNewInstance() {
    const Colour ambient = host_.AmbientBackColour();
    props_ = FrameProperties{};
    props_.fillColour = ambient;
    props_.backColour = ambient;
}

void GfxFrameModel::OnLoad(const PropertyBag& bag) {
    const Colour ambient = host_.AmbientBackColour();
    FrameProperties p;
    p.frameStyle = bag.ReadInt32(kFrameStyle, kDefaults.frameStyle);
    p.shadowOpacity = bag.ReadInt16(kShadowOpacity, kDefaults.shadowOpacity);
    p.showShadow = bag.ReadBool(kShowShadow, kDefaults.showShadow);
    p.shadowDepth = bag.ReadInt16(kShadowDepth, kDefaults.shadowDepth);
    p.fillColour = bag.ReadColour(kFillColour, ambient);
    p.backColour = bag.ReadColour(kBackColour, ambient);
    p.backColourIs = bag.ReadInt32(kBackColourIs, kDefaults.backColourIs);
    p.borderColour = bag.ReadColour(kBorderColour, kDefaults.borderColour);
    p.cornerDepth = bag.ReadInt16(kCornerDepth, kDefaults.cornerDepth);
    props_ = p;
    DrawFrame();
}

void GfxFrameModel::OnSave(PropertyBag& bag) const {
    const Colour ambient = host_.AmbientBackColour();
    bag.WriteInt32(kFrameStyle, props_.frameStyle, kDefaults.frameStyle);
    bag.WriteInt16(kShadowOpacity, props_.shadowOpacity, kDefaults.shadowOpacity);
    bag.WriteBool(kShowShadow, props_.showShadow, kDefaults.showShadow);
    bag.WriteInt16(kShadowDepth, props_.shadowDepth, kDefaults.shadowDepth);
    bag.WriteColour(kFillColour, props_.fillColour, ambient);
    bag.WriteColour(kBackColour, props_.backColour, ambient);
    bag.WriteInt32(kBackColourIs, props_.backColourIs, kDefaults.backColourIs);
    bag.WriteColour(kBorderColour, props_.borderColour, kDefaults.borderColour);
    bag.WriteInt16(kCornerDepth, props_.cornerDepth, kDefaults.cornerDepth);
}

void GfxFrameModel::DrawFrame() {
    FrameCanvas* canvas = host_.Canvas();
    if (canvas == nullptr) return;
    const Colour bg =
        host_.ResolveColour(props_.backColourIs != 0 ? props_.backColour : host_.AmbientBackColour());
    DrawFramePicture(*canvas, props_, FrameGeometryOf(host_.Size()), bg,
                     host_.ResolveColour(props_.fillColour), host_.ResolveColour(props_.borderColour));
    host_.DoneDrawing();
}

FrameGeometry FrameGeometryOf(const FrameSizeTwips& size) {
    const double f = size.twipsPerPixel;
    return {TwipsToPixels(size.width, f), TwipsToPixels(size.height, f), TwipsToPixels(size.scaleWidth, f),
            TwipsToPixels(size.scaleHeight, f)};
}

void DrawFramePicture(FrameCanvas& canvas, const FrameProperties& props, const FrameGeometry& g,
                      Colour background, Colour fill, Colour border) {
    canvas.SetBackColour(background);
    canvas.Clear();
    if (props.frameStyle != 0 && props.frameStyle != 1) return;

    const bool rounded = props.frameStyle == 0;
    const int w = g.width;
    const int h = g.height;
    const int sd = props.shadowDepth;
    const int cd = props.cornerDepth;
    auto shape = [&](int l, int t, int r, int b) {
        if (rounded) {
            canvas.RoundRectangle(l, t, r, b, cd, cd);
        } else {
            canvas.Rectangle(l, t, r, b);
        }
    };

    if (!props.showShadow) {
        canvas.SetFillSolid(fill);
        canvas.SetPen(border);
        shape(0, 0, w, h);
        return;
    }

    const Colour shadow =
        BlendColour(0, background, 100, static_cast<std::int16_t>(100 - props.shadowOpacity));
    canvas.SetFillTransparent();
    for (int i = 0; i <= sd; ++i) {
        canvas.SetPen(
            BlendColour(shadow, background, static_cast<std::int16_t>(sd), static_cast<std::int16_t>(i)));
        shape(2 * sd - i, 2 * sd - i, w - sd + i, h - sd + i);
    }
    if (rounded) SmoothShadowCorners(canvas, g.scaleWidth, g.scaleHeight, sd, cd, background);
    canvas.SetFillSolid(fill);
    canvas.SetPen(border);
    shape(0, 0, w - sd, h - sd);
}

Colour NeighbourPixel(FrameCanvas& canvas, int x, int y, Colour outside) {
    static constexpr int kSteps[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    int red = 0, green = 0, blue = 0;
    for (const auto& s : kSteps) {
        const ColourParts p = SplitColour(canvas.GetPixel(x + s[0], y + s[1]).value_or(outside));
        red += p.red;
        green += p.green;
        blue += p.blue;
    }
    auto avg = [](int sum) { return static_cast<int>(RoundHalfEven(sum / 4.0)); };
    return Rgb(avg(red), avg(green), avg(blue));
}

void SmoothShadowCorners(FrameCanvas& canvas, int scaleWidth, int scaleHeight, int shadowDepth,
                         int cornerDepth, Colour background) {
    const int ws = scaleWidth, hs = scaleHeight, sd = shadowDepth, cd = cornerDepth;
    struct Region {
        int x0, x1, y0, y1;
    };
    const Region regions[3] = {
        {ws - 2 * cd, ws - 3, hs - 2 * cd, hs - 3},  // lower right
        {ws - 2 * cd, ws - 3, sd, 4 * sd},           // upper right
        {sd, 4 * sd, hs - 2 * cd, hs - 3},           // lower left
    };
    for (const Region& r : regions) {
        // Pixels outside the image never match the background, so the scan keeps to the image;
        // a stored corner depth far beyond the control's size must not cost a long loop.
        const int x0 = std::max(r.x0, 0), x1 = std::min(r.x1, ws - 1);
        const int y0 = std::max(r.y0, 0), y1 = std::min(r.y1, hs - 1);
        for (int x = x0; x <= x1; ++x) {
            for (int y = y0; y <= y1; ++y) {
                const std::optional<Colour> here = canvas.GetPixel(x, y);
                if (!here || *here != background) continue;
                canvas.SetPixel(x, y, NeighbourPixel(canvas, x, y, background));
            }
        }
    }
}

}  // namespace qv::controls
