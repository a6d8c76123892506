#pragma once
// The push button without its window: its properties, their persistence and the button's
// lifecycle (creation, a new instance, load, save, resize with its smallest size, end). The
// visual state and how input moves it are button_states.h's; the model passes input on.
#include <cstdint>
#include <string>

#include "saver/controls/button_host.h"
#include "saver/controls/button_states.h"
#include "saver/framework/font_desc.h"
#include "saver/framework/property_bag.h"

namespace qv::controls {

// The font a new button keeps: Verdana 8.25 points, normal weight, ANSI character set.
FontDesc ButtonDefaultFont();

class ButtonModel {
  public:
    static constexpr double kMinSizeTwips = 100;
    static constexpr char kDefaultCaption[] = "&OK";

    explicit ButtonModel(ButtonHost& host) : host_(host), states_(host, host, host, values_) {}

    // Properties.
    const std::string& Caption() const { return values_.caption; }
    void SetCaption(const std::string& value);
    bool Enabled() const { return values_.enabled; }
    void SetEnabled(bool value);
    const FontDesc& Font() const { return font_; }
    void SetFont(const FontDesc& value);
    void OnFontChanged();  // the font object reports a change of its own
    Colour ForeColor() const { return values_.textColour; }
    void SetForeColor(Colour value);
    bool FocusRect() const { return values_.showFocusRect; }
    void SetFocusRect(bool value);

    // Lifecycle.
    void OnCreate(const FontDesc& currentFont);
    void OnNewInstance();
    void OnLoad(const PropertyBag& bag);
    void OnSave(PropertyBag& bag) const;
    void OnResize();
    void OnDestroy();

    // Input.
    void OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
        states_.OnMouseDown(button, shift, x, y);
    }
    void OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
        states_.OnMouseMove(button, shift, x, y);
    }
    void OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
        states_.OnMouseUp(button, shift, x, y);
    }
    void OnDblClick() { states_.OnDblClick(); }
    void OnMouseLeave() { states_.OnMouseLeave(); }
    void OnKeyDown(int keyCode) { states_.OnKeyDown(keyCode); }
    void OnKeyUp(int keyCode) { states_.OnKeyUp(keyCode); }
    void OnAccessKey() { states_.OnAccessKey(); }
    void OnGotFocus() { states_.OnGotFocus(); }
    void OnLostFocus() { states_.OnLostFocus(); }
    void OnAmbientChanged(const std::string& name) { states_.OnAmbientChanged(name); }
    void OnFormActivation(bool active) { states_.OnFormActivation(active); }

    void DrawButton(int requested) { states_.DrawButton(requested); }

    int State() const { return states_.State(); }
    bool DrawLocked() const { return states_.DrawLocked(); }
    bool Pressed() const { return states_.Pressed(); }
    bool HasFocus() const { return states_.HasFocus(); }
    bool MouseOver() const { return states_.MouseOver(); }
    bool FormActive() const { return states_.FormActive(); }
    bool SpaceDown() const { return states_.SpaceDown(); }
    bool MouseDown() const { return states_.MouseDown(); }
    bool DisplayAsDefault() const { return states_.DisplayAsDefault(); }

  private:
    ButtonHost& host_;
    ButtonValues values_;
    FontDesc font_;
    ButtonStates states_;
};

}  // namespace qv::controls
