#pragma once
// ccXPButton: a push button with a rounded gradient face in five visual states.
#include <memory>

#include "saver/controls/button_model.h"
#include "saver/controls/window_hooks.h"
#include "saver/framework/user_control.h"

namespace qv::controls {

class ccXPButton : public UserControl, private ButtonHost, private SubclassClient {
  public:
    ccXPButton();
    ~ccXPButton() override;

    const std::string& Caption() const { return model_.Caption(); }
    void SetCaption(const std::string& NewValue) { model_.SetCaption(NewValue); }
    // Enabled() is the control's; setting it also picks the state to show.
    void SetEnabled(bool NewValue) override { model_.SetEnabled(NewValue); }
    const FontDesc& Font() const { return model_.Font(); }
    void SetFont(const FontDesc& NewValue) { model_.SetFont(NewValue); }
    // The font object reports that one of its attributes changed.
    void pFONT_FontChanged(const std::string& PropertyName);
    Colour ForeColor() const { return model_.ForeColor(); }
    void SetForeColor(Colour NewValue) { model_.SetForeColor(NewValue); }
    bool FocusRect() const { return model_.FocusRect(); }
    void SetFocusRect(bool NewValue) { model_.SetFocusRect(NewValue); }

    // Moves the mouse pointer to the centre of the button.
    void SnapMouseTo();

    int State() const { return model_.State(); }

    // Hook callback: mouse leaving the button, activation of its form.
    void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                        WPARAM& wParam, LPARAM& lParam) override;

  protected:
    void InitProperties() override { model_.OnNewInstance(); }
    void ReadProperties(const PropertyBag& bag) override { model_.OnLoad(bag); }
    void WriteProperties(PropertyBag& bag) override { model_.OnSave(bag); }
    void Resize() override { model_.OnResize(); }
    void GotFocus() override { model_.OnGotFocus(); }
    void LostFocus() override { model_.OnLostFocus(); }
    void KeyDown(int& keyCode, int) override { model_.OnKeyDown(keyCode); }
    void KeyUp(int& keyCode, int) override { model_.OnKeyUp(keyCode); }
    void MouseDown(int button, int shift, double x, double y) override;
    void MouseMove(int button, int shift, double x, double y) override;
    void MouseUp(int button, int shift, double x, double y) override;
    void DblClick() override { model_.OnDblClick(); }
    void AccessKeyPress(int) override { model_.OnAccessKey(); }
    void AmbientChanged(const std::string& name) override { model_.OnAmbientChanged(name); }
    void Terminate() override;

  private:
    // ButtonHost
    ButtonCanvas* Canvas() override;
    void DoneDrawing() override;
    int InnerWidthPixels() override;
    int InnerHeightPixels() override;
    double InnerScaleWidth() override { return UserControl::ScaleWidth(); }
    double InnerScaleHeight() override { return UserControl::ScaleHeight(); }
    double OuterWidthTwips() override { return WidthTwips(); }
    double OuterHeightTwips() override { return HeightTwips(); }
    void SetOuterWidthTwips(double twips) override;
    void SetOuterHeightTwips(double twips) override;
    void SetWindowEnabled(bool enabled) override { UserControl::SetEnabled(enabled); }
    void SetAccessKey(const std::string& keys) override { UserControl::SetAccessKeys(keys); }
    void SetDrawingFont(const FontDesc& font) override;
    void ReportChanged(const std::string& name) override { UserControl::PropertyChanged(name); }
    bool AmbientDisplayAsDefault() override { return Ambient().DisplayAsDefault; }
    bool RunMode() override { return Ambient().UserMode; }
    std::vector<std::string> ButtonCaptionsOnForm() override;
    std::string ControlName() override;
    void RecordParentWindow() override { parentHwnd_ = ParentHwnd(); }
    void StartHooks() override;
    void StopHooks() override;
    void TrackMouseLeave() override;
    void QueueKeys(const std::string& keys) override;
    void PumpMessages() override;
    void RaiseClick() override { RaiseEvent("Click"); }
    void RaiseDblClick() override { RaiseEvent("DblClick"); }
    void RaiseMouseMove(std::int16_t button, std::int16_t shift, float x, float y) override;
    void RaiseFormActivate(std::int32_t& state) override;

    ButtonModel model_;
    WindowHooks hooks_;
    std::unique_ptr<ButtonCanvas> canvas_;
    HFONT font_ = nullptr;
    HWND ownHwnd_ = nullptr;
    HWND parentHwnd_ = nullptr;
    bool hooked_ = false;
};

}  // namespace qv::controls
