#pragma once
// The music file chooser of the settings dialog ("ﾌｧｲﾙを開く", MP3 and WAV files).
#include <windows.h>

#include <optional>
#include <string>

namespace qv {

// Shows the chooser opening in initialFolder (UTF-8; a folder the ANSI code page cannot
// hold opens the platform's default folder). Returns the chosen full path in UTF-8, or
// nothing when the user cancelled or the chooser failed (a path longer than its buffer).
// LastApiResult gets the chooser's result.
std::optional<std::string> ChooseMusicFile(HWND owner, const std::string& initialFolder);

}  // namespace qv
