#pragma once
// The push button without its window: properties, persistence, the visual state it shows and
// how mouse, keys, focus and form activation move it between states.
#include <cstdint>
#include <string>
#include <vector>

#include "controls/button_canvas.h"
#include "controls/button_palette.h"
#include "framework/font_desc.h"
#include "framework/property_bag.h"

namespace qv::controls {

// What the button needs from its window and the form that holds it.
class ButtonHost {
 public:
  virtual ~ButtonHost() = default;
  // Null while there is no image to draw on.
  virtual ButtonCanvas* Canvas() = 0;
  // A drawing on the canvas is complete: time to show it.
  virtual void DoneDrawing() {}
  // Inner size in pixels (drawing) and in the control's scale units (mouse positions).
  virtual int InnerWidthPixels() = 0;
  virtual int InnerHeightPixels() = 0;
  virtual double InnerScaleWidth() = 0;
  virtual double InnerScaleHeight() = 0;
  // Outer size in twips.
  virtual double OuterWidthTwips() = 0;
  virtual double OuterHeightTwips() = 0;
  virtual void SetOuterWidthTwips(double twips) = 0;   // may resize (and notify) at once
  virtual void SetOuterHeightTwips(double twips) = 0;

  virtual void SetWindowEnabled(bool enabled) = 0;
  virtual void SetAccessKey(const std::string& keys) = 0;
  virtual void SetDrawingFont(const FontDesc& font) = 0;
  virtual void ReportChanged(const std::string& name) = 0;
  virtual bool AmbientDisplayAsDefault() = 0;
  virtual bool RunMode() = 0;
  virtual std::vector<std::string> ButtonCaptionsOnForm() = 0;
  virtual std::string ControlName() = 0;

  virtual void RecordParentWindow() = 0;
  virtual void StartHooks() = 0;  // mouse-leave on the button, activation on its form
  virtual void StopHooks() = 0;
  virtual void TrackMouseLeave() = 0;
  virtual void QueueKeys(const std::string& keys) = 0;
  virtual void PumpMessages() = 0;

  virtual void RaiseClick() = 0;
  virtual void RaiseDblClick() = 0;
  virtual void RaiseMouseMove(std::int16_t button, std::int16_t shift, float x, float y) = 0;
  virtual void RaiseFormActivate(std::int32_t& state) = 0;
};

// The font a new button keeps: Verdana 8.25 points, normal weight, ANSI character set.
FontDesc ButtonDefaultFont();

class ButtonModel {
 public:
  static constexpr double kMinSizeTwips = 100;
  static constexpr char kDefaultCaption[] = "&OK";

  explicit ButtonModel(ButtonHost& host) : host_(host) {}

  // Properties.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  const FontDesc& Font() const { return font_; }
  void SetFont(const FontDesc& value);
  void OnFontChanged();  // the font object reports a change of its own
  Colour ForeColor() const { return textColour_; }
  void SetForeColor(Colour value);
  bool FocusRect() const { return showFocusRect_; }
  void SetFocusRect(bool value);

  // Lifecycle.
  void OnCreate(const FontDesc& currentFont);
  void OnNewInstance();
  void OnLoad(const PropertyBag& bag);
  void OnSave(PropertyBag& bag) const;
  void OnResize();
  void OnDestroy();

  // Input.
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

  void DrawButton(int requested);

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
  void DrawUnless(int requested) {
    if (state_ != requested) DrawButton(requested);
  }

  ButtonHost& host_;
  std::string caption_;
  bool enabled_ = false;
  Colour textColour_ = 0;
  bool showFocusRect_ = false;
  FontDesc font_;
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
