#include "saver/show/top_window.h"

#include "saver/framework/ansi_text.h"

namespace qv {

HWND FindTopWindow(const std::string& utf8Title) { return FindWindowW(nullptr, Widen(utf8Title).c_str()); }

}  // namespace qv
