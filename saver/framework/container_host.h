#pragma once
// What the three windows that hold drawn controls have in common (the form, a picture box, a
// user control): their window classes, the object behind each window, double-buffered
// painting with the drawn controls on top, and the mouse routed to the drawn control under it.
// Shared by the framework's own files only.
#include <windows.h>

#include <functional>
#include <optional>

namespace qv {

class Control;
class Form;

// Registers a window class of the framework. False when the system refuses it: the reason
// goes to the debugger output, and a window of that class then fails to be made.
bool RegisterFrameworkClass(const WNDCLASSW& wc);
// A framework class by name (double clicks reported, the program's icon resource if given),
// registered on the first call that succeeds; `registered` is the caller's record of that.
const wchar_t* FrameworkClass(bool& registered, const wchar_t* name, WNDPROC proc, int iconResource = 0);

// The object a framework window was made for (CreateWindowExW's last argument). It is kept in
// the window's user data from WM_NCCREATE on; null once DetachAndDestroy has run.
template <class T>
T* WindowObject(HWND hwnd, UINT msg, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Destroys a framework window after detaching its object, so that the messages of the
// destruction no longer reach an object that is going away.
void DetachAndDestroy(HWND hwnd);

// One per form: serves the form's window and every container window on it.
class ContainerHost {
  public:
    using Background = std::function<void(HDC)>;

    explicit ContainerHost(Form& form) : form_(form) {}
    ContainerHost(const ContainerHost&) = delete;
    ContainerHost& operator=(const ContainerHost&) = delete;

    // The messages every container window treats alike: no background erase; a paint of the
    // window's own `background` with the drawn controls over it; cursor and child
    // notifications; with routeMouse the mouse messages too. A value when handled, nothing when
    // the window's own procedure goes on with the message. `container` is null for the form.
    std::optional<LRESULT> Handle(Control* container, HWND window, UINT msg, WPARAM wp, LPARAM lp,
                                  const Background& background, bool routeMouse = true);

    // Paints the window double-buffered: `background`, then the drawn controls inside it.
    void Paint(HDC dc, Control* container, HWND window, const Background& background);
    // Mouse, cursor and child-notification messages: drawn controls under the mouse get them
    // first. True when handled (result set).
    bool Route(Control* container, HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // The drawn controls of a container (no window of their own), painted at their places.
    void PaintDrawnControls(HDC dc, const Control* container, POINT origin);
    // The topmost drawn control that takes the mouse at a pixel of the container.
    Control* HitTestDrawn(const Control* container, POINT pixel);
    // The form's windows go: no drawn control holds the mouse any more.
    void ReleaseMouse() { mouseControl_ = nullptr; }

  private:
    // WM_COMMAND from a child window: a combo box's notification.
    bool RouteCommand(WPARAM wp, LPARAM lp);
    // WM_SETCURSOR: the application's pointer, else the one of the drawn control under the
    // mouse, the container's or the form's. False when the message is not for this window.
    bool SetCursorFor(Control* container, HWND window, WPARAM wp, LPARAM lp);
    // Mouse buttons and moves: to the drawn control under the mouse (or the one holding it), a
    // picture box itself, or the form's own MouseDown.
    bool RouteMouse(Control* container, HWND window, UINT msg, WPARAM wp, LPARAM lp);

    Form& form_;
    Control* mouseControl_ = nullptr;  // drawn control under a held mouse button
};

}  // namespace qv
