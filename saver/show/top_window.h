#pragma once
// Looking up another process's top-level window by its title.
#include <windows.h>

#include <string>

namespace qv {

// The top-level window (visible or hidden) with exactly this title, or null. Looked up in
// UTF-16, so that a title is found even where the ANSI code page cannot spell it (the
// settings dialog's "■").
HWND FindTopWindow(const std::string& utf8Title);

}  // namespace qv
