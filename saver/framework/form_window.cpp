#include "saver/framework/form.h"

#include <optional>

#include "saver/framework/application.h"
#include "saver/framework/container_host.h"
#include "saver/framework/framework_internal.h"
#include "saver/framework/timer_control.h"

// The form's window: its style, its class and its messages.
namespace qv {

void FormStyleFor(BorderStyle b, bool controlBox, DWORD& style, DWORD& ex) {
    ex = 0;
    switch (b) {
        case BorderStyle::None:
            style = WS_POPUP;
            break;
        case BorderStyle::FixedSingle:
            style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
            break;
        case BorderStyle::Sizable:
            style = WS_OVERLAPPEDWINDOW;
            break;
        case BorderStyle::FixedDialog:
            style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
            ex = WS_EX_DLGMODALFRAME;
            break;
        case BorderStyle::FixedToolWindow:
            style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
            ex = WS_EX_TOOLWINDOW;
            break;
        case BorderStyle::SizableToolWindow:
            style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
            ex = WS_EX_TOOLWINDOW;
            break;
    }
    if (!controlBox) style &= ~static_cast<DWORD>(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    style |= WS_CLIPCHILDREN;
}

const wchar_t* FormClassName() {
    static bool registered = false;
    return FrameworkClass(registered, L"QvForm", Form::WndProcAddress(), /*iconResource=*/1);
}

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = WindowObject<Form>(hwnd, msg, lp);
    if (!self || (self->hwnd_ && self->hwnd_ != hwnd)) return DefWindowProcW(hwnd, msg, wp, lp);
    DispatchGuard guard(*self);
    try {
        return self->Handle(hwnd, msg, wp, lp);
    } catch (...) {
        ReportHandlerFailure("a form handler failed\n");
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

LRESULT Form::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // Painting, the mouse over drawn controls, cursors and child notifications.
    const auto background = [this, hwnd](HDC target) {
        RECT r{};
        GetClientRect(hwnd, &r);
        HBRUSH b = CreateSolidBrush(ToColorRef(backColor_));
        FillRect(target, &r, b);
        DeleteObject(b);
    };
    if (std::optional<LRESULT> handled = host_->Handle(nullptr, hwnd, msg, wp, lp, background))
        return *handled;
    switch (msg) {
        case WM_CLOSE:
            Unload(UnloadMode::FormControlMenu);
            return 0;
        case WM_DESTROY:
            if (!unloading_ && hwnd_ == hwnd) {
                // Destroyed from outside (a parent window went away): the form unloads now, and
                // cannot refuse.
                unloading_ = true;
                int cancel = 0;
                try {
                    if (Form_QueryUnload) Form_QueryUnload(cancel, UnloadMode::AppWindows);
                    cancel = 0;
                    if (Form_Unload) Form_Unload(cancel);
                } catch (...) {
                    ReportHandlerFailure("an unload handler failed\n");
                }
                UnregisterLoadedForm(this);
                DestroyWindows();
                unloading_ = false;
            }
            return 0;
        case WM_SIZE:
            if (Form_Resize) Form_Resize();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND f = GetFocus();
                if (f && IsChild(hwnd, f)) lastFocus_ = f;
                if (Form_Deactivate) Form_Deactivate();
            } else {
                if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd, lastFocus_) &&
                    IsWindowVisible(lastFocus_)) {
                    ::SetFocus(lastFocus_);
                } else {
                    ::SetFocus(hwnd);
                    TabFocus(true);
                }
                if (Form_Activate) Form_Activate();
            }
            return 0;
        case WM_TIMER:
            for (auto& c : controls_)
                if (c->Kind() == ControlKind::Timer && reinterpret_cast<UINT_PTR>(c.get()) == wp) {
                    static_cast<Timer*>(c.get())->Tick();
                    break;
                }
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace qv
