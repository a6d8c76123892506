#include "saver/framework/form.h"

#include "saver/framework/ansi_text.h"
#include "saver/framework/application.h"
#include "saver/framework/container_host.h"
#include "saver/framework/framework_internal.h"

namespace qv {

// --- construction ---

Form::Form(FormDesign design)
    : design_(std::move(design)),
      border_(design_.border),
      scaleMode_(design_.scaleMode),
      backColor_(design_.backColor),
      host_(std::make_unique<ContainerHost>(*this)) {}

Form::~Form() {
    // Destroying a form object ends its windows without its unload handling.
    if (hwnd_) {
        unloading_ = true;
        UnregisterLoadedForm(this);
        DestroyWindows();
    }
}

// --- load, show, hide, unload ---

void Form::Load() {
    if (hwnd_) return;
    DWORD style = 0, ex = 0;
    FormStyleFor(border_, design_.controlBox, style, ex);
    if (design_.showInTaskbar && border_ != qv::BorderStyle::None) ex |= WS_EX_APPWINDOW;
    const int tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    RECT r{0, 0, TwipsToPixels(design_.clientWidth, tx), TwipsToPixels(design_.clientHeight, ty)};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    const int w = r.right - r.left, h = r.bottom - r.top;
    int x = design_.left >= 0 ? TwipsToPixels(design_.left, tx) : (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    int y = design_.top >= 0 ? TwipsToPixels(design_.top, ty) : (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    HWND created = CreateWindowExW(ex, FormClassName(), Widen(design_.caption).c_str(), style, x, y, w, h,
                                   OwnerWindow(), nullptr, GetModuleHandleW(nullptr), this);
    if (!created) throw FrameworkError("form " + design_.name + " could not be made");
    hwnd_ = created;
    if (design_.iconResource) {
        HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(design_.iconResource));
        if (icon) SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }
    RegisterLoadedForm(this);
    DispatchGuard guard(*this);
    try {
        BuildControls();
    } catch (...) {
        unloading_ = true;
        UnregisterLoadedForm(this);
        DestroyWindows();
        unloading_ = false;
        throw;
    }
    if (Form_Load) Form_Load();
}

void Form::DestroyWindows() {
    for (auto& c : controls_)
        if (auto* u = dynamic_cast<UserControl*>(c.get())) {
            try {
                u->Terminate();
            } catch (...) {
                ReportHandlerFailure("a user control failed while ending\n");
            }
        }
    // Contents before their containers: the reverse of the design order is not enough, so
    // first everything inside a container, then the rest.
    for (auto& c : controls_)
        if (c->Container()) c->Destroy();
    for (auto& c : controls_)
        if (!c->Container()) c->Destroy();
    host_->ReleaseMouse();
    lastFocus_ = nullptr;
    HWND h = hwnd_;
    hwnd_ = nullptr;
    DetachAndDestroy(h);
    for (auto& c : controls_) retired_.push_back(std::move(c));
    controls_.clear();
    if (dispatchDepth_ == 0) retired_.clear();
}

void Form::Show(bool modal) {
    Load();
    if (!hwnd_) return;  // Form_Load unloaded it
    const bool child = (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) != 0;
    ShowWindow(hwnd_, child ? SW_SHOWNA : SW_SHOW);
    if (!child) SetForegroundWindow(hwnd_);
    if (!FocusedControl()) {
        try {
            TabFocus(true);
        } catch (...) {
        }
    }
    if (!modal) return;
    for (Form* f : LoadedForms())
        if (f != this && f->hWnd() && IsWindowEnabled(f->hWnd())) {
            EnableWindow(f->hWnd(), FALSE);
            disabledByModal_.push_back(f->hWnd());
        }
    modal_ = true;
    RunNestedLoop([this] { return !hwnd_ || !IsWindowVisible(hwnd_); });
    modal_ = false;
    EnableOthers();
}

void Form::EnableOthers() {
    // Before the modal form hides or goes, so that the activation returns to the program's
    // own form rather than to some other program's window.
    for (HWND h : disabledByModal_)
        if (IsWindow(h)) EnableWindow(h, TRUE);
    disabledByModal_.clear();
}

void Form::Hide() {
    if (!hwnd_) return;
    EnableOthers();
    ShowWindow(hwnd_, SW_HIDE);
}

bool Form::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

bool Form::Unload(UnloadMode mode) {
    if (!hwnd_ || unloading_) return true;
    DispatchGuard guard(*this);
    int cancel = 0;
    if (Form_QueryUnload) Form_QueryUnload(cancel, mode);
    if (cancel) return false;
    if (!hwnd_ || unloading_) return true;  // the handler unloaded it already
    if (Form_Unload) Form_Unload(cancel);
    if (cancel) return false;
    if (!hwnd_ || unloading_) return true;
    unloading_ = true;
    EnableOthers();
    UnregisterLoadedForm(this);
    DestroyWindows();
    unloading_ = false;
    return true;
}

}  // namespace qv
