// The push button's state machine: mouse, keys, focus and activation, and the state each
// leaves the button drawn in.
#include "saver/controls/button_states.h"

#include <gtest/gtest.h>

#include "fake_button_host.h"

namespace qv::controls {
namespace {

using testing::ButtonFixture;
using testing::FakeButtonHost;
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

TEST_F(ButtonInput, DeactivationForgetsAHeldSpace) {
    Activate();
    button.OnGotFocus();
    button.OnKeyDown(32);
    ASSERT_TRUE(button.SpaceDown());
    button.OnFormActivation(false);
    EXPECT_FALSE(button.SpaceDown());
    EXPECT_FALSE(button.Pressed());
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

}  // namespace
}  // namespace qv::controls
