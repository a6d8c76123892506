#include "saver/framework/twips.h"

#include <climits>
#include <cstdlib>

namespace qv {
namespace {

int Clamp(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace

int TwipsToPixels(int twips, int twipsPerPixel) {
    const long long t = twipsPerPixel < 1 ? 1 : twipsPerPixel;
    const long long v = twips;
    const long long q = (std::llabs(v) * 2 + t) / (2 * t);
    return Clamp(v < 0 ? -q : q);
}

int PixelsToTwips(int pixels, int twipsPerPixel) {
    const long long t = twipsPerPixel < 1 ? 1 : twipsPerPixel;
    return Clamp(static_cast<long long>(pixels) * t);
}

int ScaleToPixels(int value, ScaleMode mode, int twipsPerPixel) {
    return mode == ScaleMode::Pixels ? value : TwipsToPixels(value, twipsPerPixel);
}

int PixelsToScale(int pixels, ScaleMode mode, int twipsPerPixel) {
    return mode == ScaleMode::Pixels ? pixels : PixelsToTwips(pixels, twipsPerPixel);
}

int TwipsPerPixelFromDpi(int dpi) {
    if (dpi <= 0) return 15;  // no sensible answer from the device: the 96-dpi value
    const int t = 1440 / dpi;
    return t < 1 ? 1 : t;
}

}  // namespace qv
