#include "saver/framework/form.h"

#include <algorithm>

#include "saver/framework/focus_order.h"
#include "saver/framework/framework_internal.h"

namespace qv {

Control* Form::FocusedControl() const {
    // The nearest control up the focus window's parents (a combo box's edit field, a control
    // inside a frame panel).
    for (HWND h = GetFocus(); h && h != hwnd_; h = GetParent(h)) {
        for (auto& c : controls_)
            if (c->hWnd() == h) return c.get();
        if (!(GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) break;
    }
    return nullptr;
}

void Form::TabFocus(bool forward) {
    std::vector<FocusCandidate> candidates;
    int current = -1;
    Control* focused = FocusedControl();
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        Control* c = controls_[i].get();
        HWND h = c->hWnd();
        FocusCandidate fc;
        fc.tabIndex = c->TabIndex();
        fc.canFocus = h && c->CanTakeFocus() && c->TabStop() && IsWindowVisible(h) && IsWindowEnabled(h);
        candidates.push_back(fc);
        if (c == focused) current = static_cast<int>(i);
    }
    int next = NextInTabOrder(candidates, current, forward);
    if (next >= 0) ::SetFocus(controls_[static_cast<std::size_t>(next)]->hWnd());
}

bool Form::RouteAccessKey(char key) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < controls_.size(); ++i) order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return controls_[a]->TabIndex() < controls_[b]->TabIndex();
    });
    for (std::size_t i : order) {
        auto* u = dynamic_cast<UserControl*>(controls_[i].get());
        if (!u || !u->hWnd() || !MatchesAccessKey(u->AccessKeys(), key)) continue;
        if (!IsWindowVisible(u->hWnd()) || !IsWindowEnabled(u->hWnd())) continue;
        DispatchGuard guard(*this);
        if (u->CanTakeFocus() && GetFocus() != u->hWnd()) ::SetFocus(u->hWnd());
        try {
            u->NotifyAccessKey(static_cast<unsigned char>(key));
        } catch (...) {
            ReportHandlerFailure("an access key handler failed\n");
        }
        return true;
    }
    return false;
}

void Form::NotifyFocusChange() { UpdateDefaultDisplay(); }

void Form::UpdateDefaultDisplay() {
    Control* focused = FocusedControl();
    auto* focusedButton = dynamic_cast<UserControl*>(focused);
    if (focusedButton && !focusedButton->DefaultCancel()) focusedButton = nullptr;
    for (auto& c : controls_) {
        auto* u = dynamic_cast<UserControl*>(c.get());
        if (!u) continue;
        const bool isDefault =
            !defaultName_.empty() && u->Name() == defaultName_ && u->Index() == defaultIndex_;
        const bool show = focusedButton ? u == focusedButton : isDefault;
        if (show == u->Ambient().DisplayAsDefault) continue;
        AmbientProperties a = u->Ambient();
        a.DisplayAsDefault = show;
        try {
            u->SetAmbient(a, "DisplayAsDefault");
        } catch (...) {
            ReportHandlerFailure("an ambient change handler failed\n");
        }
    }
}

}  // namespace qv
