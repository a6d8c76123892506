// A small program that does what the saver does in settings mode: reads the music settings
// and shows the dialog; the end-to-end tests drive it.
#include "saver/framework/application.h"
#include "saver/framework/program.h"
#include "saver/settings/settings_dialog.h"
#include "saver/settings_file/settings_file.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return qv::RunApplication([] {
        qv::MakeFolder(qv::handoff::kWorkFolder);
        qv::LoadMusicSettings();
        qv::ShowSettingsDialog();
        qv::EndNow(0);
    });
}
