#pragma once
// The saver keeps its text in UTF-8; the platform's "A" functions take the system's ANSI
// code page (932 on the Japanese systems the texts are written for, but 1252, 936, 949 or
// UTF-8 elsewhere). These convert at that boundary.
#include <optional>
#include <string>

namespace qv {

// The code page whose bytes the settings file's names are: the same on every system.
inline constexpr unsigned kSettingsNamesCodePage = 932;

// UTF-8 -> the code page. Empty optional when some character has no exact form there: a
// best-fit substitute could name another file, so callers must fail instead.
std::optional<std::string> ToCodePage(unsigned codePage, const std::string& utf8);
// The code page -> UTF-8 (bytes that do not decode become U+FFFD, never dropped silently).
std::string FromCodePage(unsigned codePage, const std::string& bytes);

// The same for the system's ANSI code page.
std::optional<std::string> ToAnsi(const std::string& utf8);
std::string FromAnsi(const std::string& ansi);

// UTF-8 <-> UTF-16 for the wide functions (window captions, drawn text).
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

}  // namespace qv
