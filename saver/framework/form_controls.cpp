#include "saver/framework/form.h"

#include <algorithm>

namespace qv {

Control* Form::Find(const std::string& name, int index) const {
    for (auto& c : controls_)
        if (c->name_ == name && c->index_ == index) return c.get();
    return nullptr;
}

Control& Form::Ctl(const std::string& name, int index) const {
    if (Control* c = Find(name, index)) return *c;
    throw FrameworkError("no control " + name +
                         (index >= 0 ? "(" + std::to_string(index) + ")" : std::string()) + " on " +
                         design_.name);
}

std::vector<int> Form::Indices(const std::string& name) const {
    std::vector<int> out;
    for (auto& c : controls_)
        if (c->name_ == name && c->index_ >= 0) out.push_back(c->index_);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<Control*> Form::Controls() const {
    std::vector<Control*> out;
    for (auto& c : controls_) out.push_back(c.get());
    return out;
}

void Form::InvalidateControl(const Control& c) {
    if (!hwnd_) return;
    HWND window = c.Container() ? c.Container()->ContainerWindow() : hwnd_;
    if (!window) return;
    RECT r = c.PixelRect();
    InvalidateRect(window, &r, FALSE);
}

void Form::RefreshTouchedImages() {
    for (auto& c : controls_) {
        if (auto* p = dynamic_cast<PictureBox*>(c.get())) {
            if (p->Surface().TakeTouched() && p->hWnd()) InvalidateRect(p->hWnd(), nullptr, FALSE);
        } else if (auto* u = dynamic_cast<UserControl*>(c.get())) {
            if (u->Image().TakeTouched() && u->hWnd()) InvalidateRect(u->hWnd(), nullptr, FALSE);
        }
    }
}

}  // namespace qv
