#pragma once
// The music file chooser of the settings dialog ("ﾌｧｲﾙを開く", MP3 and WAV files).
#include <windows.h>

#include <string>

#include "saver/settings/file_choice.h"

namespace qv {

// Shows the chooser opening in initialFolder (UTF-8). A cancel, a failed chooser (a path
// longer than its buffer, in characters or in the system's ANSI code page) or no file give
// Cancelled; a file whose name the system's ANSI code page cannot carry gives NotStorable;
// otherwise the chosen full path in UTF-8.
// LastApiResult gets the chooser's result.
ChosenFile ChooseMusicFile(HWND owner, const std::string& initialFolder);

}  // namespace qv
