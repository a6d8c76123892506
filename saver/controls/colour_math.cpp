#include "saver/controls/colour_math.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::controls {

namespace {

std::int16_t SaturateInt16(double value) {
    if (std::isnan(value)) return 0;
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(value, lo, hi));
}

}  // namespace

ColourParts SplitColour(Colour colour) { return {RedOf(colour), GreenOf(colour), BlueOf(colour)}; }

Colour BlendColour(Colour c1, Colour c2, std::int16_t p, std::int16_t q) {
    if (p == 0) return c1;
    const ColourParts a = SplitColour(c1);
    const ColourParts b = SplitColour(c2);
    auto channel = [p, q](int x, int y) {
        const long long step = (x - y) / p;  // C++ division truncates toward zero
        return static_cast<int>(std::clamp<long long>(x - step * q, 0, 255));
    };
    return Rgb(channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue));
}

double RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::int16_t TwipsToPixels(double twips, double twipsPerPixel) {
    if (!(twipsPerPixel > 0.0)) return 0;
    const std::int16_t whole = SaturateInt16(RoundHalfEven(twips));
    return SaturateInt16(RoundHalfEven(whole / twipsPerPixel));
}

}  // namespace qv::controls
