#include "saver/settings/settings_form.h"

#include <string>
#include <utility>

#include "handoff/handoff.h"
#include "saver/settings/banner_animation.h"
#include "saver/settings/settings_resources.h"

namespace qv {

namespace {

constexpr char kPanel[] = "GFXFrameX1";
// Picture stores sit beyond the right edge of the client area: loaded, never seen.
constexpr int kStoreLeft = 7800;

ControlDesign Button(const UserControlFactory& factory, const char* name, const char* caption) {
    PropertyBag saved;
    saved.Put("Caption", std::string(caption));
    saved.Put("Font", SettingsFont());
    return ControlDesign::User(name, factory).Saved(std::move(saved));
}

}  // namespace

FontDesc SettingsFont() {
    FontDesc f;
    f.name = "ＭＳ Ｐゴシック";
    f.size = 9.75;
    f.charset = 128;  // SHIFTJIS_CHARSET
    return f;
}

FormDesign SettingsFormDesign(UserControlFactory frameFactory, UserControlFactory buttonFactory) {
    FormDesign d;
    d.name = "Quorvale_P";
    d.caption = handoff::kSettingsWindowTitle;  // start-up finds an open dialog by it
    d.border = BorderStyle::FixedDialog;
    d.showInTaskbar = false;
    d.clientWidth = 7455;
    d.clientHeight = 3990;
    d.backColor = Rgb(224, 224, 224);
    d.font = SettingsFont();
    d.iconResource = 0;  // the program's icon: the program carries one icon group, the dialog shares it

    PropertyBag frameSaved;
    frameSaved.Put("ShadowDepth", std::int16_t{7});

    auto& c = d.controls;
    c.push_back(ControlDesign::User(kPanel, std::move(frameFactory))
                    .At(180, 180, 7155, 2595)
                    .Saved(std::move(frameSaved)));

    // Title box of the group: a white outline peeking out from under the black one.
    c.push_back(ControlDesign::Shape("Sh", 1).In(kPanel).At(300, 240, 1695, 315).Border(Rgb(255, 255, 255)));
    c.push_back(ControlDesign::Shape("Sh", 0).In(kPanel).At(300, 240, 1695, 315).Border(Rgb(0, 0, 0)));
    c.push_back(ControlDesign::Label("lbl", 15)
                    .In(kPanel)
                    .At(300, 300, 1665, 195)
                    .Caption("BGM")
                    .Align(Alignment::Center)
                    .Back(BackStyle::Transparent));

    // The three sources, one row each; index = BgmKind.
    const int rowTop[3] = {1080, 780, 1380};
    const int labelWidth[3] = {1215, 735, 1215};  // the CD row leaves room for the combo box
    for (int i = 0; i < 3; ++i) {
        c.push_back(ControlDesign::Image("Img_BGM", i)
                        .In(kPanel)
                        .At(420, rowTop[i], 195, 195)
                        .Pointer(MousePointer::Custom, IDC_QV_HAND));
        c.push_back(ControlDesign::Label("lbl_BGM", i)
                        .In(kPanel)
                        .At(660, rowTop[i], labelWidth[i], 195)
                        .Caption(kSourceTexts[i])
                        .Back(BackStyle::Transparent)
                        .Pointer(MousePointer::Custom, IDC_QV_HAND));
    }

    // Single-line texts get room for wider substitutes of the dialog's font, so they are
    // never cut off in the middle.
    c.push_back(ControlDesign::Label("lbl", 14)
                    .In(kPanel)
                    .At(2100, 780, 1335, 195)
                    .Caption("曲目をﾘﾋﾟｰﾄ")
                    .Back(BackStyle::Transparent)
                    .WordWrap(false));
    c.push_back(ControlDesign::ComboBox("BGM_Repeat")
                    .In(kPanel)
                    .At(1440, 720, 615, 300)
                    .Style(ComboStyle::DropDownCombo));
    c.push_back(Button(buttonFactory, "Cmd_File", "...").In(kPanel).At(360, 1680, 675, 375));
    c.push_back(ControlDesign::Label("lbl_Fname")
                    .In(kPanel)
                    .At(1080, 1680, 5595, 495)
                    .Back(BackStyle::Transparent)
                    .WordWrap(true));

    c.push_back(Button(buttonFactory, "Cmd_Set", "設定").At(2100, 2880, 1575, 495));
    c.push_back(Button(buttonFactory, "Cmd_Can", "ｷｬﾝｾﾙ").At(3780, 2880, 1515, 495));

    // Banner boxes show the finished word until the animation reaches them.
    const int bannerLeft[2] = {180, 5400};
    for (int i = 0; i < 2; ++i) {
        c.push_back(ControlDesign::PictureBox("Pic_m", i)
                        .At(bannerLeft[i], 2880, 1845, 780)
                        .Picture(IDB_QV_BANNER_BASE + kBannerFrames)
                        .TabStop(false)
                        .Pointer(MousePointer::Custom, IDC_QV_HAND));
    }
    for (int n = 1; n <= kBannerFrames; ++n) {
        c.push_back(ControlDesign::PictureBox("Pic_t", n)
                        .At(kStoreLeft, 0, 1800, 750)
                        .Picture(IDB_QV_BANNER_BASE + n)
                        .NoBorder()
                        .TabStop(false)
                        .Visible(false));
    }
    c.push_back(ControlDesign::Image("Img_Ra", 0)
                    .At(kStoreLeft, 900, 180, 180)
                    .Picture(IDB_QV_RADIO_OFF)
                    .Visible(false));
    c.push_back(ControlDesign::Image("Img_Ra", 1)
                    .At(kStoreLeft, 1200, 180, 180)
                    .Picture(IDB_QV_RADIO_ON)
                    .Visible(false));

    c.push_back(ControlDesign::Label("lbl", 7)
                    .At(2160, 3480, 3135, 195)
                    .Caption(kCreditLine)
                    .Back(BackStyle::Transparent)
                    .WordWrap(false));
    c.push_back(ControlDesign::Timer("Timer1").Interval(kBannerTimerInterval).Enabled(true));
    return d;
}

}  // namespace qv
