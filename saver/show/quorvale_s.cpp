#include "saver/show/quorvale_s.h"

#include "handoff/handoff.h"
#include "handoff/session_lock.h"
#include "saver/argument_text.h"
#include "saver/framework/application.h"
#include "saver/framework/program.h"
#include "saver/framework/skip_rule.h"
#include "saver/music/quorvale_bgm.h"
#include "saver/saver_resources.h"
#include "saver/settings_file/path_rules.h"
#include "saver/show/monitor_capture.h"
#include "saver/show/screen_capture.h"
#include "saver/show/top_window.h"

namespace qv {
namespace {

FormDesign SaverWindowDesign() {
    FormDesign d;
    d.name = "Quorvale_S";
    d.caption = handoff::kShowWindowTitle;
    d.border = BorderStyle::None;
    d.controlBox = false;
    d.showInTaskbar = false;
    d.scaleMode = ScaleMode::Pixels;
    d.backColor = 0;
    d.controls = {
        ControlDesign::PictureBox("Master", 0).NoBorder().AutoRedraw(true).Scale(ScaleMode::Pixels),
        ControlDesign::PictureBox("Master", 1).NoBorder().AutoRedraw(true).Scale(ScaleMode::Pixels),
        ControlDesign::Timer("Timer1").Interval(1000).Enabled(false),
        ControlDesign::Timer("Timer2").Interval(200).Enabled(false),
        ControlDesign::Timer("Timer3").Interval(500).Enabled(true),
    };
    return d;
}

bool IsFileMusic(const char* kind) { return BgmKind == 2 && MusicFileKind(BgmFile) == kind; }

}  // namespace

Quorvale_S::Quorvale_S() : Form(SaverWindowDesign()) {
    Form_Load = [this] { LoadHandling(); };
    // Every unload request, whatever asked for it, stops the music and ends the program.
    Form_QueryUnload = [this](int&, UnloadMode) { UnloadHandling(); };
    OnTimer("Timer1", [](int) { Mp3Repeat(); });
    OnTimer("Timer2", [this](int) { PollCd(); });
    OnTimer("Timer3", [this](int) { WatchRenderer(); });
}

void Quorvale_S::LoadHandling() {
    Capture();
    RunStatements({
        [this] { rendererWatch_ = RendererWatch(handoff::SessionLocksAfterShow()); },
        [] { Sleep(100); },
        [this] { RendererPath = JoinPath(ProgramFolder(), handoff::kRendererProgramFileName); },
        // Tied to the saver: whatever ends the saver (the system, a crash) ends the show, which
        // must not run on behind the lock screen or over the unlocked desktop.
        [this] { renderer_ = StartTiedProgram(RendererPath, SW_SHOWNORMAL); },
        // The saver ends the moment the renderer has: a locking show's lock waits for it.
        [this] { WhenSignalled(renderer_.Handle(), [this] { WatchRenderer(); }); },
    });
    StartMusic();
}

void Quorvale_S::Capture() {
    PictureBox& desktop = Ctl<PictureBox>("Master", 0);
    PictureBox& glow = Ctl<PictureBox>("Master", 1);
    OtherMonitorShots others;
    RunStatements({
        [this] { Move(0, 0, ScreenWidthTwips(), ScreenHeightTwips()); },
        [&] { desktop.Move(0, 0, ScaleWidth(), ScaleHeight()); },
        [&] { CopyScreenInto(desktop.hDC(), desktop.ScaleWidth(), desktop.ScaleHeight()); },
        [&] { others = CaptureOtherMonitors(); },
        [] { return DeleteFileAt(handoff::kDesktopPictureFile); },
        [] { return DeleteFileAt(handoff::kGlowPictureFile); },
        // The built-in picture goes in after sizing, so none of it is cut away.
        [&] { glow.Move(0, 0, kGlowSize, kGlowSize); },
        [&] { glow.SetPicture(Picture::FromResource(IDB_QV_GLOW)); },
        [&] { desktop.SaveAsBitmap24(handoff::kDesktopPictureFile); },
        [&] { glow.SaveAsBitmap24(handoff::kGlowPictureFile); },
        [&] { return HandOverOtherMonitors(others); },
    });
}

void Quorvale_S::StartMusic() {
    if (BgmKind == 1) {
        RunStatements({
            [] { CdOpen(); },
            [this] { Ctl("Timer2").SetEnabled(true); },
        });
    }
    if (IsFileMusic("WAV")) TryStatement([] { WavPlay(); });
    if (IsFileMusic("MP3")) {
        RunStatements({
            [] { Mp3Open(); },
            [this] { Ctl("Timer1").SetEnabled(true); },
        });
    }
}

void Quorvale_S::PollCd() {
    CdPoll();
    Ctl("Timer2").SetEnabled(CdKeepPolling);
}

bool Quorvale_S::RendererRunning() const { return renderer_.Running(); }

void Quorvale_S::WatchRenderer() {
    const HWND window = FindTopWindow(handoff::kRendererWindowTitle);
    const bool ended = rendererWatch_.ShowEnded(window != nullptr, window || RendererRunning());
    const bool shown = window && IsWindowVisible(window);
    if (!ended && !rendererWatch_.LeftBehind(shown, shown && GetForegroundWindow() == window)) return;
    Ctl("Timer3").SetEnabled(false);
    Unload();
}

void Quorvale_S::UnloadHandling() {
    Control& cdTimer = Ctl("Timer2");
    if (cdTimer.Enabled()) {
        RunStatements({
            [&] { cdTimer.SetEnabled(false); },
            [] { CdClose(); },
        });
    }
    if (IsFileMusic("WAV")) TryStatement([] { WavStop(); });
    if (IsFileMusic("MP3")) {
        RunStatements({
            [this] { Ctl("Timer1").SetEnabled(false); },
            [] { Mp3Close(); },
        });
    }
    if (HidesCursor(ArgumentText())) TryStatement([] { ShowCursor(TRUE); });
    EndNow();
}

}  // namespace qv
