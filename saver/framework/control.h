#pragma once
// What every control of a form has: name and index, its container, position and size,
// visibility, enabled state, tab order and mouse pointer. Labels, images and shapes are drawn
// by their container (no window of their own; hWnd() is null); the others are child windows.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "saver/framework/form_design.h"

namespace qv {

class Form;
class UserControl;

// Thrown by the framework for a failed operation (unknown control, invalid value, ...);
// the skip rule catches it.
struct FrameworkError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Control {
  public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind Kind() const { return kind_; }
    // "Label", "Image", ... or the user control's type name ("GFXFrameX").
    virtual std::string TypeName() const;
    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    Form& ParentForm() const { return *form_; }
    // The container control, or null when the control sits on the form itself.
    Control* Container() const { return container_; }
    // Null for controls drawn by their container.
    virtual HWND hWnd() const { return nullptr; }

    // Position and size in the container's scale units (the form's scale mode on the form,
    // twips inside a container control).
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int v);
    void SetTop(int v);
    void SetWidth(int v);
    void SetHeight(int v);
    void Move(int left, int top, int width, int height);
    void Move(int left, int top);
    // The same in twips and in pixels, whatever the container's scale.
    void MoveTwips(int left, int top, int width, int height);
    int LeftTwips() const { return leftTw_; }
    int TopTwips() const { return topTw_; }
    int WidthTwips() const { return widthTw_; }
    int HeightTwips() const { return heightTw_; }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool e);
    int TabIndex() const { return tabIndex_; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool t) { tabStop_ = t; }
    virtual bool CanTakeFocus() const { return false; }
    // Gives the control the keyboard focus; throws when it cannot take it.
    void SetFocus();
    bool HasFocus() const;

    MousePointer Pointer() const { return pointer_; }

    // Rectangle in pixels inside the container's client area.
    RECT PixelRect() const;
    // Repaints (windowed controls) or asks the container to (drawn ones).
    virtual void Refresh();

    // Framework internals, for the form and the containers.
    virtual void Create(HWND parentWindow) = 0;
    virtual void Destroy();
    virtual void PaintOn(HDC, const RECT&) {}  // drawn controls: paint into the container's DC
    virtual bool IsContainer() const { return false; }
    virtual HWND ContainerWindow() const { return hWnd(); }
    virtual void OnPlaced() {}  // after a move or resize
    HCURSOR CursorFor() const;
    const ControlDesign& Design() const { return design_; }

  protected:
    Control(Form& form, const ControlDesign& design);
    explicit Control(ControlKind kind);  // bound to its form later (user controls)
    void Init(Form& form, const ControlDesign& design);
    void SetContainer(Control* c) { container_ = c; }
    void ApplyPlacement();
    int PixelsToScaleOr(int twips, bool horizontal) const;  // twips -> container scale
    int ScaleToTwips(int v, bool horizontal) const;
    friend class Form;

    Form* form_ = nullptr;
    ControlDesign design_;
    ControlKind kind_;
    std::string name_;
    int index_ = -1;
    Control* container_ = nullptr;
    int leftTw_ = 0, topTw_ = 0, widthTw_ = 0, heightTw_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    int tabIndex_ = 0;
    bool tabStop_ = true;
    MousePointer pointer_ = MousePointer::Default;
    int pointerIcon_ = 0;
};

}  // namespace qv
