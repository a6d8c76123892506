#include "controls/button_model.h"

#include "controls/access_key.h"
#include "controls/button_drawing.h"

namespace qv::controls {

namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr int kKeyEnter = 13;
constexpr int kKeySpace = 32;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;

}  // namespace

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
  caption_ = value;
  host_.SetAccessKey(AccessKeyOf(caption_));
  DrawButton(state_);
  host_.ReportChanged("Caption");
}

void ButtonModel::SetEnabled(bool value) {
  enabled_ = value;
  host_.SetWindowEnabled(value);
  drawLocked_ = false;
  if (mouseOver_ && value) {
    DrawButton(StateHot);
  } else if (displayAsDefault_ && value) {
    DrawButton(StateFocused);
  } else {
    DrawUnless(value ? StateNormal : StateDisabled);
  }
  host_.ReportChanged("Enabled");
}

void ButtonModel::SetFont(const FontDesc& value) {
  font_ = value;
  OnFontChanged();
}

void ButtonModel::OnFontChanged() {
  host_.SetDrawingFont(font_);
  DrawButton(state_);
  host_.ReportChanged("Font");
}

void ButtonModel::SetForeColor(Colour value) {
  textColour_ = value;
  DrawButton(state_);
  host_.ReportChanged("ForeColor");
}

void ButtonModel::SetFocusRect(bool value) {
  showFocusRect_ = value;
  if (hasFocus_) DrawButton(state_);
  host_.ReportChanged("FocusRect");
}

// ---- lifecycle --------------------------------------------------------------------------

void ButtonModel::OnCreate(const FontDesc& currentFont) {
  drawLocked_ = true;
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
  drawLocked_ = false;
  DrawButton(state_);
}

void ButtonModel::OnSave(PropertyBag& bag) const {
  bag.WriteString("Caption", caption_, kDefaultCaption);
  bag.WriteBool("Enabled", enabled_, true);
  bag.WriteColour("ForeColor", textColour_, 0);
  // A face name is no font, so the font is always stored.
  bag.WriteFont("Font", font_, std::string("Verdana"));
  bag.WriteBool("FocusRect", showFocusRect_, true);
}

void ButtonModel::OnResize() {
  // Raising the size resizes again from inside; that nested pass must not draw a picture of
  // the old size. Once the size is settled the button shows its state again, unless it was
  // already locked before (freshly created, nothing loaded yet).
  const bool wasLocked = drawLocked_;
  if (host_.OuterHeightTwips() < kMinSizeTwips) {
    drawLocked_ = true;
    host_.SetOuterHeightTwips(kMinSizeTwips);
  }
  if (host_.OuterWidthTwips() < kMinSizeTwips) {
    drawLocked_ = true;
    host_.SetOuterWidthTwips(kMinSizeTwips);
  }
  drawLocked_ = wasLocked;
  if (!drawLocked_) DrawButton(state_);
}

void ButtonModel::OnDestroy() {
  if (host_.RunMode()) host_.StopHooks();
}

// ---- drawing ----------------------------------------------------------------------------

void ButtonModel::DrawButton(int requested) {
  if (drawLocked_) return;
  state_ = requested;
  ButtonCanvas* canvas = host_.Canvas();
  if (canvas == nullptr) return;
  ButtonLook look;
  look.state = requested;
  look.width = host_.InnerWidthPixels();
  look.height = host_.InnerHeightPixels();
  look.caption = caption_;
  look.enabled = enabled_;
  look.textColour = textColour_;
  look.focusRect = hasFocus_ && showFocusRect_;
  PaintButton(*canvas, look);
  host_.DoneDrawing();
}

// ---- input ------------------------------------------------------------------------------

void ButtonModel::OnMouseDown(std::int16_t button, std::int16_t, float, float) {
  lastButton_ = button;
  if (button != kLeftButton) return;
  hasFocus_ = true;
  pressed_ = true;
  mouseDown_ = true;
  DrawUnless(StatePressed);
}

void ButtonModel::OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
  const bool inside = x >= 0 && x <= host_.InnerScaleWidth() && y >= 0 && y <= host_.InnerScaleHeight();
  if (inside) {
    mouseOver_ = true;
    host_.TrackMouseLeave();
  } else {
    mouseOver_ = false;
  }
  if (!formActive_ || spaceDown_) return;
  if (mouseOver_) {
    DrawUnless(pressed_ ? StatePressed : StateHot);
  } else {
    DrawUnless(hasFocus_ ? StateFocused : StateNormal);
  }
  host_.RaiseMouseMove(button, shift, x, y);
}

void ButtonModel::OnMouseUp(std::int16_t button, std::int16_t, float, float) {
  if (button != kLeftButton) return;
  if (formActive_) {
    if (mouseOver_) {
      DrawUnless(StateHot);
    } else if (hasFocus_) {
      DrawButton(StateFocused);
    }
  }
  const bool click = formActive_ && mouseOver_ && hasFocus_ && pressed_;
  pressed_ = false;
  mouseDown_ = false;
  if (click) host_.RaiseClick();
}

void ButtonModel::OnDblClick() {
  if (lastButton_ != kLeftButton) return;
  DrawButton(StatePressed);
  host_.RaiseDblClick();
}

void ButtonModel::OnMouseLeave() {
  mouseOver_ = false;
  if (spaceDown_ || state_ == StateDisabled) return;
  if (!hasFocus_ && !displayAsDefault_) {
    DrawUnless(StateNormal);
  } else if (state_ == StatePressed) {
    DrawButton(pressed_ ? StateFocused : StateNormal);
  } else if (state_ != StateFocused && formActive_) {
    DrawButton(StateFocused);
  }
}

void ButtonModel::OnKeyDown(int keyCode) {
  switch (keyCode) {
    case kKeyEnter:
      host_.RaiseClick();
      break;
    case kKeySpace:
      if (mouseDown_) break;
      spaceDown_ = true;
      pressed_ = true;
      DrawUnless(StatePressed);
      break;
    case kKeyLeft:
    case kKeyUp:
      host_.QueueKeys("+{TAB}");
      break;
    case kKeyRight:
    case kKeyDown:
      host_.QueueKeys("{TAB}");
      break;
    default:
      break;
  }
}

void ButtonModel::OnKeyUp(int keyCode) {
  if (keyCode != kKeySpace || mouseDown_) return;
  if (mouseOver_) {
    DrawUnless(StateHot);
  } else {
    DrawButton(StateFocused);
  }
  const bool click = pressed_;
  spaceDown_ = false;
  pressed_ = false;
  if (click) host_.RaiseClick();
}

void ButtonModel::OnAccessKey() {
  if (!enabled_) return;
  if (spaceDown_) {
    spaceDown_ = false;
    pressed_ = false;
    if (mouseOver_) {
      DrawUnless(StateHot);
    } else {
      DrawButton(StateFocused);
    }
    return;
  }
  host_.PumpMessages();
  host_.RaiseClick();
}

void ButtonModel::OnGotFocus() {
  hasFocus_ = true;
  if (mouseOver_) {
    if (state_ != StateHot && state_ != StatePressed) DrawButton(StateHot);
  } else if (!pressed_) {
    DrawButton(StateFocused);
  }
}

void ButtonModel::OnLostFocus() {
  hasFocus_ = false;
  pressed_ = false;
  spaceDown_ = false;
  if (!enabled_) return;
  if (!formActive_) {
    DrawUnless(StateNormal);
  } else if (mouseOver_) {
    DrawUnless(StateHot);
  } else if (displayAsDefault_) {
    DrawButton(StateFocused);
  } else {
    DrawUnless(StateNormal);
  }
}

void ButtonModel::OnAmbientChanged(const std::string& name) {
  displayAsDefault_ = host_.AmbientDisplayAsDefault();
  if (!enabled_ || mouseOver_ || name != "DisplayAsDefault") return;
  if (displayAsDefault_) {
    DrawButton(StateFocused);
  } else {
    DrawUnless(StateNormal);
  }
}

void ButtonModel::OnFormActivation(bool active) {
  std::int32_t state = 0;
  if (active) {
    formActive_ = true;
    if (enabled_) {
      if (mouseOver_) {
        DrawUnless(StateHot);
      } else if (hasFocus_ || displayAsDefault_) {
        DrawButton(StateFocused);
      }
    }
    state = 1;
  } else {
    formActive_ = false;
    pressed_ = false;
    mouseDown_ = false;
    spaceDown_ = false;
    if (enabled_ && state_ != StateNormal) DrawButton(StateNormal);
    state = 0;
  }
  host_.RaiseFormActivate(state);
}

}  // namespace qv::controls
