#pragma once
// Colour and unit arithmetic shared by the two owner-drawn controls. Colours are 0x00BBGGRR.
#include <cstdint>

#include "saver/framework/colour.h"

namespace qv::controls {

struct ColourParts {
    int red = 0;
    int green = 0;
    int blue = 0;
};

ColourParts SplitColour(Colour colour);

// A colour between c1 and c2: per channel c1 - ((c1 - c2) / p) * q, the division truncating
// toward zero first, so differences smaller than p vanish. Channels are kept within 0..255
// (q outside 0..p would overshoot); p = 0 gives c1 unchanged.
Colour BlendColour(Colour c1, Colour c2, std::int16_t p, std::int16_t q);

// Rounds to the nearest integer, ties to even.
double RoundHalfEven(double value);

// Twips -> pixels: the twip value is first rounded to a 16-bit integer, then divided by the
// screen's twips per pixel and rounded (ties to even). Sizes beyond the 16-bit range are
// saturated rather than wrapped; a non-positive factor gives 0.
std::int16_t TwipsToPixels(double twips, double twipsPerPixel);

}  // namespace qv::controls
