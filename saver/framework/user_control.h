#pragma once
// Hosting of user controls: a child window with its own persistent image, a property store,
// the container's ambient values, and notifications from the container. A user control
// derives from UserControl and overrides the notifications it needs.
//
//   class GFXFrameX : public qv::UserControl {
//    public:
//     GFXFrameX() : UserControl("GFXFrameX", /*container=*/true) {}
//    protected:
//     void InitProperties() override { ... }
//     void ReadProperties(const qv::PropertyBag& bag) override { ... }
//     void WriteProperties(qv::PropertyBag& bag) override { ... }
//     void Resize() override { Draw(); }
//   };
#include <set>
#include <vector>

#include "saver/framework/control.h"
#include "saver/framework/persistent_image.h"
#include "saver/framework/property_bag.h"

namespace qv {

struct AmbientProperties {
    Colour BackColor = kButtonFace;
    Colour ForeColor = kButtonText;
    bool DisplayAsDefault = false;  // the control is shown as the form's default button
    bool UserMode = true;           // true at run time, false while a form is being designed
    FontDesc Font;
    std::string DisplayName;  // the name the form gives the control
};

// A control on the holding form, as a user control sees it.
struct SiblingInfo {
    std::string typeName;  // "Label", "GFXFrameX", ...
    std::string name;
    int index = -1;
    Control* control = nullptr;
};

// Event arguments passed to the form's handler; handlers may change them (by-reference
// arguments such as FormActivate's State).
using EventArgs = std::vector<double>;

class UserControl : public Control {
  public:
    ~UserControl() override;

    std::string TypeName() const override { return typeName_; }
    HWND hWnd() const override { return hwnd_; }
    bool IsContainer() const override { return container_flag_; }
    bool CanTakeFocus() const override { return canGetFocus_; }
    void SetEnabled(bool e) override;
    void SetVisible(bool v) override;
    void Refresh() override;

    // --- services for the control's own code ---
    const AmbientProperties& Ambient() const { return ambient_; }
    // Records that a property changed (so the form saves it); see ChangedProperties().
    void PropertyChanged(const std::string& name);
    const std::set<std::string>& ChangedProperties() const { return changed_; }
    std::vector<SiblingInfo> ParentControls() const;
    HWND ParentHwnd() const;        // the holding form's window
    bool ParentIsMDIChild() const;  // the holding form's "MDIChild"
    PersistentImage& Image() { return image_; }
    HDC hDC() const { return image_.hDC(); }
    // Interior size, twips (the control's scale).
    int ScaleWidth() const;
    int ScaleHeight() const;
    void SetAccessKeys(const std::string& keys) { accessKeys_ = keys; }
    const std::string& AccessKeys() const { return accessKeys_; }
    void SetCanGetFocus(bool c) { canGetFocus_ = c; }
    // Buttons: while such a control has the focus it is shown as the default, not the form's.
    void SetDefaultCancel(bool d) { defaultCancel_ = d; }
    bool DefaultCancel() const { return defaultCancel_; }
    const FontDesc& Font() const { return font_; }
    void SetFontDesc(const FontDesc& f) { font_ = f; }
    // Raises an event to the holding form's handlers (Click, DblClick, MouseMove...).
    void RaiseEvent(const std::string& event, EventArgs& args);
    void RaiseEvent(const std::string& event);
    // Saves the properties through WriteProperties into a fresh bag.
    PropertyBag SaveProperties();

    // --- container side (the form calls these) ---
    void Create(HWND parent) override;
    void Destroy() override;
    void OnPlaced() override;
    void SetAmbient(const AmbientProperties& a, const std::string& changedName);
    void Bind(Form& form, const ControlDesign& design);
    void NotifyAccessKey(int keyAscii) { AccessKeyPress(keyAscii); }
    static WNDPROC WndProcAddress() { return WndProc; }

  protected:
    UserControl(std::string typeName, bool isContainer = false);

    // Notifications, in the order of a control's life.
    virtual void Initialize() {}
    virtual void InitProperties() {}                    // a new instance
    virtual void ReadProperties(const PropertyBag&) {}  // a saved instance
    virtual void WriteProperties(PropertyBag&) {}
    virtual void Resize() {}
    virtual void GotFocus() {}
    virtual void LostFocus() {}
    virtual void KeyDown(int& keyCode, int shift) {
        (void)keyCode;
        (void)shift;
    }
    virtual void KeyUp(int& keyCode, int shift) {
        (void)keyCode;
        (void)shift;
    }
    virtual void MouseDown(int button, int shift, double x, double y) {
        (void)button;
        (void)shift;
        (void)x;
        (void)y;
    }
    virtual void MouseMove(int button, int shift, double x, double y) {
        (void)button;
        (void)shift;
        (void)x;
        (void)y;
    }
    virtual void MouseUp(int button, int shift, double x, double y) {
        (void)button;
        (void)shift;
        (void)x;
        (void)y;
    }
    virtual void DblClick() {}
    virtual void AccessKeyPress(int keyAscii) { (void)keyAscii; }
    virtual void AmbientChanged(const std::string& propertyName) { (void)propertyName; }
    virtual void Terminate() {}

  private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void ResizeImage();

    std::string typeName_;
    bool container_flag_;
    HWND hwnd_ = nullptr;
    PersistentImage image_;
    AmbientProperties ambient_;
    std::set<std::string> changed_;
    std::string accessKeys_;
    bool canGetFocus_;  // containers (panels) do not take the focus unless they ask
    bool defaultCancel_ = false;
    FontDesc font_;
    int mouseButtons_ = 0;
    bool created_ = false;
    friend class Form;
};

}  // namespace qv
