// A form showing the frame panel in its styles and the push button in each of its five
// states. Exits 0 when every button shows the state it is there for.
//   controls_gallery [seconds]   stays open that long (default 3) for a look or a screenshot
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "saver/controls/cc_xp_button.h"
#include "saver/controls/gfx_frame_x.h"
#include "saver/framework/application.h"
#include "saver/framework/form.h"

namespace {

using namespace qv;
using qv::controls::ccXPButton;
using qv::controls::GFXFrameX;

const char* const kStates[] = {"Disabled", "Normal", "Focused", "Hot", "Pressed"};

PropertyBag FrameBag(int style, bool shadow, int depth) {
    PropertyBag b;
    b.Put("FrameStyle", std::int32_t{style})
        .Put("ShowShadow", shadow)
        .Put("ShadowDepth", std::int16_t(depth));
    b.Put("FillColour", std::int32_t(Rgb(255, 255, 250))).Put("BorderColour", std::int32_t(Rgb(0, 60, 116)));
    return b;
}

FormDesign GalleryDesign() {
    FormDesign d;
    d.name = "Gallery";
    d.caption = "Quorvale controls";
    d.border = BorderStyle::FixedSingle;
    d.left = 0;
    d.top = 0;
    d.clientWidth = 7350;
    d.clientHeight = 4500;
    d.backColor = Rgb(236, 233, 216);
    auto& c = d.controls;
    c.push_back(
        ControlDesign::User<GFXFrameX>("Rounded").At(150, 150, 7050, 1950).Saved(FrameBag(0, true, 7)));
    c.push_back(ControlDesign::Label("Title", 0)
                    .In("Rounded")
                    .At(300, 240, 6000, 240)
                    .Caption("FrameStyle 0, shadow 7: buttons in states 0 to 4")
                    .Back(BackStyle::Transparent));
    for (int i = 0; i < 5; ++i) {
        PropertyBag b;
        b.Put("Caption", std::string("&") + kStates[i]);
        if (i == 0) b.Put("Enabled", false);
        c.push_back(ControlDesign::User<ccXPButton>(std::string("Cmd_") + kStates[i])
                        .In("Rounded")
                        .At(300 + i * 1305, 780, 1215, 450)
                        .Saved(std::move(b)));
    }
    c.push_back(
        ControlDesign::User<GFXFrameX>("Plain").At(150, 2400, 3450, 1800).Saved(FrameBag(1, true, 5)));
    c.push_back(ControlDesign::Label("Title", 1)
                    .In("Plain")
                    .At(300, 240, 3000, 240)
                    .Caption("FrameStyle 1, shadow 5")
                    .Back(BackStyle::Transparent));
    c.push_back(
        ControlDesign::User<GFXFrameX>("Flat").At(3750, 2400, 3450, 1800).Saved(FrameBag(1, false, 5)));
    c.push_back(ControlDesign::Label("Title", 2)
                    .In("Flat")
                    .At(300, 240, 3000, 240)
                    .Caption("FrameStyle 1, no shadow")
                    .Back(BackStyle::Transparent));
    c.push_back(ControlDesign::Timer("Timer1").Interval(100).Enabled(true));
    return d;
}

class Gallery : public Form {
  public:
    explicit Gallery(int seconds) : Form(GalleryDesign()), ticksLeft_(seconds * 10) {
        OnTimer("Timer1", [this](int) {
            if (--ticksLeft_ == 0) Unload();
        });
    }

    void Arrange() {
        SetForegroundWindow(hWnd());
        SendMessageW(hWnd(), WM_ACTIVATE, WA_ACTIVE, 0);
        Ctl("Cmd_Focused").SetFocus();
        // Space held on a button that has not got the focus: pressed, and deaf to the mouse.
        SendMessageW(Ctl("Cmd_Pressed").hWnd(), WM_KEYDOWN, VK_SPACE, 0);
        auto& hot = Ctl<ccXPButton>("Cmd_Hot");
        hot.SnapMouseTo();
        SendMessageW(hot.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
        for (int i = 0; i < 10; ++i) DoEvents();
    }

    bool Check() {
        bool ok = true;
        for (int i = 0; i < 5; ++i) {
            const int s = Ctl<ccXPButton>(std::string("Cmd_") + kStates[i]).State();
            std::printf("%-8s state %d%s\n", kStates[i], s, s == i ? "" : "  <- wrong");
            ok = ok && s == i;
        }
        std::fflush(stdout);
        return ok;
    }

  private:
    int ticksLeft_;
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    bool ok = false;
    const int code = RunApplication([&] {
        static Gallery gallery(seconds);
        gallery.Show();
        gallery.Arrange();
        ok = gallery.Check();
    });
    return ok ? code : 1;
}
