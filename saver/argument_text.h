#pragma once
// What the screen-saver host's argument text means: the mode letter (2nd character,
// upper-cased), the preview pane handle (from the 4th character) and the empty test.
// So /s, /S, -s and /save all select the show. Window-free.
#include <cstdint>
#include <string>

namespace qv {

enum class SaverMode { Show, Settings, Preview, None };

// The 2nd character upper-cased; empty when the text is shorter.
std::string ModeLetter(const std::string& args);

// The text from the 4th character read as a number and rounded to 32 bits; 0 when there is
// no number or it does not fit ("/p 1234" and "/p:1234" give 1234, "/p1234" gives 234).
std::int32_t PaneHandle(const std::string& args);

// Which mode the text selects: "P" preview, "C" settings, "S" or empty text show.
SaverMode ModeOf(const std::string& args);

// Whether the show hides the cursor: only with the letter "S", never for an empty text.
bool HidesCursor(const std::string& args);

}  // namespace qv
