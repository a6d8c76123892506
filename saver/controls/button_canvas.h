#pragma once
// What the push button draws on: its persistent image and its window's shape.
#include <string>

#include "saver/controls/colour_math.h"

namespace qv::controls {

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class ButtonCanvas {
  public:
    virtual ~ButtonCanvas() = default;
    virtual void Clear() = 0;
    // Solid one-pixel line; the end point itself is not painted.
    virtual void Line(int x1, int y1, int x2, int y2, Colour colour) = 0;
    virtual void Fill(const PixelRect& rect, Colour colour) = 0;
    virtual void SetPixel(int x, int y, Colour colour) = 0;
    // Makes the rounded rectangle (0,0)-(right,bottom) with the given corner ellipse the window's shape.
    virtual void SetRoundRegion(int right, int bottom, int ellipseW, int ellipseH) = 0;
    // One line, centred both ways, transparent background; "&x" underlines x, "&&" shows "&".
    virtual void Caption(const std::string& utf8, const PixelRect& rect, Colour colour) = 0;
    virtual void FocusRectangle(const PixelRect& rect) = 0;
};

}  // namespace qv::controls
