#pragma once
// What the push button needs from around it, in three parts: its window and image, the form
// and framework that hold it, and the events it raises there.
#include <cstdint>
#include <string>
#include <vector>

#include "saver/controls/button_canvas.h"
#include "saver/framework/font_desc.h"

namespace qv::controls {

// The button's own window and the image it draws on.
class ButtonWindow {
  public:
    virtual ~ButtonWindow() = default;
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
    virtual void SetOuterWidthTwips(double twips) = 0;  // may resize (and notify) at once
    virtual void SetOuterHeightTwips(double twips) = 0;
    virtual void SetWindowEnabled(bool enabled) = 0;
    virtual void TrackMouseLeave() = 0;
};

// The form that holds the button and the framework's services.
class ButtonContainer {
  public:
    virtual ~ButtonContainer() = default;
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
    virtual void QueueKeys(const std::string& keys) = 0;
    virtual void PumpMessages() = 0;
};

// The events the button raises to the holding form's handlers.
class ButtonEvents {
  public:
    virtual ~ButtonEvents() = default;
    virtual void RaiseClick() = 0;
    virtual void RaiseDblClick() = 0;
    virtual void RaiseMouseMove(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual void RaiseFormActivate(std::int32_t& state) = 0;
};

// All three, as the control that hosts the button provides them.
class ButtonHost : public ButtonWindow, public ButtonContainer, public ButtonEvents {};

}  // namespace qv::controls
