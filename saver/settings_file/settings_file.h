#pragma once
// The settings file (handoff::kSettingsFile), and the small file helpers its readers
// need. Strings are UTF-8. In the file, section and key names are code page 932 bytes on every
// system and values are in the system's ANSI code page: through the platform's private-profile
// functions where the ANSI code page is 932, through the file's own bytes elsewhere
// (ini_file.h). Text that cannot be stored so makes the call fail cleanly (nothing written,
// empty or false returned).
// Library: qv_settings_file (Windows build).
#include <string>

#include "handoff/handoff.h"

namespace qv {

// The value under the key, or empty when the file, section or key is missing. Values longer
// than 255 bytes come back cut to 255 bytes (never in the middle of a character).
std::string GetIniValue(const std::string& section, const std::string& key, const std::string& file);

// Stores the value, creating the file, section or key as needed. Section and key names are
// cut to 128 characters. Callers may ignore the result; false means nothing was written.
bool PutIniValue(const std::string& section, const std::string& key, const std::string& value,
                 const std::string& file);

// True when the file can be opened for reading. One trailing "\" is dropped first; a folder,
// a missing or unreadable file and an empty path give false.
bool FileExists(const std::string& path);

// Fills the music module's BgmKind, BgmRepeat, BgmFile and BgmFolder from the settings file.
void LoadMusicSettings();

}  // namespace qv
