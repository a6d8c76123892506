// GFXFrameX and ccXPButton hosted on real forms of the framework, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "saver/controls/button_palette.h"
#include "saver/controls/cc_xp_button.h"
#include "saver/controls/gfx_frame_x.h"
#include "saver/framework/application.h"
#include "saver/framework/form.h"

namespace qv {
namespace {

using controls::ccXPButton;
using controls::GFXFrameX;
using controls::StandardButtonPalette;

ControlDesign Button(const std::string& name, int l, int t, int w, int h, PropertyBag saved) {
    return ControlDesign::User<ccXPButton>(name).At(l, t, w, h).Saved(std::move(saved));
}

PropertyBag Captioned(const std::string& caption) {
    PropertyBag b;
    b.Put("Caption", caption);
    return b;
}

class ControlsForm : public Form {
  public:
    explicit ControlsForm(std::vector<ControlDesign> controls) : Form(MakeDesign(std::move(controls))) {
        for (const char* name : {"Cmd1", "Cmd2", "Cmd3", "Cmd4"}) {
            OnEvent(name, "Click",
                    [this, name](int, EventArgs&) { events.push_back(std::string(name) + ".Click"); });
            OnEvent(name, "DblClick",
                    [this, name](int, EventArgs&) { events.push_back(std::string(name) + ".DblClick"); });
            OnEvent(name, "FormActivate", [this, name](int, EventArgs& a) {
                events.push_back(std::string(name) + ".FormActivate " +
                                 std::to_string(static_cast<int>(a.at(0))));
            });
        }
    }
    ccXPButton& Btn(const std::string& name) { return Ctl<ccXPButton>(name); }
    std::vector<std::string> Take() {
        auto e = events;
        events.clear();
        return e;
    }
    std::vector<std::string> events;

  private:
    static FormDesign MakeDesign(std::vector<ControlDesign> controls) {
        FormDesign d;
        d.name = "ControlsTest";
        d.caption = "controls";
        d.clientWidth = 6000;
        d.clientHeight = 4000;
        d.left = 0;
        d.top = 0;
        d.controls = std::move(controls);
        return d;
    }
};

void Pump() {
    for (int i = 0; i < 5; ++i) DoEvents();
}

void Activate(Form& f) {
    SendMessageW(f.hWnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    Pump();
}

Colour Px(ccXPButton& b, int x, int y) { return b.Image().Pixel(x, y); }

TEST(ButtonOnForm, NewButtonsTakeOkCancelApplyThenTheirName) {
    ControlsForm f({ControlDesign::User<ccXPButton>("Cmd1").At(100, 100, 1200, 375),
                    ControlDesign::User<ccXPButton>("Cmd2").At(100, 600, 1200, 375),
                    ControlDesign::User<ccXPButton>("Cmd3").At(100, 1100, 1200, 375),
                    ControlDesign::User<ccXPButton>("Cmd4").At(100, 1600, 1200, 375)});
    f.Load();
    EXPECT_EQ(f.Btn("Cmd1").Caption(), "&OK");
    EXPECT_EQ(f.Btn("Cmd2").Caption(), "&Cancel");
    EXPECT_EQ(f.Btn("Cmd3").Caption(), "&Apply");
    EXPECT_EQ(f.Btn("Cmd4").Caption(), "Cmd4");
    // A new button is drawn at once, in the normal state.
    EXPECT_EQ(f.Btn("Cmd1").State(), controls::StateNormal);
    EXPECT_EQ(Px(f.Btn("Cmd1"), 3, 0), StandardButtonPalette().outerBorder[1]);
    // Saved, a new button keeps only what differs from the defaults, and always its font.
    const PropertyBag saved = f.Btn("Cmd2").SaveProperties();
    EXPECT_EQ(saved.Names(), (std::vector<std::string>{"Caption", "Font"}));
    EXPECT_EQ(saved.ReadFont("Font", {}).name, "Verdana");
    f.Unload();
}

TEST(ButtonOnForm, MouseKeysAndAccessKeyThroughRealMessages) {
    ControlsForm f({Button("Cmd1", 300, 300, 1500, 495, Captioned("参照(&F)")),
                    Button("Cmd2", 300, 1200, 1500, 495, Captioned("&Cancel"))});
    f.Show();
    Activate(f);
    ccXPButton& b = f.Btn("Cmd1");
    HWND h = b.hWnd();
    f.Take();

    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(b.State(), controls::StateHot);
    EXPECT_EQ(Px(b, 3, 1), StandardButtonPalette().topLine1[3]);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(b.State(), controls::StatePressed);
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(b.State(), controls::StateHot);
    EXPECT_EQ(f.Take(), std::vector<std::string>{"Cmd1.Click"});
    SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(b.State(), controls::StateFocused);

    SendMessageW(h, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(b.State(), controls::StatePressed);
    SendMessageW(h, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(f.Take(), std::vector<std::string>{"Cmd1.Click"});

    EXPECT_TRUE(f.RouteAccessKey('f'));
    EXPECT_EQ(f.Take(), std::vector<std::string>{"Cmd1.Click"});

    // Arrows move the focus to the next control and back.
    SendMessageW(h, WM_KEYDOWN, VK_DOWN, 0);
    Pump();
    EXPECT_EQ(GetFocus(), f.Btn("Cmd2").hWnd());
    SendMessageW(f.Btn("Cmd2").hWnd(), WM_KEYDOWN, VK_UP, 0);
    Pump();
    EXPECT_EQ(GetFocus(), h);

    b.SetEnabled(false);
    EXPECT_EQ(b.State(), controls::StateDisabled);
    EXPECT_EQ(Px(b, 3, 0), StandardButtonPalette().outerBorder[0]);
    EXPECT_FALSE(f.RouteAccessKey('f'));
    EXPECT_TRUE(f.Take().empty());
    f.Unload();
}

TEST(ButtonOnForm, FormActivationReachesEveryButtonThroughItsHook) {
    ControlsForm f({Button("Cmd1", 300, 300, 1500, 495, Captioned("One")),
                    Button("Cmd2", 300, 1000, 1500, 495, Captioned("Two")),
                    Button("Cmd3", 300, 1700, 1500, 495, Captioned("Three"))});
    f.Show();
    Activate(f);
    f.Take();
    SendMessageW(f.Btn("Cmd2").hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(f.Btn("Cmd2").State(), controls::StatePressed);
    SendMessageW(f.hWnd(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    EXPECT_EQ(f.Take(), (std::vector<std::string>{"Cmd1.FormActivate 0", "Cmd2.FormActivate 0",
                                                  "Cmd3.FormActivate 0"}));
    EXPECT_EQ(f.Btn("Cmd2").State(), controls::StateNormal);
    // The press was forgotten: releasing raises no Click.
    SendMessageW(f.Btn("Cmd2").hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(f.Take().empty());
    // A minimised form's deactivation carries a non-zero high word: still a deactivation.
    SendMessageW(f.hWnd(), WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    f.Take();
    SendMessageW(f.hWnd(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
    EXPECT_EQ(f.Take().front(), "Cmd1.FormActivate 0");
    f.Unload();
}

TEST(ButtonOnForm, TooSmallButtonGrowsAndShowsItsState) {
    ControlsForm f({Button("Cmd1", 300, 300, 45, 60, Captioned("x"))});
    f.Show();
    ccXPButton& b = f.Btn("Cmd1");
    EXPECT_EQ(b.WidthTwips(), 100);
    EXPECT_EQ(b.HeightTwips(), 100);
    EXPECT_FALSE(b.Image().Width() == 0);
    // Drawn at the settled size: the outer border on the top row.
    EXPECT_EQ(Px(b, 3, 0), StandardButtonPalette().outerBorder[b.State()]);
    f.Unload();
}

TEST(ButtonOnForm, SnapMouseToMovesThePointerToTheCentre) {
    ControlsForm f({Button("Cmd1", 600, 600, 1500, 450, Captioned("x"))});
    f.Show();
    ccXPButton& b = f.Btn("Cmd1");
    b.SnapMouseTo();
    POINT p{};
    GetCursorPos(&p);
    RECT r{};
    GetWindowRect(b.hWnd(), &r);
    EXPECT_EQ(p.x, r.left + 50);
    EXPECT_EQ(p.y, r.top + 15);
    f.Unload();
}

TEST(FrameOnForm, DrawsSavesAndFollowsTheFormsBackground) {
    PropertyBag saved;
    saved.Put("ShadowDepth", std::int16_t{7});
    ControlsForm f({ControlDesign::User<GFXFrameX>("GFXFrameX1").At(150, 150, 3000, 1500).Saved(saved),
                    Button("Cmd1", 300, 300, 1200, 375, Captioned("in")).In("GFXFrameX1")});
    f.Show();
    auto& frame = f.Ctl<GFXFrameX>("GFXFrameX1");
    EXPECT_EQ(frame.ShadowDepth(), 7);
    EXPECT_EQ(frame.SaveProperties().Names(), std::vector<std::string>{"ShadowDepth"});
    const int w = frame.Image().Width(), h = frame.Image().Height();
    ASSERT_EQ(w, 200);
    ASSERT_EQ(h, 100);
    // Panel border at W-SD-1, then the shadow; the top-right corner shows the background.
    EXPECT_EQ(frame.Image().Pixel(w - 8, 50), 0u);
    EXPECT_NE(frame.Image().Pixel(w - 7, 50), 0u);
    const Colour face = static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(frame.Image().Pixel(w - 1, 0), face);

    f.SetBackColor(Rgb(10, 20, 30));
    EXPECT_EQ(frame.Image().Pixel(w - 1, 0), Rgb(10, 20, 30));

    frame.SetShadowDepth(45);
    EXPECT_EQ(frame.ShadowDepth(), 45);
    frame.SetShadowDepth(60);
    EXPECT_EQ(frame.ShadowDepth(), 50);
    EXPECT_EQ(frame.ChangedProperties().count("ShadowDepth"), 1u);
    f.Unload();
}

}  // namespace
}  // namespace qv
