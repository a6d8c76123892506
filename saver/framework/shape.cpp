#include "saver/framework/shape.h"

#include <algorithm>

#include "saver/framework/form.h"
#include "saver/framework/persistent_image.h"

namespace qv {

Shape::Shape(Form& form, const ControlDesign& d)
    : Control(form, d),
      shape_(d.shape),
      fillStyle_(d.fillStyle),
      fillColor_(d.fillColor),
      borderColor_(d.borderColor),
      borderWidth_(d.borderWidth),
      backStyle_(d.backStyle == BackStyle::Opaque && d.backColor ? BackStyle::Opaque
                                                                 : BackStyle::Transparent),
      backColor_(d.backColor.value_or(form.BackColor())) {}

void Shape::SetBackColor(Colour c) {
    backColor_ = c;
    Refresh();
}

void Shape::PaintOn(HDC dc, const RECT& area) {
    RECT r = area;
    const int w = r.right - r.left, h = r.bottom - r.top;
    const bool square =
        shape_ == ShapeKind::Square || shape_ == ShapeKind::Circle || shape_ == ShapeKind::RoundedSquare;
    if (square) {
        const int s = std::min(w, h);
        r.left += (w - s) / 2;
        r.top += (h - s) / 2;
        r.right = r.left + s;
        r.bottom = r.top + s;
    }
    HBRUSH brush = nullptr;
    if (fillStyle_ == qv::FillStyle::Solid)
        brush = CreateSolidBrush(ToColorRef(fillColor_));
    else if (backStyle_ == qv::BackStyle::Opaque)
        brush = CreateSolidBrush(ToColorRef(backColor_));
    HPEN pen = borderWidth_ > 0 ? CreatePen(PS_INSIDEFRAME, borderWidth_, ToColorRef(borderColor_))
                                : static_cast<HPEN>(GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, brush ? static_cast<HGDIOBJ>(brush) : GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    // A null pen leaves the right and bottom edge undrawn; widen by one to cover them.
    const int extra = borderWidth_ > 0 ? 0 : 1;
    switch (shape_) {
        case ShapeKind::Rectangle:
        case ShapeKind::Square:
            Rectangle(dc, r.left, r.top, r.right + extra, r.bottom + extra);
            break;
        case ShapeKind::Oval:
        case ShapeKind::Circle:
            Ellipse(dc, r.left, r.top, r.right + extra, r.bottom + extra);
            break;
        case ShapeKind::RoundedRectangle:
        case ShapeKind::RoundedSquare: {
            const int c = std::max<int>(2, std::min<int>(r.right - r.left, r.bottom - r.top) / 4);
            RoundRect(dc, r.left, r.top, r.right + extra, r.bottom + extra, c, c);
            break;
        }
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    if (borderWidth_ > 0) DeleteObject(pen);
    if (brush) DeleteObject(brush);
}

}  // namespace qv
