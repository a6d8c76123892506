#pragma once
// Colours are 0x00BBGGRR, red in the low byte, as GDI's COLORREF. A value with the high bit
// set names a system colour (index in the low byte), resolved only when drawing.
#include <cstdint>

namespace qv {

using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Colour kSystemColourFlag = 0x80000000u;
constexpr bool IsSystemColour(Colour c) { return (c & kSystemColourFlag) != 0; }
constexpr Colour SystemColour(int index) { return kSystemColourFlag | static_cast<Colour>(index & 0xFF); }

// The usual window face colour (COLOR_BTNFACE) and window text colour.
constexpr Colour kButtonFace = SystemColour(15);
constexpr Colour kButtonText = SystemColour(18);
constexpr Colour kWindowText = SystemColour(8);

}  // namespace qv
