#include "saver/framework/form.h"

#include <algorithm>

namespace qv {

void Form::BuildControls() {
    // Objects first, so containers can be found whatever the order of the design.
    int seq = 0;
    for (const ControlDesign& d : design_.controls) {
        std::unique_ptr<Control> c;
        switch (d.kind) {
            case ControlKind::Label:
                c = std::make_unique<Label>(*this, d);
                break;
            case ControlKind::Image:
                c = std::make_unique<Image>(*this, d);
                break;
            case ControlKind::Shape:
                c = std::make_unique<Shape>(*this, d);
                break;
            case ControlKind::ComboBox:
                c = std::make_unique<ComboBox>(*this, d);
                break;
            case ControlKind::PictureBox:
                c = std::make_unique<PictureBox>(*this, d);
                break;
            case ControlKind::Timer:
                c = std::make_unique<Timer>(*this, d);
                break;
            case ControlKind::User: {
                if (!d.factory) throw FrameworkError("user control " + d.name + " has no maker");
                std::unique_ptr<UserControl> u = d.factory();
                if (!u) throw FrameworkError("user control " + d.name + " could not be made");
                u->Bind(*this, d);
                c = std::move(u);
                break;
            }
        }
        if (Find(d.name, d.index)) throw FrameworkError("control " + d.name + " declared twice");
        if (c->tabIndex_ < 0) c->tabIndex_ = seq;
        ++seq;
        controls_.push_back(std::move(c));
    }
    for (auto& c : controls_) {
        if (c->design_.parent.empty()) continue;
        Control* box = Find(c->design_.parent, c->design_.parentIndex);
        if (!box || !box->IsContainer() || box == c.get())
            throw FrameworkError("control " + c->name_ + " has no container " + c->design_.parent);
        c->SetContainer(box);
    }
    // Windows next, each container before what it holds.
    std::vector<Control*> pending;
    for (auto& c : controls_) pending.push_back(c.get());
    std::vector<Control*> made;
    while (!pending.empty()) {
        bool progress = false;
        for (auto it = pending.begin(); it != pending.end();) {
            Control* c = *it;
            if (c->Container() && std::find(made.begin(), made.end(), c->Container()) == made.end()) {
                ++it;
                continue;
            }
            HWND parent = c->Container() ? c->Container()->ContainerWindow() : hwnd_;
            if (auto* u = dynamic_cast<UserControl*>(c)) {
                u->Initialize();
                u->Create(parent);
                if (u->design_.saved)
                    u->ReadProperties(*u->design_.saved);
                else
                    u->InitProperties();
                u->Resize();
                if (u->visible_) ShowWindow(u->hwnd_, SW_SHOWNA);
            } else {
                c->Create(parent);
            }
            made.push_back(c);
            it = pending.erase(it);
            progress = true;
        }
        if (!progress) throw FrameworkError("controls inside each other in a circle");
    }
    UpdateDefaultDisplay();
}

}  // namespace qv
