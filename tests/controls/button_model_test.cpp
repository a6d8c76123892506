#include "saver/controls/button_model.h"

#include <gtest/gtest.h>

#include "fake_button_host.h"

namespace qv::controls {
namespace {

using testing::ButtonFixture;
using testing::FakeButtonHost;

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

TEST(ButtonLifecycle, NewInstanceSetsItsPropertiesThroughTheSetters) {
    FakeButtonHost host;
    ButtonModel button{host};
    button.OnCreate(ButtonDefaultFont());
    button.OnNewInstance();
    EXPECT_EQ(host.changed, (std::vector<std::string>{"Caption", "ForeColor", "Enabled", "FocusRect"}));
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
