#include "saver/framework/form.h"

#include "saver/framework/ansi_text.h"
#include "saver/framework/framework_internal.h"

namespace qv {

std::string Form::Caption() const {
    if (!hwnd_) return design_.caption;
    int n = GetWindowTextLengthW(hwnd_);
    std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd_, w.data(), n + 1);
    w.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
    return Narrow(w);
}

void Form::SetCaption(const std::string& utf8) {
    design_.caption = utf8;
    if (hwnd_) SetWindowTextW(hwnd_, Widen(utf8).c_str());
}

void Form::SetBorderStyle(qv::BorderStyle b) {
    border_ = b;
    if (!hwnd_) return;
    DWORD style = 0, ex = 0;
    FormStyleFor(b, design_.controlBox, style, ex);
    const LONG old = GetWindowLongW(hwnd_, GWL_STYLE);
    // Keep what is not a matter of the border: visibility, child state.
    const LONG keep = old & (WS_VISIBLE | WS_CHILD | WS_DISABLED);
    if (old & WS_CHILD) style &= ~static_cast<DWORD>(WS_POPUP);
    SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(style) | keep);
    SetWindowLongW(hwnd_, GWL_EXSTYLE, static_cast<LONG>(ex));
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Form::SetBackColor(Colour c) {
    backColor_ = c;
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    for (auto& ctl : controls_)
        if (auto* u = dynamic_cast<UserControl*>(ctl.get())) {
            AmbientProperties a = u->Ambient();
            a.BackColor = c;
            u->SetAmbient(a, "BackColor");
        }
}

void Form::SetDefaultControl(const std::string& name, int index) {
    defaultName_ = name;
    defaultIndex_ = index;
    if (hwnd_) UpdateDefaultDisplay();
}

void Form::SetMousePointer(MousePointer p, int iconResource) {
    pointer_ = p;
    pointerIcon_ = iconResource;
}

}  // namespace qv
