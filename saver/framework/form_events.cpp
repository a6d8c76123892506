#include "saver/framework/form.h"

#include "saver/framework/framework_internal.h"

namespace qv {
namespace {

std::string Key(const std::string& control, const std::string& event) { return control + "\n" + event; }

}  // namespace

void ReportHandlerFailure(const char* what) {
    // Handlers are the form's own code; a failure there ends that handler, not the program.
    OutputDebugStringA(what);
}

void Form::OnClick(const std::string& control, std::function<void(int)> h) {
    handlers_.emplace(Key(control, "Click"), [h](int i, EventArgs&) { h(i); });
}
void Form::OnDblClick(const std::string& control, std::function<void(int)> h) {
    handlers_.emplace(Key(control, "DblClick"), [h](int i, EventArgs&) { h(i); });
}
namespace {
std::function<void(int, EventArgs&)> MouseWrap(Form::MouseHandler h) {
    return [h](int i, EventArgs& a) {
        if (a.size() >= 4) h(i, static_cast<int>(a[0]), static_cast<int>(a[1]), a[2], a[3]);
    };
}
}  // namespace
void Form::OnMouseDown(const std::string& control, MouseHandler h) {
    handlers_.emplace(Key(control, "MouseDown"), MouseWrap(h));
}
void Form::OnMouseUp(const std::string& control, MouseHandler h) {
    handlers_.emplace(Key(control, "MouseUp"), MouseWrap(h));
}
void Form::OnMouseMove(const std::string& control, MouseHandler h) {
    handlers_.emplace(Key(control, "MouseMove"), MouseWrap(h));
}
void Form::OnTimer(const std::string& control, std::function<void(int)> h) {
    handlers_.emplace(Key(control, "Timer"), [h](int i, EventArgs&) { h(i); });
}
void Form::OnEvent(const std::string& control, const std::string& event,
                   std::function<void(int, EventArgs&)> h) {
    handlers_.emplace(Key(control, event), std::move(h));
}

void Form::RaiseControlEvent(Control& c, const std::string& event, EventArgs& args) {
    DispatchGuard guard(*this);
    const std::string key = Key(c.Name(), event);
    const int index = c.Index();
    std::vector<std::function<void(int, EventArgs&)>> hs;
    auto range = handlers_.equal_range(key);
    for (auto it = range.first; it != range.second; ++it) hs.push_back(it->second);
    for (auto& h : hs) {
        try {
            h(index, args);
        } catch (...) {
            ReportHandlerFailure("an event handler failed\n");
        }
    }
}

void Form::RaiseControlEvent(Control& c, const std::string& event) {
    EventArgs none;
    RaiseControlEvent(c, event, none);
}

Form::DispatchGuard::DispatchGuard(Form& f) : form_(f) { ++form_.dispatchDepth_; }
Form::DispatchGuard::~DispatchGuard() {
    if (--form_.dispatchDepth_ == 0) form_.retired_.clear();
}

}  // namespace qv
