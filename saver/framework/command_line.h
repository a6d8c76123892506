#pragma once
// The argument text of a command line: what follows the program's name, leading blanks
// removed. Window-free (UTF-8 in and out; the delimiters are ASCII).
#include <string>

namespace qv {

// The program name is either quoted ("C:\a b\x.scr" ...) or runs to the first blank or tab.
std::string ArgumentsAfterProgramName(const std::string& commandLine);

}  // namespace qv
