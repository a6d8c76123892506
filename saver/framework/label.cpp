#include "saver/framework/label.h"

#include "saver/framework/ansi_text.h"
#include "saver/framework/form.h"
#include "saver/framework/persistent_image.h"

namespace qv {

Label::Label(Form& form, const ControlDesign& d)
    : Control(form, d),
      caption_(d.caption),
      alignment_(d.alignment),
      backStyle_(d.backStyle),
      backColor_(d.backColor.value_or(form.BackColor())),
      foreColor_(d.foreColor),
      font_(d.font.value_or(form.Font())) {}

void Label::SetCaption(const std::string& c) {
    caption_ = c;
    Refresh();
}
void Label::SetBackColor(Colour c) {
    backColor_ = c;
    Refresh();
}
void Label::SetForeColor(Colour c) {
    foreColor_ = c;
    Refresh();
}
void Label::SetFont(const FontDesc& f) {
    font_ = f;
    Refresh();
}

void Label::PaintOn(HDC dc, const RECT& r) {
    if (backStyle_ == BackStyle::Opaque) {
        HBRUSH b = CreateSolidBrush(ToColorRef(backColor_));
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    if (caption_.empty()) return;
    HFONT font = CreateFontFor(font_);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ToColorRef(foreColor_) : GetSysColor(COLOR_GRAYTEXT));
    UINT flags = (design_.wordWrap ? DT_WORDBREAK : DT_SINGLELINE) | (design_.useMnemonic ? 0 : DT_NOPREFIX);
    if (alignment_ == Alignment::Center)
        flags |= DT_CENTER;
    else if (alignment_ == Alignment::Right)
        flags |= DT_RIGHT;
    RECT tr = r;
    std::wstring text = Widen(caption_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr, flags);
    SelectObject(dc, old);
    DeleteObject(font);
}

}  // namespace qv
