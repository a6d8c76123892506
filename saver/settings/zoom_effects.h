#pragma once
// The zoom effect between the mouse position and the settings dialog: the window seems to
// grow out of the pointer when it opens and shrink back into it when it closes.
#include <windows.h>

#include <cstdint>

namespace qv {

struct ZoomPosition {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// Screen position in pixels of the pointer when the dialog loaded; start and end of the
// effect.
extern ZoomPosition ZoomPoint;

// From the empty rectangle at ZoomPoint to the window's rectangle. Results are ignored.
void ZoomOpen(HWND window);
// From the window's rectangle back to the empty rectangle at ZoomPoint.
void ZoomClose(HWND window);

// Sets ZoomPoint from the pointer position (LastApiResult gets GetCursorPos's result);
// (0, 0) when the position cannot be read. Coordinates beyond the 16-bit range are held at
// its ends, so a far monitor still zooms from the nearest point.
void ZoomPointFromCursor();

}  // namespace qv
