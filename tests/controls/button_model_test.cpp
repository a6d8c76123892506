#include "saver/controls/button_model.h"

#include <gtest/gtest.h>

#include "recording_canvas.h"

namespace qv::controls {
namespace {

using testing::RecordingButtonCanvas;

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

using ButtonInput = ButtonFixture;

TEST_F(ButtonInput, ClickPathNormalHotPressedHot) {
    Activate();
    EXPECT_EQ(button.State(), StateNormal);
    MoveIn();
    EXPECT_EQ(button.State(), StateHot);
    EXPECT_GT(host.trackLeaves, 0);
    button.OnMouseDown(1, 0, 10, 10);
    EXPECT_EQ(button.State(), StatePressed);
    EXPECT_TRUE(button.HasFocus());
    button.OnGotFocus();
    EXPECT_EQ(button.State(), StatePressed);
    Events();
    button.OnMouseUp(1, 0, 10, 10);
    EXPECT_EQ(button.State(), StateHot);
    EXPECT_EQ(Events(), std::vector<std::string>{"Click"});
    EXPECT_FALSE(button.Pressed());
    button.OnMouseLeave();
    EXPECT_EQ(button.State(), StateFocused);
}

TEST_F(ButtonInput, DragOffAndReleaseGivesNoClickAndLeavesFocused) {
    Activate();
    MoveIn();
    button.OnMouseDown(1, 0, 10, 10);
    button.OnGotFocus();
    MoveOut();
    EXPECT_EQ(button.State(), StateFocused);
    MoveIn();
    EXPECT_EQ(button.State(), StatePressed);
    MoveOut();
    Events();
    button.OnMouseUp(1, 0, -5, 10);
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(button.State(), StateFocused);
}

TEST_F(ButtonInput, EdgesOfTheButtonCountAsInside) {
    Activate();
    button.OnMouseMove(0, 0, 0, 0);
    EXPECT_TRUE(button.MouseOver());
    button.OnMouseMove(0, 0, static_cast<float>(host.widthTw), static_cast<float>(host.heightTw));
    EXPECT_TRUE(button.MouseOver());
    button.OnMouseMove(0, 0, static_cast<float>(host.widthTw) + 1, 0);
    EXPECT_FALSE(button.MouseOver());
}

TEST_F(ButtonInput, OtherMouseButtonsNeitherPressNorClick) {
    Activate();
    MoveIn();
    button.OnMouseDown(2, 0, 10, 10);
    EXPECT_EQ(button.State(), StateHot);
    Events();
    button.OnMouseUp(2, 0, 10, 10);
    button.OnDblClick();  // last button was the right one
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(button.State(), StateHot);
}

TEST_F(ButtonInput, SpaceHeldThenMouseClickGivesOneClick) {
    Activate();
    button.OnGotFocus();
    MoveIn();
    button.OnKeyDown(32);
    EXPECT_EQ(button.State(), StatePressed);
    button.OnMouseDown(1, 0, 10, 10);
    Events();
    button.OnMouseUp(1, 0, 10, 10);
    EXPECT_EQ(Events(), std::vector<std::string>{"Click"});
    button.OnKeyUp(32);
    EXPECT_TRUE(Events().empty());
    EXPECT_FALSE(button.SpaceDown());
    EXPECT_EQ(button.State(), StateHot);
}

TEST_F(ButtonInput, SpacePressWhileMouseHeldDoesNothing) {
    Activate();
    MoveIn();
    button.OnMouseDown(1, 0, 10, 10);
    button.OnKeyDown(32);
    EXPECT_FALSE(button.SpaceDown());
    button.OnKeyUp(32);
    EXPECT_TRUE(button.Pressed());
    EXPECT_EQ(button.State(), StatePressed);
    Events();
    button.OnMouseUp(1, 0, 10, 10);
    EXPECT_EQ(Events(), std::vector<std::string>{"Click"});
}

TEST_F(ButtonInput, SpaceClickFromFocusedAndMovesIgnoredWhileHeld) {
    Activate();
    button.OnGotFocus();
    EXPECT_EQ(button.State(), StateFocused);
    button.OnKeyDown(32);
    button.OnKeyDown(32);  // auto-repeat
    EXPECT_EQ(button.State(), StatePressed);
    const size_t draws = host.drawn.size();
    Events();
    MoveIn();
    MoveOut();
    EXPECT_EQ(host.drawn.size(), draws);
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(button.State(), StatePressed);
    button.OnKeyUp(32);
    EXPECT_EQ(Events(), std::vector<std::string>{"Click"});
    EXPECT_EQ(button.State(), StateFocused);
}

TEST_F(ButtonInput, AccessKeyClicksButCancelsAHeldSpace) {
    Activate();
    button.OnAccessKey();
    EXPECT_EQ(Events(), (std::vector<std::string>{"doevents", "Click"}));
    button.OnGotFocus();
    button.OnKeyDown(32);
    button.OnAccessKey();
    EXPECT_TRUE(Events().empty());
    EXPECT_FALSE(button.SpaceDown());
    EXPECT_FALSE(button.Pressed());
    EXPECT_EQ(button.State(), StateFocused);
    button.OnKeyUp(32);
    EXPECT_TRUE(Events().empty());
}

TEST_F(ButtonInput, EnterClicksOncePerKeyDownWithoutPressedLook) {
    Activate();
    button.OnGotFocus();
    Reset();
    button.OnKeyDown(13);
    button.OnKeyDown(13);
    button.OnKeyUp(13);
    EXPECT_EQ(Events(), (std::vector<std::string>{"Click", "Click"}));
    EXPECT_TRUE(host.drawn.empty());
}

TEST_F(ButtonInput, ArrowsMoveTheFocus) {
    for (int key : {37, 38, 39, 40, 65}) button.OnKeyDown(key);
    EXPECT_EQ(Events(), (std::vector<std::string>{"keys +{TAB}", "keys +{TAB}", "keys {TAB}", "keys {TAB}"}));
}

TEST_F(ButtonInput, DoubleClickRaisesClickThenDblClickAndStaysPressedUntilRelease) {
    Activate();
    MoveIn();
    button.OnMouseDown(1, 0, 10, 10);
    button.OnGotFocus();
    button.OnMouseUp(1, 0, 10, 10);
    button.OnDblClick();
    EXPECT_EQ(button.State(), StatePressed);
    EXPECT_EQ(Events(), (std::vector<std::string>{"MouseMove 0", "Click", "DblClick"}));
    button.OnMouseUp(1, 0, 10, 10);
    EXPECT_EQ(button.State(), StateHot);
    EXPECT_TRUE(Events().empty());
}

TEST_F(ButtonInput, DeactivationMidPressForgetsIt) {
    Activate();
    MoveIn();
    button.OnMouseDown(1, 0, 10, 10);
    button.OnKeyDown(32);
    button.OnFormActivation(false);
    EXPECT_EQ(button.State(), StateNormal);
    EXPECT_FALSE(button.Pressed());
    EXPECT_FALSE(button.MouseDown());
    EXPECT_FALSE(button.FormActive());
    Activate();
    EXPECT_EQ(button.State(), StateHot);
    Events();
    button.OnMouseUp(1, 0, 10, 10);
    EXPECT_TRUE(Events().empty());
}

TEST_F(ButtonInput, FormActivationRaisesFormActivateAndRedraws) {
    button.OnGotFocus();
    button.OnFormActivation(true);
    EXPECT_EQ(Events(), std::vector<std::string>{"FormActivate 1"});
    EXPECT_EQ(button.State(), StateFocused);
    button.OnFormActivation(false);
    EXPECT_EQ(Events(), std::vector<std::string>{"FormActivate 0"});
    EXPECT_EQ(button.State(), StateNormal);
}

TEST_F(ButtonInput, DisabledButtonIgnoresAccessKeyAndDefaultButStillReportsActivation) {
    button.SetEnabled(false);
    EXPECT_EQ(button.State(), StateDisabled);
    EXPECT_FALSE(host.windowEnabled);
    Reset();
    button.OnAccessKey();
    host.ambientDefault = true;
    button.OnAmbientChanged("DisplayAsDefault");
    EXPECT_TRUE(button.DisplayAsDefault());
    button.OnFormActivation(true);
    button.OnFormActivation(false);
    EXPECT_TRUE(host.drawn.empty());
    EXPECT_EQ(Events(), (std::vector<std::string>{"FormActivate 1", "FormActivate 0"}));
    EXPECT_EQ(button.State(), StateDisabled);
    // Leaving does not repaint a disabled button either.
    MoveIn();
    button.OnMouseLeave();
    EXPECT_EQ(button.State(), StateDisabled);
}

TEST_F(ButtonInput, NoMouseMoveBeforeTheFormWasFirstActivated) {
    MoveIn();
    MoveOut();
    EXPECT_TRUE(Events().empty());
    EXPECT_TRUE(host.drawn.empty());
    Activate();
    Events();
    MoveIn();
    EXPECT_EQ(Events(), std::vector<std::string>{"MouseMove 0"});
}

TEST_F(ButtonInput, DefaultButtonDisplayFollowsTheAmbientFlag) {
    Activate();
    host.ambientDefault = true;
    button.OnAmbientChanged("BackColor");  // flag taken, no redraw for other names
    EXPECT_TRUE(button.DisplayAsDefault());
    EXPECT_EQ(button.State(), StateNormal);
    button.OnAmbientChanged("DisplayAsDefault");
    EXPECT_EQ(button.State(), StateFocused);
    MoveIn();
    button.OnMouseLeave();
    EXPECT_EQ(button.State(), StateFocused);
    host.ambientDefault = false;
    button.OnAmbientChanged("DisplayAsDefault");
    EXPECT_EQ(button.State(), StateNormal);
}

TEST_F(ButtonInput, MouseLeaveRules) {
    Activate();
    MoveIn();
    button.OnMouseLeave();
    EXPECT_EQ(button.State(), StateNormal);
    // Pressed, then the pointer leaves: focused while the press is held.
    MoveIn();
    button.OnMouseDown(1, 0, 10, 10);
    button.OnMouseLeave();
    EXPECT_EQ(button.State(), StateFocused);
    EXPECT_FALSE(button.MouseOver());
    // Space held: leaving changes nothing but the flag.
    button.OnMouseUp(1, 0, 10, 10);
    button.OnKeyDown(32);
    MoveIn();
    button.OnMouseLeave();
    EXPECT_EQ(button.State(), StatePressed);
}

TEST_F(ButtonInput, FocusChanges) {
    Activate();
    button.OnGotFocus();
    EXPECT_EQ(button.State(), StateFocused);
    button.OnLostFocus();
    EXPECT_EQ(button.State(), StateNormal);
    MoveIn();
    button.OnGotFocus();
    EXPECT_EQ(button.State(), StateHot);
    button.OnKeyDown(32);
    button.OnLostFocus();
    EXPECT_FALSE(button.SpaceDown());
    EXPECT_FALSE(button.Pressed());
    EXPECT_EQ(button.State(), StateHot);
    button.OnFormActivation(false);
    button.OnGotFocus();
    button.OnLostFocus();
    EXPECT_EQ(button.State(), StateNormal);
}

using ButtonProperties = ButtonFixture;

TEST_F(ButtonProperties, EnabledSetterPicksTheStateToShow) {
    button.SetEnabled(false);
    EXPECT_EQ(button.State(), StateDisabled);
    button.SetEnabled(true);
    EXPECT_EQ(button.State(), StateNormal);
    EXPECT_TRUE(host.windowEnabled);
    Reset();
    button.SetEnabled(true);  // already normal: no redraw
    EXPECT_TRUE(host.drawn.empty());
    host.ambientDefault = true;
    button.OnAmbientChanged("DisplayAsDefault");
    button.SetEnabled(false);
    button.SetEnabled(true);
    EXPECT_EQ(button.State(), StateFocused);
    Activate();
    MoveIn();
    button.SetEnabled(true);
    EXPECT_EQ(button.State(), StateHot);
    EXPECT_EQ(host.changed.back(), "Enabled");
}

TEST_F(ButtonProperties, FocusRectRedrawsOnlyWithTheFocus) {
    Reset();
    button.SetFocusRect(false);
    EXPECT_TRUE(host.drawn.empty());
    button.OnGotFocus();
    Reset();
    button.SetFocusRect(true);
    EXPECT_EQ(host.drawn.size(), 1u);
    EXPECT_TRUE(host.canvas.Has("focus"));
    host.canvas.ops.clear();
    button.SetFocusRect(false);
    EXPECT_FALSE(host.canvas.Has("focus"));
    EXPECT_EQ(host.changed.back(), "FocusRect");
}

TEST_F(ButtonProperties, CaptionSetsTheAccessKeyAndRedraws) {
    Reset();
    button.SetCaption("&Apply");
    EXPECT_EQ(host.accessKeys, "a");
    EXPECT_EQ(host.drawn.size(), 1u);
    EXPECT_TRUE(host.canvas.Has("caption '&Apply'"));
    button.SetForeColor(Rgb(9, 8, 7));
    EXPECT_TRUE(host.canvas.Has("caption '&Apply' 3,3-77,22 070809"));
    EXPECT_EQ(host.changed.back(), "ForeColor");
}

TEST(ButtonLifecycle, CreationLocksDrawingUntilLoadAndLoadHooksInRunModeOnly) {
    for (bool run : {true, false}) {
        FakeButtonHost host;
        host.runMode = run;
        ButtonModel button{host};
        host.model = &button;
        button.OnCreate(ButtonDefaultFont());
        button.OnResize();
        button.SetCaption("x");
        EXPECT_TRUE(host.drawn.empty());
        PropertyBag saved;
        saved.Put("Caption", std::string("参照(&F)")).Put("Enabled", false);
        button.OnLoad(saved);
        EXPECT_FALSE(button.DrawLocked());
        EXPECT_EQ(button.Caption(), "参照(&F)");
        EXPECT_EQ(host.accessKeys, "f");
        EXPECT_EQ(button.State(), StateDisabled);
        EXPECT_EQ(host.drawingFont, ButtonDefaultFont());
        std::vector<std::string> expected = {"parent"};
        if (run) expected.push_back("hook");
        EXPECT_EQ(host.events, expected);
        host.events.clear();
        button.OnDestroy();
        EXPECT_EQ(host.events, run ? std::vector<std::string>{"unhook"} : std::vector<std::string>{});
    }
}

TEST(ButtonLifecycle, NewInstanceChoosesCaptionAndDraws) {
    FakeButtonHost host;
    host.captions = {"&OK", "&Cancel", ""};
    ButtonModel button{host};
    button.OnCreate(ButtonDefaultFont());
    button.OnNewInstance();
    EXPECT_EQ(button.Caption(), "&Apply");
    EXPECT_TRUE(button.Enabled());
    EXPECT_TRUE(button.FocusRect());
    EXPECT_EQ(button.ForeColor(), 0u);
    EXPECT_EQ(button.State(), StateNormal);
    EXPECT_FALSE(host.drawn.empty());

    FakeButtonHost full;
    full.captions = {"&Apply", "&OK", "&Cancel", ""};
    ButtonModel named{full};
    named.OnCreate(ButtonDefaultFont());
    named.OnNewInstance();
    EXPECT_EQ(named.Caption(), "ccXPButton4");
}

TEST(ButtonLifecycle, SaveStoresNonDefaultsAndAlwaysTheFont) {
    FakeButtonHost host;
    ButtonModel button{host};
    button.OnCreate(ButtonDefaultFont());
    button.OnNewInstance();
    button.SetCaption("&OK");
    PropertyBag bag;
    button.OnSave(bag);
    EXPECT_EQ(bag.Names(), std::vector<std::string>{"Font"});

    button.SetCaption("&Cancel");
    button.SetEnabled(false);
    button.SetForeColor(Rgb(255, 0, 0));
    button.SetFocusRect(false);
    FontDesc bold = ButtonDefaultFont();
    bold.weight = 700;
    button.SetFont(bold);
    bag.Clear();
    button.OnSave(bag);
    EXPECT_EQ(bag.Names(),
              (std::vector<std::string>{"Caption", "Enabled", "ForeColor", "Font", "FocusRect"}));
    EXPECT_TRUE(std::holds_alternative<std::int32_t>(*bag.Find("ForeColor")));

    FakeButtonHost other;
    ButtonModel loaded{other};
    loaded.OnCreate(ButtonDefaultFont());
    loaded.OnLoad(bag);
    EXPECT_EQ(loaded.Caption(), "&Cancel");
    EXPECT_FALSE(loaded.Enabled());
    EXPECT_EQ(loaded.ForeColor(), Rgb(255, 0, 0));
    EXPECT_FALSE(loaded.FocusRect());
    EXPECT_EQ(loaded.Font().weight, 700);
}

TEST(ButtonLifecycle, SmallSizeIsRaisedAndTheButtonStillShowsItsState) {
    FakeButtonHost host;
    ButtonModel button{host};
    host.model = &button;
    button.OnCreate(ButtonDefaultFont());
    button.OnLoad(PropertyBag{});
    button.OnGotFocus();
    ASSERT_EQ(button.State(), StateFocused);

    host.widthTw = 45;
    host.heightTw = 30;
    host.drawn.clear();
    host.canvas.ops.clear();
    button.OnResize();
    EXPECT_EQ(host.widthTw, 100);
    EXPECT_EQ(host.heightTw, 100);
    EXPECT_FALSE(button.DrawLocked());
    // Drawn once, at the settled size, in the state it had.
    EXPECT_EQ(host.drawn.size(), 1u);
    EXPECT_TRUE(host.canvas.Has("region 0,0-7,7 3x3"));
    EXPECT_EQ(button.State(), StateFocused);
}

// Defaults a newly loaded button falls back on, and what a font change reports.
TEST(ButtonDefaults, FontIsVerdanaEightPointQuarterNormalWesternAndFocusRectIsOn) {
    const FontDesc f = ButtonDefaultFont();
    EXPECT_EQ(f.name, "Verdana");
    EXPECT_EQ(f.size, 8.25);
    EXPECT_EQ(f.weight, 400);
    EXPECT_EQ(f.charset, 0);
    EXPECT_FALSE(f.italic || f.underline || f.strikethrough);

    FakeButtonHost host;
    ButtonModel button{host};
    host.model = &button;
    button.OnCreate(f);
    button.SetForeColor(Rgb(1, 2, 3));
    button.OnLoad(PropertyBag{});
    EXPECT_TRUE(button.FocusRect());
    EXPECT_EQ(button.ForeColor(), 0u);
    EXPECT_EQ(button.Caption(), "&OK");
    EXPECT_TRUE(button.Enabled());
    EXPECT_TRUE(host.canvas.Has("caption '&OK'"));  // the load ends with a drawing
    FontDesc big = f;
    big.size = 12;
    host.changed.clear();
    host.drawn.clear();
    button.SetFont(big);
    EXPECT_EQ(host.drawingFont, big);
    EXPECT_EQ(host.changed, std::vector<std::string>{"Font"});
    EXPECT_EQ(host.drawn.size(), 1u) << "the caption is drawn again in the new font";
}

TEST_F(ButtonInput, MouseReleasedOutsideWhileSpaceHeldShowsTheFocus) {
    Activate();
    button.OnGotFocus();
    MoveIn();
    button.OnKeyDown(32);
    button.OnMouseDown(1, 0, 10, 10);
    MoveOut();  // ignored while the space bar is held
    EXPECT_EQ(button.State(), StatePressed);
    button.OnMouseUp(1, 0, -5, 10);
    EXPECT_EQ(button.State(), StateFocused);
}

TEST_F(ButtonInput, ReactivatedFormShowsTheFocusedOrDefaultButtonAgain) {
    Activate();
    button.OnGotFocus();
    button.OnFormActivation(false);
    ASSERT_EQ(button.State(), StateNormal);
    button.OnFormActivation(true);
    EXPECT_EQ(button.State(), StateFocused);

    button.OnLostFocus();
    host.ambientDefault = true;
    button.OnAmbientChanged("DisplayAsDefault");
    button.OnFormActivation(false);
    ASSERT_EQ(button.State(), StateNormal);
    button.OnFormActivation(true);
    EXPECT_EQ(button.State(), StateFocused);
}

TEST_F(ButtonInput, LeavingAFocusedButtonOnAnInactiveFormDrawsNothing) {
    Activate();
    button.OnGotFocus();
    button.OnFormActivation(false);
    ASSERT_EQ(button.State(), StateNormal);
    MoveIn();  // no drawing while the form is inactive
    Reset();
    button.OnMouseLeave();
    EXPECT_TRUE(host.drawn.empty());
    EXPECT_EQ(button.State(), StateNormal);
}

TEST_F(ButtonInput, TheDefaultButtonLosingTheFocusMidSpaceShowsAsDefault) {
    Activate();
    host.ambientDefault = true;
    button.OnAmbientChanged("DisplayAsDefault");
    button.OnGotFocus();
    button.OnKeyDown(32);
    ASSERT_EQ(button.State(), StatePressed);
    button.OnLostFocus();
    EXPECT_EQ(button.State(), StateFocused);
    EXPECT_FALSE(button.Pressed());
}

TEST(ButtonLifecycle, ADisabledButtonIsDrawnWhenItsPropertiesAreLoaded) {
    FakeButtonHost host;
    ButtonModel button{host};
    host.model = &button;
    button.OnCreate(ButtonDefaultFont());
    PropertyBag saved;
    saved.Put("Enabled", false);
    button.OnLoad(saved);
    EXPECT_EQ(button.State(), StateDisabled);
    EXPECT_TRUE(host.canvas.Has("caption '&OK' 3,3-77,22 92A1A1"));
}

TEST_F(ButtonInput, FocusArrivingUnderTheMouseOnAnInactiveFormShowsHot) {
    MoveIn();  // the form is not active: nothing drawn
    ASSERT_EQ(button.State(), StateNormal);
    button.OnGotFocus();
    EXPECT_EQ(button.State(), StateHot);
}

TEST_F(ButtonInput, AccessKeyCancellingASpaceUnderTheMouseShowsHot) {
    Activate();
    button.OnGotFocus();
    MoveIn();
    button.OnKeyDown(32);
    ASSERT_EQ(button.State(), StatePressed);
    Events();
    button.OnAccessKey();
    EXPECT_EQ(button.State(), StateHot);
    EXPECT_FALSE(button.SpaceDown());
    EXPECT_TRUE(Events().empty());
}

TEST(ButtonLifecycle, NewInstanceSetsItsPropertiesThroughTheSetters) {
    FakeButtonHost host;
    ButtonModel button{host};
    button.OnCreate(ButtonDefaultFont());
    button.OnNewInstance();
    EXPECT_EQ(host.changed, (std::vector<std::string>{"Caption", "ForeColor", "Enabled", "FocusRect"}));
}

TEST_F(ButtonInput, DeactivationForgetsAHeldSpace) {
    Activate();
    button.OnGotFocus();
    button.OnKeyDown(32);
    ASSERT_TRUE(button.SpaceDown());
    button.OnFormActivation(false);
    EXPECT_FALSE(button.SpaceDown());
    EXPECT_FALSE(button.Pressed());
}

TEST(ButtonLifecycle, AButtonTooNarrowButHighEnoughIsDrawnOnceAtItsNewWidth) {
    FakeButtonHost host;
    ButtonModel button{host};
    host.model = &button;
    button.OnCreate(ButtonDefaultFont());
    button.OnLoad(PropertyBag{});
    host.widthTw = 45;
    host.drawn.clear();
    host.canvas.ops.clear();
    button.OnResize();
    EXPECT_EQ(host.widthTw, 100);
    EXPECT_EQ(host.drawn.size(), 1u);
    EXPECT_TRUE(host.canvas.Has("region 0,0-7,26 3x3"));
}

TEST_F(ButtonInput, SpaceReleasedUnderTheMouseShowsHot) {
    Activate();
    button.OnGotFocus();
    MoveIn();
    button.OnKeyDown(32);
    EXPECT_EQ(button.State(), StatePressed);
    Events();
    button.OnKeyUp(32);
    EXPECT_EQ(button.State(), StateHot);
    EXPECT_EQ(Events(), std::vector<std::string>{"Click"});
}

TEST_F(ButtonInput, AButtonThatLostTheFocusShowsNeitherFocusNorItsRectangle) {
    Activate();
    button.OnGotFocus();
    button.OnLostFocus();
    EXPECT_FALSE(button.HasFocus());
    host.canvas.ops.clear();
    MoveIn();
    EXPECT_EQ(button.State(), StateHot);
    EXPECT_FALSE(host.canvas.Has("focus"));
    MoveOut();
    EXPECT_EQ(button.State(), StateNormal);
}

TEST_F(ButtonProperties, EnabledAgainUnderTheMouseShowsHot) {
    Activate();
    MoveIn();
    button.SetEnabled(false);
    ASSERT_EQ(button.State(), StateDisabled);
    button.SetEnabled(true);  // the pointer never left
    EXPECT_EQ(button.State(), StateHot);
}

}  // namespace
}  // namespace qv::controls
