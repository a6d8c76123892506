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

}  // namespace qv
