#pragma once
// The settings file read and written as its own bytes, for systems whose ANSI code page is not
// the names' code page 932: there the platform's profile functions would turn the names'
// bytes into other characters. Names are stored in code page 932, values in the system's ANSI
// code page, as that system's profile functions store them; the layout is theirs too.
// Arguments are UTF-8, like the rest of the settings file helpers.
// Library: qv_settings_file (Windows build).
#include <string>

namespace qv {

// The value under the key, cut to 255 bytes as the profile reader's buffer cuts it (never in
// the middle of a character); empty when the file, section or key is missing or unreadable.
std::string ReadIniFileValue(const std::string& section, const std::string& key, const std::string& file);

// Stores the value, creating the file, section or key as needed; the file is replaced as a
// whole (file_replacement.h) and keeps its attributes. False, with the file left as it was,
// when a name has no code page 932 form, the value none in the ANSI code page, or the file
// cannot be read or written (a read-only one included).
bool WriteIniFileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& file);

}  // namespace qv
