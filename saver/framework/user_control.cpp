#include "saver/framework/user_control.h"

#include <optional>

#include "saver/framework/application.h"
#include "saver/framework/container_host.h"
#include "saver/framework/form.h"
#include "saver/framework/framework_internal.h"

namespace qv {

UserControl::UserControl(std::string typeName, bool isContainer)
    : Control(ControlKind::User),
      typeName_(std::move(typeName)),
      container_flag_(isContainer),
      canGetFocus_(!isContainer) {}

UserControl::~UserControl() { DetachAndDestroy(hwnd_); }

void UserControl::Bind(Form& form, const ControlDesign& design) {
    Init(form, design);
    ambient_.BackColor = form.BackColor();
    ambient_.ForeColor = form.Design().foreColor;
    ambient_.Font = form.Font();
    ambient_.DisplayName = design.name;
    ambient_.UserMode = true;
    font_ = design.font.value_or(form.Font());
}

void UserControl::Create(HWND parent) {
    RECT r = PixelRect();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (container_flag_ ? WS_CLIPCHILDREN : 0);
    if (!enabled_) style |= WS_DISABLED;
    // Shown once its properties are read, so a half-made control is never painted.
    hwnd_ =
        CreateWindowExW(WS_EX_CONTROLPARENT, UserControlClassName(), L"", style, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) throw FrameworkError("user control " + name_ + " could not be made");
    ResizeImage();
    created_ = true;
}

void UserControl::Destroy() {
    DetachAndDestroy(hwnd_);
    hwnd_ = nullptr;
}

void UserControl::ResizeImage() {
    RECT c{};
    if (hwnd_) GetClientRect(hwnd_, &c);
    image_.Resize(c.right, c.bottom, ambient_.BackColor);
}

void UserControl::OnPlaced() {
    if (!hwnd_) return;
    ResizeImage();
    Resize();
    Refresh();
}

void UserControl::SetEnabled(bool e) { Control::SetEnabled(e); }

void UserControl::SetVisible(bool v) { Control::SetVisible(v); }

void UserControl::Refresh() {
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void UserControl::PropertyChanged(const std::string& name) { changed_.insert(name); }

std::vector<SiblingInfo> UserControl::ParentControls() const {
    std::vector<SiblingInfo> out;
    if (!form_) return out;
    for (Control* c : form_->Controls()) out.push_back({c->TypeName(), c->Name(), c->Index(), c});
    return out;
}

HWND UserControl::ParentHwnd() const { return form_ ? form_->hWnd() : nullptr; }

bool UserControl::ParentIsMDIChild() const { return form_ && form_->MDIChild(); }

int UserControl::ScaleWidth() const { return PixelsToTwips(image_.Width(), form_->TwipsPerPixelX()); }

int UserControl::ScaleHeight() const { return PixelsToTwips(image_.Height(), form_->TwipsPerPixelY()); }

void UserControl::RaiseEvent(const std::string& event, EventArgs& args) {
    if (form_) form_->RaiseControlEvent(*this, event, args);
}

void UserControl::RaiseEvent(const std::string& event) {
    EventArgs none;
    RaiseEvent(event, none);
}

PropertyBag UserControl::SaveProperties() {
    PropertyBag bag;
    WriteProperties(bag);
    return bag;
}

void UserControl::SetAmbient(const AmbientProperties& a, const std::string& changedName) {
    ambient_ = a;
    if (!changedName.empty()) AmbientChanged(changedName);
}

LRESULT CALLBACK UserControl::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = WindowObject<UserControl>(hwnd, msg, lp);
    if (!self || !self->form_) return DefWindowProcW(hwnd, msg, wp, lp);
    if (!self->hwnd_) self->hwnd_ = hwnd;  // messages of the creation itself
    Form::DispatchGuard guard(*self->form_);
    try {
        return self->Handle(msg, wp, lp);
    } catch (...) {
        // A failing notification must not unwind through the system's message dispatch.
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

namespace {
double ToTwips(int px, int tpp) { return static_cast<double>(px) * tpp; }
}  // namespace

LRESULT UserControl::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    HWND hwnd = hwnd_;
    Form& form = *form_;
    const int tx = form.TwipsPerPixelX(), ty = form.TwipsPerPixelY();
    // Painting, cursors and child notifications; drawn controls inside a container control get
    // their own mouse events, other mouse messages are the control's.
    const auto background = [this](HDC target) { image_.PaintTo(target, 0, 0); };
    if (std::optional<LRESULT> handled =
            form.Host().Handle(this, hwnd, msg, wp, lp, background, container_flag_))
        return *handled;
    switch (msg) {
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
            GotFocus();
            form.NotifyFocusChange();
            return 0;
        case WM_KILLFOCUS:
            LostFocus();
            form.NotifyFocusChange();
            return 0;
        case WM_KEYDOWN: {
            int key = static_cast<int>(wp);
            KeyDown(key, ShiftState());
            return 0;
        }
        case WM_KEYUP: {
            int key = static_cast<int>(wp);
            KeyUp(key, ShiftState());
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK: {
            const double x = ToTwips(static_cast<short>(LOWORD(lp)), tx);
            const double y = ToTwips(static_cast<short>(HIWORD(lp)), ty);
            const int shift = ShiftState() & 7;
            int button = 0;
            if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_LBUTTONDBLCLK)
                button = 1;
            else if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP || msg == WM_RBUTTONDBLCLK)
                button = 2;
            else if (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP)
                button = 4;
            switch (msg) {
                case WM_LBUTTONDOWN:
                case WM_RBUTTONDOWN:
                case WM_MBUTTONDOWN:
                    if (canGetFocus_ && GetFocus() != hwnd) ::SetFocus(hwnd);
                    mouseButtons_ |= button;
                    SetCapture(hwnd);  // the release arrives here even off the control
                    MouseDown(button, shift, x, y);
                    break;
                case WM_LBUTTONUP:
                case WM_RBUTTONUP:
                case WM_MBUTTONUP:
                    mouseButtons_ &= ~button;
                    if (!mouseButtons_ && GetCapture() == hwnd) ReleaseCapture();
                    MouseUp(button, shift, x, y);
                    break;
                case WM_MOUSEMOVE:
                    MouseMove(ButtonsOf(wp), shift, x, y);
                    break;
                case WM_LBUTTONDBLCLK:
                case WM_RBUTTONDBLCLK:
                    mouseButtons_ |= button;
                    SetCapture(hwnd);
                    DblClick();
                    break;
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            mouseButtons_ = 0;
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

const wchar_t* UserControlClassName() {
    static bool registered = false;
    return FrameworkClass(registered, L"QvUserControl", UserControl::WndProcAddress());
}

}  // namespace qv
