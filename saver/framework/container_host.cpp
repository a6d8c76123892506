#include "saver/framework/container_host.h"

#include <string>

#include "saver/framework/ansi_text.h"
#include "saver/framework/combo_box.h"
#include "saver/framework/form.h"
#include "saver/framework/framework_internal.h"
#include "saver/framework/picture_box.h"

namespace qv {
namespace {

int ButtonOfMessage(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return 1;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return 2;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return 4;
    }
    return 0;
}

// The mouse messages a container window passes on to the router (a middle double click is
// not among them).
bool IsRoutedMouseMessage(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MOUSEMOVE:
            return true;
    }
    return false;
}

}  // namespace

bool RegisterFrameworkClass(const WNDCLASSW& wc) {
    if (RegisterClassW(&wc)) return true;
    const DWORD error = GetLastError();
    const std::string name = wc.lpszClassName ? Narrow(wc.lpszClassName) : std::string();
    const std::string text =
        "window class " + name + " could not be registered (error " + std::to_string(error) + ")\n";
    OutputDebugStringA(text.c_str());
    return false;
}

const wchar_t* FrameworkClass(bool& registered, const wchar_t* name, WNDPROC proc, int iconResource) {
    if (!registered) {
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        if (iconResource) wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(iconResource));
        wc.lpszClassName = name;
        registered = RegisterFrameworkClass(wc);
    }
    return name;
}

void DetachAndDestroy(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd)) return;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
}

std::optional<LRESULT> ContainerHost::Handle(Control* container, HWND window, UINT msg, WPARAM wp, LPARAM lp,
                                             const Background& background, bool routeMouse) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            Paint(dc, container, window, background);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_COMMAND:
        case WM_SETCURSOR:
            break;
        default:
            if (!routeMouse || !IsRoutedMouseMessage(msg)) return std::nullopt;
            break;
    }
    LRESULT result = 0;
    if (Route(container, window, msg, wp, lp, result)) return result;
    return std::nullopt;
}

void ContainerHost::PaintDrawnControls(HDC dc, const Control* container, POINT origin) {
    for (auto& c : form_.controls_) {
        if (c->Container() != container || c->hWnd() || !c->Visible() || c->Kind() == ControlKind::Timer)
            continue;
        RECT r = c->PixelRect();
        OffsetRect(&r, origin.x, origin.y);
        try {
            c->PaintOn(dc, r);
        } catch (...) {
            ReportHandlerFailure("a control failed to draw\n");
        }
    }
}

Control* ContainerHost::HitTestDrawn(const Control* container, POINT pixel) {
    for (auto it = form_.controls_.rbegin(); it != form_.controls_.rend(); ++it) {
        Control* c = it->get();
        if (c->Container() != container || c->hWnd() || !c->Visible() || !c->Enabled()) continue;
        if (c->Kind() != ControlKind::Label && c->Kind() != ControlKind::Image)
            continue;  // shapes take no input
        RECT r = c->PixelRect();
        if (PtInRect(&r, pixel)) return c;
    }
    return nullptr;
}

void ContainerHost::Paint(HDC dc, Control* container, HWND window, const Background& background) {
    RECT client{};
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, client.right, client.bottom);
    if (!mem || !bmp) {
        if (bmp) DeleteObject(bmp);
        if (mem) DeleteDC(mem);
        background(dc);
        PaintDrawnControls(dc, container, POINT{0, 0});
        return;
    }
    HGDIOBJ old = SelectObject(mem, bmp);
    background(mem);
    PaintDrawnControls(mem, container, POINT{0, 0});
    BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

bool ContainerHost::Route(Control* container, HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    result = 0;
    if (msg == WM_COMMAND) return RouteCommand(wp, lp);
    if (msg == WM_SETCURSOR) {
        if (!SetCursorFor(container, window, wp, lp)) return false;
        result = TRUE;
        return true;
    }
    return RouteMouse(container, window, msg, wp, lp);
}

bool ContainerHost::RouteCommand(WPARAM wp, LPARAM lp) {
    HWND from = reinterpret_cast<HWND>(lp);
    if (!from) return false;
    for (auto& c : form_.controls_)
        if (c->hWnd() == from)
            if (auto* combo = dynamic_cast<ComboBox*>(c.get())) {
                combo->HandleCommand(HIWORD(wp));
                return true;
            }
    return false;
}

bool ContainerHost::SetCursorFor(Control* container, HWND window, WPARAM wp, LPARAM lp) {
    // The application-wide pointer wins over every window of the program, children included.
    if (HCURSOR app = AppCursor(); app && LOWORD(lp) == HTCLIENT) {
        SetCursor(app);
        return true;
    }
    if (LOWORD(lp) != HTCLIENT || reinterpret_cast<HWND>(wp) != window) return false;
    HCURSOR cursor = nullptr;
    {
        POINT pt{};
        GetCursorPos(&pt);
        ScreenToClient(window, &pt);
        if (Control* c = HitTestDrawn(container, pt)) cursor = c->CursorFor();
    }
    if (!cursor && container) cursor = container->CursorFor();
    if (!cursor) cursor = CursorForPointer(form_.pointer_, form_.pointerIcon_);
    if (!cursor) cursor = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(cursor);
    return true;
}

bool ContainerHost::RouteMouse(Control* container, HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    const int button = ButtonOfMessage(msg);
    const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
    const bool up = msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
    const bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    const bool move = msg == WM_MOUSEMOVE;
    if (!down && !up && !dbl && !move) return false;
    POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};

    // The target: a drawn control under the mouse (or the one holding the mouse), else a
    // picture box itself; the form's own events otherwise; user controls handle their own.
    Control* target = nullptr;
    RECT rect{};
    if ((up || move) && mouseControl_ &&
        (mouseControl_->Container() == container || mouseControl_ == container)) {
        target = mouseControl_;
    } else {
        target = HitTestDrawn(container, pt);
    }
    if (!target && container && container->Kind() == ControlKind::PictureBox) target = container;
    if (!target && container) return false;

    ScaleMode scale = container ? ScaleMode::Twips : form_.scaleMode_;
    if (target) {
        if (target == container) {
            GetClientRect(window, &rect);
            scale = static_cast<PictureBox*>(container)->GetScaleMode();
        } else {
            rect = target->PixelRect();
        }
    }
    const double x = PixelsToScale(pt.x - rect.left, scale, form_.TwipsPerPixelX());
    const double y = PixelsToScale(pt.y - rect.top, scale, form_.TwipsPerPixelY());
    EventArgs args{static_cast<double>(button), static_cast<double>(ShiftState() & 7), x, y};

    if (!target) {
        if (down && form_.Form_MouseDown) {
            Form::DispatchGuard guard(form_);
            try {
                form_.Form_MouseDown(button, ShiftState() & 7, x, y);
            } catch (...) {
                ReportHandlerFailure("a form mouse handler failed\n");
            }
        }
        return true;
    }
    if (down || dbl) {
        mouseControl_ = target;
        SetCapture(window);
        if (dbl)
            form_.RaiseControlEvent(*target, "DblClick");
        else
            form_.RaiseControlEvent(*target, "MouseDown", args);
    } else if (move) {
        args[0] = ButtonsOf(wp);
        form_.RaiseControlEvent(*target, "MouseMove", args);
    } else if (up) {
        const bool wasHeld = mouseControl_ == target;
        if (!(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
            mouseControl_ = nullptr;
            if (GetCapture() == window) ReleaseCapture();
        }
        form_.RaiseControlEvent(*target, "MouseUp", args);
        RECT inside = target == container ? rect : target->PixelRect();
        if (button == 1 && wasHeld && PtInRect(&inside, pt)) form_.RaiseControlEvent(*target, "Click");
    }
    return true;
}

}  // namespace qv
