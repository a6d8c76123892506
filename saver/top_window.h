#pragma once
// Looking up another process's top-level window by its title.
#include <windows.h>

#include <string>

namespace qv {

// The top-level window (visible or hidden) with exactly this title, or null. The title is
// looked up in the ANSI code page; a title the code page cannot hold is looked up as UTF-16.
HWND FindTopWindow(const std::string& utf8Title);

}  // namespace qv
