#pragma once
// The push button's visual state and the flags that decide it: how mouse, keys, focus, the
// default-button display and the activation of the holding form move the button between its
// states, which of them it draws and which events it raises. Window-free.
#include <cstdint>
#include <string>

#include "saver/controls/button_host.h"
#include "saver/controls/button_palette.h"

namespace qv::controls {

// The property values the states read: what a drawing shows, and whether input counts.
struct ButtonValues {
    std::string caption;
    bool enabled = false;
    Colour textColour = 0;
    bool showFocusRect = false;
};

class ButtonStates {
  public:
    ButtonStates(ButtonWindow& window, ButtonContainer& container, ButtonEvents& events,
                 const ButtonValues& values)
        : window_(window), container_(container), events_(events), values_(values) {}

    // Draws the requested state (and records it) unless drawing is locked.
    void DrawButton(int requested);
    void Redraw() { DrawButton(state_); }
    void DrawUnless(int requested) {
        if (state_ != requested) DrawButton(requested);
    }
    void SetDrawLocked(bool locked) { drawLocked_ = locked; }
    // The Enabled property was set: drawing is unlocked and the state to show is chosen.
    void ShowEnabled(bool value);

    void OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    void OnDblClick();
    void OnMouseLeave();
    void OnKeyDown(int keyCode);
    void OnKeyUp(int keyCode);
    void OnAccessKey();
    void OnGotFocus();
    void OnLostFocus();
    void OnAmbientChanged(const std::string& name);
    void OnFormActivation(bool active);

    int State() const { return state_; }
    bool DrawLocked() const { return drawLocked_; }
    bool Pressed() const { return pressed_; }
    bool HasFocus() const { return hasFocus_; }
    bool MouseOver() const { return mouseOver_; }
    bool FormActive() const { return formActive_; }
    bool SpaceDown() const { return spaceDown_; }
    bool MouseDown() const { return mouseDown_; }
    bool DisplayAsDefault() const { return displayAsDefault_; }

  private:
    ButtonWindow& window_;
    ButtonContainer& container_;
    ButtonEvents& events_;
    const ButtonValues& values_;
    int state_ = StateDisabled;
    bool drawLocked_ = false;
    bool pressed_ = false;
    bool hasFocus_ = false;
    bool mouseOver_ = false;
    bool formActive_ = false;
    bool spaceDown_ = false;
    bool mouseDown_ = false;
    bool displayAsDefault_ = false;
    std::int16_t lastButton_ = 0;
};

}  // namespace qv::controls
