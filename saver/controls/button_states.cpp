#include "saver/controls/button_states.h"

#include "saver/controls/button_drawing.h"

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

// ---- drawing ----------------------------------------------------------------------------

void ButtonStates::DrawButton(int requested) {
    if (drawLocked_) return;
    state_ = requested;
    ButtonCanvas* canvas = window_.Canvas();
    if (canvas == nullptr) return;
    ButtonLook look;
    look.state = requested;
    look.width = window_.InnerWidthPixels();
    look.height = window_.InnerHeightPixels();
    look.caption = values_.caption;
    look.enabled = values_.enabled;
    look.textColour = values_.textColour;
    look.focusRect = hasFocus_ && values_.showFocusRect;
    PaintButton(*canvas, look);
    window_.DoneDrawing();
}

void ButtonStates::ShowEnabled(bool value) {
    drawLocked_ = false;
    if (mouseOver_ && value) {
        DrawButton(StateHot);
    } else if (displayAsDefault_ && value) {
        DrawButton(StateFocused);
    } else {
        DrawUnless(value ? StateNormal : StateDisabled);
    }
}

// ---- input ------------------------------------------------------------------------------

void ButtonStates::OnMouseDown(std::int16_t button, std::int16_t, float, float) {
    lastButton_ = button;
    if (button != kLeftButton) return;
    hasFocus_ = true;
    pressed_ = true;
    mouseDown_ = true;
    DrawUnless(StatePressed);
}

void ButtonStates::OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
    const bool inside = x >= 0 && x <= window_.InnerScaleWidth() && y >= 0 && y <= window_.InnerScaleHeight();
    if (inside) {
        mouseOver_ = true;
        window_.TrackMouseLeave();
    } else {
        mouseOver_ = false;
    }
    if (!formActive_ || spaceDown_) return;
    if (mouseOver_) {
        DrawUnless(pressed_ ? StatePressed : StateHot);
    } else {
        DrawUnless(hasFocus_ ? StateFocused : StateNormal);
    }
    events_.RaiseMouseMove(button, shift, x, y);
}

void ButtonStates::OnMouseUp(std::int16_t button, std::int16_t, float, float) {
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
    if (click) events_.RaiseClick();
}

void ButtonStates::OnDblClick() {
    if (lastButton_ != kLeftButton) return;
    DrawButton(StatePressed);
    events_.RaiseDblClick();
}

void ButtonStates::OnMouseLeave() {
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

void ButtonStates::OnKeyDown(int keyCode) {
    switch (keyCode) {
        case kKeyEnter:
            events_.RaiseClick();
            break;
        case kKeySpace:
            if (mouseDown_) break;
            spaceDown_ = true;
            pressed_ = true;
            DrawUnless(StatePressed);
            break;
        case kKeyLeft:
        case kKeyUp:
            container_.QueueKeys("+{TAB}");
            break;
        case kKeyRight:
        case kKeyDown:
            container_.QueueKeys("{TAB}");
            break;
        default:
            break;
    }
}

void ButtonStates::OnKeyUp(int keyCode) {
    if (keyCode != kKeySpace || mouseDown_) return;
    if (mouseOver_) {
        DrawUnless(StateHot);
    } else {
        DrawButton(StateFocused);
    }
    const bool click = pressed_;
    spaceDown_ = false;
    pressed_ = false;
    if (click) events_.RaiseClick();
}

void ButtonStates::OnAccessKey() {
    if (!values_.enabled) return;
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
    container_.PumpMessages();
    events_.RaiseClick();
}

void ButtonStates::OnGotFocus() {
    hasFocus_ = true;
    if (mouseOver_) {
        if (state_ != StateHot && state_ != StatePressed) DrawButton(StateHot);
    } else if (!pressed_) {
        DrawButton(StateFocused);
    }
}

void ButtonStates::OnLostFocus() {
    hasFocus_ = false;
    pressed_ = false;
    spaceDown_ = false;
    if (!values_.enabled) return;
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

void ButtonStates::OnAmbientChanged(const std::string& name) {
    displayAsDefault_ = container_.AmbientDisplayAsDefault();
    if (!values_.enabled || mouseOver_ || name != "DisplayAsDefault") return;
    if (displayAsDefault_) {
        DrawButton(StateFocused);
    } else {
        DrawUnless(StateNormal);
    }
}

void ButtonStates::OnFormActivation(bool active) {
    std::int32_t state = 0;
    if (active) {
        formActive_ = true;
        if (values_.enabled) {
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
        if (values_.enabled && state_ != StateNormal) DrawButton(StateNormal);
        state = 0;
    }
    events_.RaiseFormActivate(state);
}

}  // namespace qv::controls
