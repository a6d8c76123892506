#include "settings/file_chooser.h"

#include <commdlg.h>

#include "framework/ansi_text.h"
#include "music/quorvale_bgm.h"
#include "settings/file_choice.h"

namespace qv {

namespace {

// "description\0pattern\0\0" in the ANSI code page.
std::string FilterText() {
  std::string filter = ToAnsi("BGMﾌｧｲﾙ (MP3 WAV)").value_or("BGM (MP3 WAV)");
  filter.push_back('\0');
  filter += "*.MP3;*.WAV";
  filter.push_back('\0');
  filter.push_back('\0');
  return filter;
}

}  // namespace

std::optional<std::string> ChooseMusicFile(HWND owner, const std::string& initialFolder) {
  std::string file(kChooserBufferSize, '\0');
  std::string title(kChooserBufferSize, '\0');
  const std::string filter = FilterText();
  const std::optional<std::string> folder = ToAnsi(initialFolder);
  const std::string caption = ToAnsi("ﾌｧｲﾙを開く").value_or("Open");

  OPENFILENAMEA ofn{};
  // The record's own size on this platform; the 32-bit size (76) would be refused here.
  ofn.lStructSize = sizeof(OPENFILENAMEA);
  ofn.hwndOwner = owner;
  ofn.hInstance = GetModuleHandleA(nullptr);
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(kChooserBufferSize);
  ofn.lpstrFileTitle = title.data();
  ofn.nMaxFileTitle = static_cast<DWORD>(kChooserBufferSize);
  ofn.lpstrInitialDir = folder && !folder->empty() ? folder->c_str() : nullptr;
  ofn.lpstrTitle = caption.c_str();
  ofn.Flags = 0;

  BOOL result = GetOpenFileNameA(&ofn);
  LastApiResult = result;
  if (result <= 0) return std::nullopt;
  std::optional<std::string> chosen = ChosenPath(file.data(), file.size());
  if (!chosen) return std::nullopt;
  return FromAnsi(*chosen);
}

}  // namespace qv
