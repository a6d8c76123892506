#pragma once
// The photograph of the desktop handed to the renderer, and the files it goes into.
#include <windows.h>

namespace qv {

inline constexpr int kGlowSize = 256;  // pixels, both ways

// Copies the screen from (left, top), by default the primary's top-left corner, into
// `target` at (0, 0). Screen coordinates: a monitor left of or above the primary is negative.
void CopyScreenInto(HDC target, int width, int height, int left = 0, int top = 0);

}  // namespace qv
