#pragma once
// A form: built from its design, loaded (windows and controls made, hidden), shown modally
// or not, and unloaded through QueryUnload (which can cancel) and Unload. Every form window
// is owned by the program's hidden owner window (application.h).
//
// The form's code derives from Form and attaches its handlers in the constructor:
//
//   class Quorvale_S : public qv::Form {
//    public:
//     Quorvale_S() : Form(Design()) {
//       Form_Load = [this] { Load_(); };
//       OnTimer("Timer3", [this](int) { Watch(); });
//     }
//   };
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "saver/framework/combo_box.h"
#include "saver/framework/control.h"
#include "saver/framework/form_design.h"
#include "saver/framework/image_control.h"
#include "saver/framework/label.h"
#include "saver/framework/picture_box.h"
#include "saver/framework/shape.h"
#include "saver/framework/timer_control.h"
#include "saver/framework/user_control.h"

namespace qv {

enum class UnloadMode { FormControlMenu = 0, FormCode = 1, AppWindows = 2, TaskManager = 3, FormOwner = 5 };

class ContainerHost;

class Form {
  public:
    explicit Form(FormDesign design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // --- lifecycle ---
    // Makes the window and the controls (hidden) and runs Form_Load. Loading a loaded form does
    // nothing. Throws FrameworkError when the window cannot be made.
    void Load();
    // Loads if needed and shows. A modal show returns once the form is hidden or unloaded;
    // meanwhile the other forms take no input.
    void Show(bool modal = false);
    void Hide();
    // The close request: Form_QueryUnload, then Form_Unload, then the windows go. False when a
    // handler cancelled.
    bool Unload(UnloadMode mode = UnloadMode::FormCode);
    bool IsLoaded() const { return hwnd_ != nullptr; }
    bool Visible() const;

    // --- the form's own events ---
    std::function<void()> Form_Load;
    std::function<void(int& cancel, UnloadMode mode)> Form_QueryUnload;
    std::function<void(int& cancel)> Form_Unload;
    std::function<void()> Form_Resize;
    std::function<void()> Form_Activate;
    std::function<void()> Form_Deactivate;
    std::function<void(int button, int shift, double x, double y)> Form_MouseDown;
    // With the design's keyPreview: every key press on the form comes here first; setting
    // keyCode to 0 keeps it from the focused control.
    std::function<void(int& keyCode, int shift)> Form_KeyDown;

    // --- control events (index is -1 for a control outside an array) ---
    void OnClick(const std::string& control, std::function<void(int index)> handler);
    void OnDblClick(const std::string& control, std::function<void(int index)> handler);
    using MouseHandler = std::function<void(int index, int button, int shift, double x, double y)>;
    void OnMouseDown(const std::string& control, MouseHandler handler);
    void OnMouseUp(const std::string& control, MouseHandler handler);
    void OnMouseMove(const std::string& control, MouseHandler handler);
    void OnTimer(const std::string& control, std::function<void(int index)> handler);
    // Events a user control raises by name ("Click", "MouseMove", "FormActivate"...).
    void OnEvent(const std::string& control, const std::string& event,
                 std::function<void(int index, EventArgs& args)> handler);

    // --- properties ---
    const std::string& Name() const { return design_.name; }
    HWND hWnd() const { return hwnd_; }
    bool MDIChild() const { return false; }
    std::string Caption() const;
    void SetCaption(const std::string& utf8);
    qv::BorderStyle BorderStyle() const { return border_; }
    // Outer position and size in twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void Move(int left, int top, std::optional<int> width = std::nullopt,
              std::optional<int> height = std::nullopt);
    void SetWidth(int twips);
    void SetHeight(int twips);
    // Interior, in the form's scale mode.
    ScaleMode GetScaleMode() const { return scaleMode_; }
    void SetScaleMode(ScaleMode m) { scaleMode_ = m; }
    int ScaleWidth() const;
    int ScaleHeight() const;
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour c);  // user controls get an AmbientChanged("BackColor")
    const FontDesc& Font() const { return design_.font; }
    // The control shown as the default button (empty: none).
    void SetDefaultControl(const std::string& name, int index = -1);
    bool KeyPreview() const { return design_.keyPreview; }
    void SetKeyPreview(bool k) { design_.keyPreview = k; }

    // --- controls ---
    // Throws FrameworkError when there is no such control (or it is of another kind).
    Control& Ctl(const std::string& name, int index = -1) const;
    template <class T>
    T& Ctl(const std::string& name, int index = -1) const {
        T* t = dynamic_cast<T*>(&Ctl(name, index));
        if (!t) throw FrameworkError("control " + name + " is not of the kind asked for");
        return *t;
    }
    Control* Find(const std::string& name, int index = -1) const;
    std::vector<int> Indices(const std::string& name) const;  // ascending
    std::vector<Control*> Controls() const;                   // in design order
    Control* FocusedControl() const;
    // Moves the focus as Tab / Shift+Tab would.
    void TabFocus(bool forward);
    // An access key pressed (with or without Alt): the matching control gets it. True if taken.
    bool RouteAccessKey(char key);

    // Pixel helpers of this form's screen.
    int TwipsPerPixelX() const;
    int TwipsPerPixelY() const;

    // --- framework internals ---
    void RaiseControlEvent(Control& c, const std::string& event, EventArgs& args);
    void InvalidateControl(const Control& c);
    void NotifyFocusChange();
    void RefreshTouchedImages();
    void RaiseControlEvent(Control& c, const std::string& event);
    // Painting and mouse routing of the container windows on this form, the form's included.
    ContainerHost& Host() { return *host_; }
    // Keeps controls that a handler unloads alive until the outermost dispatch returns.
    class DispatchGuard {
      public:
        explicit DispatchGuard(Form& f);
        ~DispatchGuard();
        DispatchGuard(const DispatchGuard&) = delete;
        DispatchGuard& operator=(const DispatchGuard&) = delete;

      private:
        Form& form_;
    };
    const FormDesign& Design() const { return design_; }
    static WNDPROC WndProcAddress() { return WndProc; }

  protected:
    const FormDesign& design() const { return design_; }

  private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void BuildControls();
    void DestroyWindows();
    void UpdateDefaultDisplay();

    FormDesign design_;
    HWND hwnd_ = nullptr;
    qv::BorderStyle border_;
    ScaleMode scaleMode_;
    Colour backColor_;
    std::unique_ptr<ContainerHost> host_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::multimap<std::string, std::function<void(int, EventArgs&)>> handlers_;  // "name\nEvent"
    bool modal_ = false;
    std::vector<HWND> disabledByModal_;  // other forms, enabled again before this one goes
    void EnableOthers();
    bool unloading_ = false;
    std::string defaultName_;
    int defaultIndex_ = -1;
    HWND lastFocus_ = nullptr;
    MousePointer pointer_ = MousePointer::Default;
    int pointerIcon_ = 0;
    int dispatchDepth_ = 0;
    std::vector<std::unique_ptr<Control>> retired_;
    friend class Control;
    friend class ContainerHost;
};

}  // namespace qv
