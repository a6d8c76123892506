#include "saver/settings/file_chooser.h"

#include <commdlg.h>

#include "saver/framework/ansi_text.h"
#include "saver/music/quorvale_bgm.h"

namespace qv {

namespace {

// "description\0pattern\0\0": the wide chooser shows the Japanese description on every system.
std::wstring FilterText() {
    std::wstring filter = Widen("BGMﾌｧｲﾙ (MP3 WAV)");
    filter.push_back(L'\0');
    filter += L"*.MP3;*.WAV";
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    return filter;
}

}  // namespace

ChosenFile ChooseMusicFile(HWND owner, const std::string& initialFolder) {
    std::wstring file(kChooserBufferSize, L'\0');
    std::wstring title(kChooserBufferSize, L'\0');
    const std::wstring filter = FilterText();
    const std::wstring folder = Widen(initialFolder);
    const std::wstring caption = Widen("ﾌｧｲﾙを開く");

    OPENFILENAMEW ofn{};
    // The record's own size on this platform; the 32-bit size (76) would be refused here.
    ofn.lStructSize = sizeof(OPENFILENAMEW);
    ofn.hwndOwner = owner;
    ofn.hInstance = GetModuleHandleW(nullptr);
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(kChooserBufferSize);
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(kChooserBufferSize);
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = caption.c_str();
    ofn.Flags = 0;

    BOOL result = GetOpenFileNameW(&ofn);
    LastApiResult = result;
    if (result <= 0) return {};
    const std::string path = Narrow(std::wstring(file.c_str()));
    return JudgeChosenFile(path, ToAnsi(path));
}

}  // namespace qv
