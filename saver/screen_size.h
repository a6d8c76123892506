#pragma once
// The screen size recorded for the renderer: twips and twips per pixel each rounded to
// 32 bits, then divided with truncation; the result must fit 16 bits. Window-free.
#include <cstdint>
#include <optional>

namespace qv {

// Pixels from a size in twips; empty when either value does not fit 32 bits, the divisor
// is 0, or the result does not fit 16 bits (the caller then keeps 0).
std::optional<std::int16_t> ScreenPixels(double twips, double twipsPerPixel);

// Twips from pixels, for a form size held in 16 bits; empty when it does not fit.
std::optional<std::int16_t> PixelTwips(std::int64_t pixels, int twipsPerPixel);

}  // namespace qv
