#pragma once
// A shape, drawn by its container: rectangle, square, oval, circle or rounded forms, with a
// border colour and a solid or transparent fill.
#include "saver/framework/control.h"

namespace qv {

class Shape : public Control {
  public:
    Shape(Form& form, const ControlDesign& design);

    ShapeKind GetShape() const { return shape_; }
    qv::FillStyle FillStyle() const { return fillStyle_; }
    Colour FillColor() const { return fillColor_; }
    Colour BorderColor() const { return borderColor_; }
    int BorderWidth() const { return borderWidth_; }
    qv::BackStyle BackStyle() const { return backStyle_; }
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour c);

    void Create(HWND) override {}
    void PaintOn(HDC dc, const RECT& r) override;

  private:
    ShapeKind shape_;
    qv::FillStyle fillStyle_;
    Colour fillColor_;
    Colour borderColor_;
    int borderWidth_;
    qv::BackStyle backStyle_;
    Colour backColor_;
};

}  // namespace qv
