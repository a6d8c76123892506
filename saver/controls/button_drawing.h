#pragma once
// The push button's picture for one visual state, drawn from primitives.
#include <string>

#include "saver/controls/button_canvas.h"
#include "saver/controls/button_palette.h"

namespace qv::controls {

void DrawLine(ButtonCanvas& canvas, int x1, int y1, int x2, int y2, Colour colour);
void FillArea(ButtonCanvas& canvas, const PixelRect& rect, Colour colour);
// Rows from rect.bottom (colour b) up to rect.top (colour a), both inclusive; a rectangle of
// no height draws nothing.
void DrawGradient(ButtonCanvas& canvas, const PixelRect& rect, Colour a, Colour b);

struct ButtonLook {
    int state = StateNormal;
    int width = 0;  // inner size in pixels
    int height = 0;
    std::string caption;
    bool enabled = true;
    Colour textColour = 0;
    bool focusRect = false;  // has the focus and shows the focus rectangle
};

void PaintButton(ButtonCanvas& canvas, const ButtonLook& look,
                 const ButtonPalette& palette = StandardButtonPalette());

}  // namespace qv::controls
