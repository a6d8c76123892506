#include "saver/screen_size.h"

#include "saver/settings_file/number_reading.h"

namespace qv {

std::optional<std::int16_t> ScreenPixels(double twips, double twipsPerPixel) {
    auto t = RoundToInt32(twips);
    auto p = RoundToInt32(twipsPerPixel);
    if (!t || !p || *p == 0) return std::nullopt;
    std::int64_t pixels = static_cast<std::int64_t>(*t) / *p;
    if (pixels < -32768 || pixels > 32767) return std::nullopt;
    return static_cast<std::int16_t>(pixels);
}

std::optional<std::int16_t> PixelTwips(std::int64_t pixels, int twipsPerPixel) {
    if (pixels < -32768 || pixels > 32767) return std::nullopt;  // keeps the product in range
    std::int64_t twips = pixels * twipsPerPixel;
    if (twips < -32768 || twips > 32767) return std::nullopt;
    return static_cast<std::int16_t>(twips);
}

}  // namespace qv
