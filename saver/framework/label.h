#pragma once
// A text label, drawn by its container: caption, alignment, transparent or opaque back, font.
// An "&" in the caption is shown as typed unless the design asks for access-key marks.
#include "saver/framework/control.h"

namespace qv {

class Label : public Control {
  public:
    Label(Form& form, const ControlDesign& design);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    Alignment GetAlignment() const { return alignment_; }
    BackStyle GetBackStyle() const { return backStyle_; }
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour c);
    Colour ForeColor() const { return foreColor_; }
    void SetForeColor(Colour c);
    const FontDesc& Font() const { return font_; }
    void SetFont(const FontDesc& f);

    void Create(HWND) override {}
    void PaintOn(HDC dc, const RECT& r) override;

  private:
    std::string caption_;
    Alignment alignment_;
    BackStyle backStyle_;
    Colour backColor_;
    Colour foreColor_;
    FontDesc font_;
};

}  // namespace qv
