#pragma once
// The saver keeps its text in UTF-8; the platform's "A" functions take the system's ANSI
// code page (932 on the Japanese systems the texts are written for). These two convert at
// that boundary.
#include <optional>
#include <string>

namespace qv {

// UTF-8 -> ANSI code page. Empty optional when some character has no exact ANSI form:
// a best-fit substitute could name another file, so callers must fail instead.
std::optional<std::string> ToAnsi(const std::string& utf8);

// ANSI code page -> UTF-8 (bytes that do not decode become U+FFFD, never dropped silently).
std::string FromAnsi(const std::string& ansi);

// UTF-8 <-> UTF-16 for the wide functions (window captions, drawn text).
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

}  // namespace qv
