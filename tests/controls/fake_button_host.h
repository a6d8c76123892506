// A push button's model over a host that records what it is asked to do: the drawings, the
// events it raises, the keys it queues. Shared by the model's and the state machine's tests.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "recording_canvas.h"
#include "saver/controls/button_model.h"

namespace qv::controls::testing {

class FakeButtonHost : public ButtonHost {
  public:
    ButtonCanvas* Canvas() override {
        drawn.push_back(model ? model->State() : -1);
        return &canvas;
    }
    int InnerWidthPixels() override { return static_cast<int>(widthTw / 15); }
    int InnerHeightPixels() override { return static_cast<int>(heightTw / 15); }
    double InnerScaleWidth() override { return widthTw; }
    double InnerScaleHeight() override { return heightTw; }
    double OuterWidthTwips() override { return widthTw; }
    double OuterHeightTwips() override { return heightTw; }
    // The container resizes at once, from inside the call, as the platform does.
    void SetOuterWidthTwips(double t) override {
        widthTw = t;
        if (model) model->OnResize();
    }
    void SetOuterHeightTwips(double t) override {
        heightTw = t;
        if (model) model->OnResize();
    }
    void SetWindowEnabled(bool e) override { windowEnabled = e; }
    void SetAccessKey(const std::string& k) override { accessKeys = k; }
    void SetDrawingFont(const FontDesc& f) override { drawingFont = f; }
    void ReportChanged(const std::string& n) override { changed.push_back(n); }
    bool AmbientDisplayAsDefault() override { return ambientDefault; }
    bool RunMode() override { return runMode; }
    std::vector<std::string> ButtonCaptionsOnForm() override { return captions; }
    std::string ControlName() override { return "ccXPButton4"; }
    void RecordParentWindow() override { events.push_back("parent"); }
    void StartHooks() override { events.push_back("hook"); }
    void StopHooks() override { events.push_back("unhook"); }
    void TrackMouseLeave() override { ++trackLeaves; }
    void QueueKeys(const std::string& k) override { events.push_back("keys " + k); }
    void PumpMessages() override { events.push_back("doevents"); }
    void RaiseClick() override { events.push_back("Click"); }
    void RaiseDblClick() override { events.push_back("DblClick"); }
    void RaiseMouseMove(std::int16_t b, std::int16_t, float, float) override {
        events.push_back("MouseMove " + std::to_string(b));
    }
    void RaiseFormActivate(std::int32_t& state) override {
        events.push_back("FormActivate " + std::to_string(state));
    }

    RecordingButtonCanvas canvas{200, 100};
    ButtonModel* model = nullptr;
    std::vector<int> drawn;
    std::vector<std::string> events;
    std::vector<std::string> changed;
    std::vector<std::string> captions = {""};
    std::string accessKeys;
    FontDesc drawingFont;
    double widthTw = 1200, heightTw = 375;
    bool windowEnabled = false;
    bool ambientDefault = false;
    bool runMode = true;
    int trackLeaves = 0;
};

// A loaded button in run mode, not yet on an active form.
struct ButtonFixture : ::testing::Test {
    FakeButtonHost host;
    ButtonModel button{host};

    void SetUp() override {
        host.model = &button;
        button.OnCreate(ButtonDefaultFont());
        button.OnLoad(PropertyBag{});
        Reset();
    }
    void Reset() {
        host.drawn.clear();
        host.events.clear();
    }
    std::vector<std::string> Events() {
        auto e = host.events;
        host.events.clear();
        return e;
    }
    void Activate() {
        button.OnFormActivation(true);
        Events();
    }
    void MoveIn() { button.OnMouseMove(0, 0, 10, 10); }
    void MoveOut() { button.OnMouseMove(0, 0, -5, 10); }
};

}  // namespace qv::controls::testing
