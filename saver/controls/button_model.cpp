#include "saver/controls/button_model.h"

#include "saver/controls/access_key.h"

namespace qv::controls {

FontDesc ButtonDefaultFont() {
    FontDesc f;
    f.name = "Verdana";
    f.size = 8.25;
    f.weight = 400;
    f.charset = 0;
    return f;
}

// ---- properties -------------------------------------------------------------------------

void ButtonModel::SetCaption(const std::string& value) {
    values_.caption = value;
    host_.SetAccessKey(AccessKeyOf(values_.caption));
    states_.Redraw();
    host_.ReportChanged("Caption");
}

void ButtonModel::SetEnabled(bool value) {
    values_.enabled = value;
    host_.SetWindowEnabled(value);
    states_.ShowEnabled(value);
    host_.ReportChanged("Enabled");
}

void ButtonModel::SetFont(const FontDesc& value) {
    font_ = value;
    OnFontChanged();
}

void ButtonModel::OnFontChanged() {
    host_.SetDrawingFont(font_);
    states_.Redraw();
    host_.ReportChanged("Font");
}

void ButtonModel::SetForeColor(Colour value) {
    values_.textColour = value;
    states_.Redraw();
    host_.ReportChanged("ForeColor");
}

void ButtonModel::SetFocusRect(bool value) {
    values_.showFocusRect = value;
    if (states_.HasFocus()) states_.Redraw();
    host_.ReportChanged("FocusRect");
}

// ---- lifecycle --------------------------------------------------------------------------

void ButtonModel::OnCreate(const FontDesc& currentFont) {
    states_.SetDrawLocked(true);
    font_ = currentFont;
}

void ButtonModel::OnNewInstance() {
    SetCaption(NewButtonCaption(host_.ButtonCaptionsOnForm(), host_.ControlName()));
    SetForeColor(0);
    SetEnabled(true);
    SetFocusRect(true);
}

void ButtonModel::OnLoad(const PropertyBag& bag) {
    host_.RecordParentWindow();
    SetCaption(bag.ReadString("Caption", kDefaultCaption));
    SetForeColor(bag.ReadColour("ForeColor", 0));
    SetFont(bag.ReadFont("Font", font_));
    SetFocusRect(bag.ReadBool("FocusRect", true));
    SetEnabled(bag.ReadBool("Enabled", true));
    if (host_.RunMode()) host_.StartHooks();
    states_.SetDrawLocked(false);
    states_.Redraw();
}

void ButtonModel::OnSave(PropertyBag& bag) const {
    bag.WriteString("Caption", values_.caption, kDefaultCaption);
    bag.WriteBool("Enabled", values_.enabled, true);
    bag.WriteColour("ForeColor", values_.textColour, 0);
    // A face name is no font, so the font is always stored.
    bag.WriteFont("Font", font_, std::string("Verdana"));
    bag.WriteBool("FocusRect", values_.showFocusRect, true);
}

void ButtonModel::OnResize() {
    // Raising the size resizes again from inside; that nested pass must not draw a picture of
    // the old size. Once the size is settled the button shows its state again, unless it was
    // already locked before (freshly created, nothing loaded yet).
    const bool wasLocked = states_.DrawLocked();
    if (host_.OuterHeightTwips() < kMinSizeTwips) {
        states_.SetDrawLocked(true);
        host_.SetOuterHeightTwips(kMinSizeTwips);
    }
    if (host_.OuterWidthTwips() < kMinSizeTwips) {
        states_.SetDrawLocked(true);
        host_.SetOuterWidthTwips(kMinSizeTwips);
    }
    states_.SetDrawLocked(wasLocked);
    if (!states_.DrawLocked()) states_.Redraw();
}

void ButtonModel::OnDestroy() {
    if (host_.RunMode()) host_.StopHooks();
}

}  // namespace qv::controls
