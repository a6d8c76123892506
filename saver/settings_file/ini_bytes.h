#pragma once
// The settings file's own bytes, read and edited without the platform. Its section and key
// names are the same bytes on every system (code page 932); its values are whatever bytes the
// caller stores. Readers and the edit follow the private-profile format as the platform reads
// it: lines "[section]" and "key=value" ended by CR LF, LF or a lone CR, blanks around names
// and values ignored (inside the brackets too), a NUL ending a name or value, names compared
// without regard to the case of ASCII letters, the first section and key of a name counting.
// An edit changes only the one value (or adds one line, or a section at the end), so every
// other byte of the file stays as it was.
#include <optional>
#include <string>

namespace qv {

// The value stored under [section] key, trimmed, with one pair of enclosing quotes dropped,
// as the platform's string reader returns it; nothing when the section or key is missing or
// the key's line has no "=".
// A file in UTF-16 holds no values for these byte names.
std::optional<std::string> FindIniValue(const std::string& file, const std::string& section,
                                        const std::string& key);

// The file with `value` stored under [section] key: the key's value replaced in place, or the
// key added as the last line of the section, or the section added at the end. Leading blanks
// of the value are not stored (the platform's writer drops them too; readers skip them).
// Nothing when it cannot be stored without harm: names that are empty or would break the
// line format, a value with a line break or NUL, or a UTF-16 file.
std::optional<std::string> WithIniValue(const std::string& file, const std::string& section,
                                        const std::string& key, const std::string& value);

}  // namespace qv
