#include "saver/settings/quorvale_p.h"

#include <shellapi.h>

#include "saver/framework/ansi_text.h"
#include "saver/framework/program.h"
#include "saver/framework/skip_rule.h"
#include "saver/music/quorvale_bgm.h"
#include "saver/settings/apply_settings.h"
#include "saver/settings/banner_animation.h"
#include "saver/settings/dialog_controls.h"
#include "saver/settings/dialog_placement.h"
#include "saver/settings/file_chooser.h"
#include "saver/settings/repeat_track.h"
#include "saver/settings/settings_form.h"
#include "saver/settings/zoom_effects.h"
#include "saver/settings_file/path_rules.h"
#include "saver/settings_file/settings_file.h"

namespace qv {

namespace {

constexpr char kNameNotStorable[] =
    "このﾌｧｲﾙの名前には、このｼｽﾃﾑの文字ｺｰﾄﾞで表せない文字があるため、BGMに設定できません。\n"
    "名前を変えるか、別のﾌｧｲﾙを選んでください。";

}  // namespace

Quorvale_P::Quorvale_P() : Form(SettingsFormDesign(FrameControlFactory(), ButtonControlFactory())) {
    Form_Load = [this] { Load_(); };
    OnMouseDown("Img_BGM", [this](int index, int, int, double, double) { SelectSource(index); });
    OnMouseDown("lbl_BGM", [this](int index, int, int, double, double) { SelectSource(index); });
    OnEvent("Cmd_File", "Click", [this](int, EventArgs&) { ChooseFile(); });
    OnEvent("Cmd_Set", "Click", [this](int, EventArgs&) { Apply(); });
    OnEvent("Cmd_Can", "Click", [this](int, EventArgs&) { Unload(); });
    OnClick("Pic_m", [this](int) { OpenWebPage(); });
    OnTimer("Timer1", [this](int) { AnimateBanner(); });
    Form_QueryUnload = [this](int&, UnloadMode) { TryStatement([&] { Ctl("Timer1").SetEnabled(false); }); };
    Form_Unload = [this](int&) { ZoomClose(hWnd()); };
}

// Every step on its own: one that fails (a source number without a radio mark, say) is
// skipped and loading goes on.
void Quorvale_P::Load_() {
    RunStatements({
        [&] { AnimTick = 0; },
        [&] {
            TwipsPosition p = DialogPosition(ScreenWidthTwips(), ScreenHeightTwips(), Width(), Height());
            Move(p.left, p.top);
        },
        [&] {
            Control& shadow0 = Ctl("Sh", 0);
            Ctl("Sh", 1).Move(shadow0.Left() + 15, shadow0.Top() + 15);
        },
        [&] { Ctl("BGM_Repeat").SetEnabled(false); },
        [&] { Ctl<Image>("Img_BGM", 0).SetPicture(Ctl<Image>("Img_Ra", 0).Picture()); },
        [&] { Ctl<Image>("Img_BGM", 1).SetPicture(Ctl<Image>("Img_Ra", 0).Picture()); },
        [&] { Ctl<Image>("Img_BGM", 2).SetPicture(Ctl<Image>("Img_Ra", 0).Picture()); },
        [&] { Ctl<Image>("Img_BGM", BgmKind).SetPicture(Ctl<Image>("Img_Ra", 1).Picture()); },
        [&] {
            if (BgmKind == 1) Ctl("BGM_Repeat").SetEnabled(true);
        },
        [&] { Ctl("Cmd_File").SetEnabled(BgmKind == 2); },
        [&] { Ctl<ComboBox>("BGM_Repeat").SetText(RepeatTrackText(BgmRepeat)); },
        [&] {
            ComboBox& combo = Ctl<ComboBox>("BGM_Repeat");
            for (const std::string& entry : RepeatTrackEntries()) combo.AddItem(entry);
        },
        [&] { Ctl<Label>("lbl_Fname").SetCaption(BgmFile); },
        [&] { ZoomPointFromCursor(); },
        [&] { ZoomOpen(hWnd()); },
        [&] { SetAppMousePointer(MousePointer::Default); },
    });
}

void Quorvale_P::ShowRadioMarks() {
    for (int i = 0; i < 3; ++i) {
        TryStatement([&] { Ctl<Image>("Img_BGM", i).SetPicture(Ctl<Image>("Img_Ra", 0).Picture()); });
    }
    TryStatement([&] { Ctl<Image>("Img_BGM", BgmKind).SetPicture(Ctl<Image>("Img_Ra", 1).Picture()); });
}

void Quorvale_P::SelectSource(int index) {
    BgmKind = static_cast<std::int16_t>(index);
    TryStatement([&] { Ctl("Cmd_File").SetEnabled(false); });
    TryStatement([&] { Ctl("BGM_Repeat").SetEnabled(false); });
    ShowRadioMarks();
    if (BgmKind == 1) TryStatement([&] { Ctl("BGM_Repeat").SetEnabled(true); });
    if (BgmKind == 2) TryStatement([&] { Ctl("Cmd_File").SetEnabled(true); });
}

void Quorvale_P::ChooseFile() {
    ChosenFile chosen = ChooseMusicFile(hWnd(), BgmFolder);
    if (chosen.choice == FileChoice::NotStorable) {
        // Stored anyway, the name would come back as another file's or as nothing: the previous
        // choice stays, and the user learns why.
        MessageBoxW(hWnd(), Widen(kNameNotStorable).c_str(), L"Quorvale", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (chosen.choice != FileChoice::Chosen) return;  // cancelled, failed, or a path too long for the chooser
    BgmFile = chosen.path;
    TryStatement([&] { Ctl<Label>("lbl_Fname").SetCaption(BgmFile); });
    BgmFolder = FolderToOpen(FolderOfPath(BgmFile));
}

void Quorvale_P::Apply() {
    std::string repeatText;
    TryStatement([&] { repeatText = Ctl<ComboBox>("BGM_Repeat").Text(); });
    ApplyResult result = ApplyValues(BgmKind, repeatText, BgmFile);
    BgmRepeat = result.bgmRepeat;
    for (const IniWrite& w : result.writes)
        PutIniValue(handoff::kSettingsSection, w.key, w.value, handoff::kSettingsFile);
    Unload();
}

void Quorvale_P::OpenWebPage() {
    SetAppMousePointer(MousePointer::Hourglass);
    ShellExecuteA(hWnd(), "open", kMakerWebPage, "", "", SW_SHOWNORMAL);
    SetAppMousePointer(MousePointer::Default);
}

void Quorvale_P::AnimateBanner() {
    qv::BannerStep step = NextBannerStep(AnimTick);
    if (step.box < 0) return;
    TryStatement([&] {
        Ctl<PictureBox>("Pic_m", step.box).SetPicture(Ctl<PictureBox>("Pic_t", step.frame).Picture());
    });
}

}  // namespace qv
