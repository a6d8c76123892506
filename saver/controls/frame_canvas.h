#pragma once
// What the frame panel draws on: its persistent image. Rectangles follow the platform's rule
// (the outline covers left..right-1, top..bottom-1).
#include <optional>

#include "saver/controls/colour_math.h"

namespace qv::controls {

class FrameCanvas {
  public:
    virtual ~FrameCanvas() = default;
    virtual void SetBackColour(Colour colour) = 0;
    virtual void Clear() = 0;                // the whole image in the background colour
    virtual void SetPen(Colour colour) = 0;  // solid, one pixel wide
    virtual void SetFillSolid(Colour colour) = 0;
    virtual void SetFillTransparent() = 0;
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void RoundRectangle(int left, int top, int right, int bottom, int ellipseW, int ellipseH) = 0;
    // Empty outside the image.
    virtual std::optional<Colour> GetPixel(int x, int y) = 0;
    virtual void SetPixel(int x, int y, Colour colour) = 0;
};

}  // namespace qv::controls
