#pragma once
// Drawing targets for the native tests: they record every call and keep a pixel map, so a
// test can check both the recipe and what ends up on the image.
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "saver/controls/button_canvas.h"
#include "saver/controls/frame_canvas.h"

namespace qv::controls::testing {

inline std::string Hex(Colour c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(c));
    return buf;
}

class PixelMap {
  public:
    PixelMap(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w * h), 0) {}
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    std::optional<Colour> Get(int x, int y) const {
        if (!Inside(x, y)) return std::nullopt;
        return px_[static_cast<size_t>(y * w_ + x)];
    }
    void Set(int x, int y, Colour c) {
        if (Inside(x, y)) px_[static_cast<size_t>(y * w_ + x)] = c;
    }
    void FillAll(Colour c) { px_.assign(px_.size(), c); }
    int Width() const { return w_; }
    int Height() const { return h_; }

  private:
    int w_, h_;
    std::vector<Colour> px_;
};

class RecordingFrameCanvas : public FrameCanvas {
  public:
    RecordingFrameCanvas(int w, int h) : pixels(w, h) {}

    void SetBackColour(Colour c) override {
        back = c;
        ops.push_back("back " + Hex(c));
    }
    void Clear() override {
        pixels.FillAll(back);
        ops.push_back("clear");
    }
    void SetPen(Colour c) override {
        pen = c;
        ops.push_back("pen " + Hex(c));
    }
    void SetFillSolid(Colour c) override {
        fill = c;
        ops.push_back("fill " + Hex(c));
    }
    void SetFillTransparent() override {
        fill.reset();
        ops.push_back("fill none");
    }
    // Plain rectangles are rasterised the platform's way: outline on left..right-1, top..bottom-1.
    void Rectangle(int l, int t, int r, int b) override {
        ops.push_back("rect " + Coords(l, t, r, b));
        if (fill) {
            for (int y = t + 1; y < b - 1; ++y)
                for (int x = l + 1; x < r - 1; ++x) pixels.Set(x, y, *fill);
        }
        for (int x = l; x < r; ++x) {
            pixels.Set(x, t, pen);
            pixels.Set(x, b - 1, pen);
        }
        for (int y = t; y < b; ++y) {
            pixels.Set(l, y, pen);
            pixels.Set(r - 1, y, pen);
        }
    }
    void RoundRectangle(int l, int t, int r, int b, int ew, int eh) override {
        ops.push_back("round " + Coords(l, t, r, b) + " " + std::to_string(ew) + "x" + std::to_string(eh));
    }
    std::optional<Colour> GetPixel(int x, int y) override {
        ++pixelReads;
        return pixels.Get(x, y);
    }
    void SetPixel(int x, int y, Colour c) override {
        pixels.Set(x, y, c);
        setPixels.push_back({x, y});
    }

    static std::string Coords(int l, int t, int r, int b) {
        return std::to_string(l) + "," + std::to_string(t) + "-" + std::to_string(r) + "," +
               std::to_string(b);
    }

    PixelMap pixels;
    Colour back = 0;
    Colour pen = 0;
    std::optional<Colour> fill;
    std::vector<std::string> ops;
    std::vector<std::pair<int, int>> setPixels;
    long pixelReads = 0;
};

class RecordingButtonCanvas : public ButtonCanvas {
  public:
    RecordingButtonCanvas(int w, int h) : pixels(w, h) {}

    void Clear() override {
        pixels.FillAll(0xFFFFFF);
        ops.push_back("clear");
    }
    // Horizontal and vertical lines are rasterised (end point excluded); others only recorded.
    void Line(int x1, int y1, int x2, int y2, Colour c) override {
        ops.push_back("line " + RecordingFrameCanvas::Coords(x1, y1, x2, y2) + " " + Hex(c));
        if (y1 == y2) {
            for (int x = x1; x < x2; ++x) pixels.Set(x, y1, c);
        } else if (x1 == x2) {
            for (int y = y1; y < y2; ++y) pixels.Set(x1, y, c);
        }
    }
    void Fill(const PixelRect& r, Colour c) override {
        ops.push_back("fillrect " + RecordingFrameCanvas::Coords(r.left, r.top, r.right, r.bottom) + " " +
                      Hex(c));
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) pixels.Set(x, y, c);
    }
    void SetPixel(int x, int y, Colour c) override { pixels.Set(x, y, c); }
    void SetRoundRegion(int r, int b, int ew, int eh) override {
        ops.push_back("region " + RecordingFrameCanvas::Coords(0, 0, r, b) + " " + std::to_string(ew) + "x" +
                      std::to_string(eh));
    }
    void Caption(const std::string& text, const PixelRect& r, Colour c) override {
        ops.push_back("caption '" + text + "' " +
                      RecordingFrameCanvas::Coords(r.left, r.top, r.right, r.bottom) + " " + Hex(c));
    }
    void FocusRectangle(const PixelRect& r) override {
        ops.push_back("focus " + RecordingFrameCanvas::Coords(r.left, r.top, r.right, r.bottom));
    }

    bool Has(const std::string& prefix) const {
        for (const auto& o : ops)
            if (o.rfind(prefix, 0) == 0) return true;
        return false;
    }

    PixelMap pixels;
    std::vector<std::string> ops;
};

}  // namespace qv::controls::testing
