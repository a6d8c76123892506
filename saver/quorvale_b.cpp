#include "saver/quorvale_b.h"

#include <windows.h>

#include "handoff/handoff.h"
#include "saver/argument_text.h"
#include "saver/framework/application.h"
#include "saver/framework/program.h"
#include "saver/framework/skip_rule.h"
#include "saver/preview/quorvale_r.h"
#include "saver/screen_size.h"
#include "saver/settings/settings_dialog.h"
#include "saver/settings_file/number_text.h"
#include "saver/settings_file/path_rules.h"
#include "saver/settings_file/settings_file.h"
#include "saver/show/quorvale_s.h"
#include "saver/show/top_window.h"

namespace qv {
namespace {

constexpr char kRendererMissing[] = "Quorvale.dll が同じﾌｫﾙﾀﾞに見つかりません！";

void EndIfAnotherInstanceRuns() {
    // Both titles are looked up every time: a running show or an open settings dialog.
    bool show = FindTopWindow(handoff::kShowWindowTitle) != nullptr;
    bool settings = FindTopWindow(handoff::kSettingsWindowTitle) != nullptr;
    if (show || settings) EndNow();
}

// The window lookup above misses a start that comes a few milliseconds after another, before
// either has its window: the host's two /s would give two shows, and one Escape would end only
// one of them. A named object that the first show or settings start creates turns the second away.
void EndIfAnotherInstanceIsStarting() {
    HANDLE claim = CreateMutexA(nullptr, FALSE, handoff::kInstanceMutexName);
    if (claim && GetLastError() == ERROR_ALREADY_EXISTS) EndNow();
    // Kept open for the program's life; the platform lets go of it when the program ends.
}

void WriteScreenSize() {
    std::int16_t width = 0, height = 0;  // a size that does not fit stays 0
    RunStatements({
        [&] { width = ScreenPixels(ScreenWidthTwips(), TwipsPerPixelX()).value(); },
        [&] { height = ScreenPixels(ScreenHeightTwips(), TwipsPerPixelY()).value(); },
    });
    RunStatements({
        [&] {
            PutIniValue(handoff::kSettingsSection, handoff::kKeyWidth, NumberText(width),
                        handoff::kSettingsFile);
        },
        [&] {
            PutIniValue(handoff::kSettingsSection, handoff::kKeyHeight, NumberText(height),
                        handoff::kSettingsFile);
        },
    });
}

}  // namespace

void StartUp() {
    EndIfAnotherInstanceRuns();

    const std::string args = ArgumentText();
    if (ModeOf(args) == SaverMode::Preview) {
        ShowPreview(reinterpret_cast<HWND>(static_cast<INT_PTR>(PaneHandle(args))));
        return;
    }
    if (ModeOf(args) == SaverMode::Show || ModeOf(args) == SaverMode::Settings)
        EndIfAnotherInstanceIsStarting();

    RunStatements({
        [] { MakeFolder(handoff::kWorkFolder); },
        [] { LoadMusicSettings(); },
    });

    if (!FileExists(JoinPath(ProgramFolder(), handoff::kRendererProgramFileName))) {
        TryStatement([] { MessageBoxOk(kRendererMissing); });
        EndNow();
    }

    switch (ModeOf(args)) {
        case SaverMode::Settings:
            TryStatement([] { ShowSettingsDialog(); });
            EndNow();
        case SaverMode::Show:
            break;
        default:
            EndNow();
    }

    if (HidesCursor(args)) TryStatement([] { ShowCursor(FALSE); });
    WriteScreenSize();

    static Quorvale_S saver;
    TryStatement([] { saver.Load(); });
}

}  // namespace qv

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return qv::RunApplication(qv::StartUp); }
