#pragma once
// Twips (1/1440 inch) and pixels. Window-free; the twips per pixel come from the platform.
namespace qv {

enum class ScaleMode { Twips = 1, Pixels = 3 };

// Nearest whole pixel (halves away from zero); twipsPerPixel below 1 counts as 1.
int TwipsToPixels(int twips, int twipsPerPixel);
int PixelsToTwips(int pixels, int twipsPerPixel);

// Between a scale mode and pixels.
int ScaleToPixels(int value, ScaleMode mode, int twipsPerPixel);
int PixelsToScale(int pixels, ScaleMode mode, int twipsPerPixel);

// 1440 / dots per inch, the platform's rule (15 at 96 dpi, 12 at 120 dpi).
int TwipsPerPixelFromDpi(int dpi);

}  // namespace qv
