#include "saver/controls/button_drawing.h"

#include <cmath>

namespace qv::controls {

void DrawLine(ButtonCanvas& canvas, int x1, int y1, int x2, int y2, Colour colour) {
    canvas.Line(x1, y1, x2, y2, colour);
}

void FillArea(ButtonCanvas& canvas, const PixelRect& rect, Colour colour) { canvas.Fill(rect, colour); }

void DrawGradient(ButtonCanvas& canvas, const PixelRect& rect, Colour a, Colour b) {
    const int n = rect.bottom - rect.top;
    if (n <= 0) return;
    const ColourParts top = SplitColour(a);
    const ColourParts bottom = SplitColour(b);
    const float fn = static_cast<float>(n);
    const float stepR = static_cast<float>(top.red - bottom.red) / fn;
    const float stepG = static_cast<float>(top.green - bottom.green) / fn;
    const float stepB = static_cast<float>(top.blue - bottom.blue) / fn;
    auto channel = [](int base, float step, int i) {
        const float v = static_cast<float>(base) + step * static_cast<float>(i);
        return static_cast<int>(RoundHalfEven(v));
    };
    for (int i = 0; i <= n; ++i) {
        const Colour c = Rgb(channel(bottom.red, stepR, i), channel(bottom.green, stepG, i),
                             channel(bottom.blue, stepB, i));
        DrawLine(canvas, rect.left, rect.bottom - i, rect.right, rect.bottom - i, c);
    }
}

void PaintButton(ButtonCanvas& canvas, const ButtonLook& look, const ButtonPalette& palette) {
    const int s = (look.state >= 0 && look.state < kButtonStateCount) ? look.state : StateNormal;
    const int w = look.width;
    const int h = look.height;
    canvas.Clear();

    const Colour border = palette.outerBorder[s];
    DrawLine(canvas, 3, 0, w - 3, 0, border);
    DrawLine(canvas, 0, 3, 0, h - 3, border);
    DrawLine(canvas, 3, h - 1, w - 3, h - 1, border);
    DrawLine(canvas, w - 1, 3, w - 1, h - 3, border);

    if (s == StateDisabled || s == StatePressed) {
        FillArea(canvas, {1, 1, w - 1, h - 1}, s == StateDisabled ? kDisabledFace : kPressedFace);
    } else {
        DrawGradient(canvas, {1, 3, w - 1, h - 2}, palette.ringTop[s], palette.ringBottom[s]);
        DrawGradient(canvas, {3, 3, w - 3, h - 3}, kFaceTop, kFaceBottom);
        DrawLine(canvas, 1, 1, w, 1, palette.topLine1[s]);
        DrawLine(canvas, 1, 2, w, 2, palette.topLine2[s]);
        DrawLine(canvas, 1, h - 3, w, h - 3, palette.bottomLine2[s]);
        DrawLine(canvas, 2, h - 2, w - 1, h - 2, palette.bottomLine1[s]);
    }

    const Colour edge = palette.cornerEdge[s];
    const Colour outer = palette.cornerOuter[s];
    const Colour inner = palette.cornerInner[s];
    const struct {
        int x, y;
        Colour c;
    } corners[20] = {
        {0, 1, edge},          {0, 2, outer},        {1, 0, edge},          {1, 1, inner},
        {2, 0, outer},         {w - 1, 1, edge},     {w - 1, 2, outer},     {w - 2, 0, edge},
        {w - 2, 1, inner},     {w - 3, 0, outer},    {0, h - 2, edge},      {0, h - 3, outer},
        {1, h - 1, edge},      {1, h - 2, inner},    {2, h - 1, outer},     {w - 1, h - 2, edge},
        {w - 1, h - 3, outer}, {w - 2, h - 1, edge}, {w - 2, h - 2, inner}, {w - 3, h - 1, outer},
    };
    for (const auto& p : corners) canvas.SetPixel(p.x, p.y, p.c);

    canvas.SetRoundRegion(w + 1, h + 1, 3, 3);

    const PixelRect inside{3, 3, w - 3, h - 3};
    canvas.Caption(look.caption, inside, look.enabled ? look.textColour : kDisabledText);
    if (look.focusRect && s > StateNormal) canvas.FocusRectangle(inside);
}

}  // namespace qv::controls
