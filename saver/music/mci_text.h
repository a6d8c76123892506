#pragma once
// Small text rules shared by the music module's command code.
#include <optional>
#include <string>

namespace qv {

// A platform buffer's text: everything before the first NUL.
std::string TextUpToNul(const std::string& buffer);

// The first `count` characters of a buffer's text (fewer when the text is shorter).
std::string LeadingText(const std::string& buffer, size_t count);

// True when the upper-cased text contains "ERR": how callers spot a failed status query.
bool LooksLikeError(const std::string& text);

// A device reply read as a number: optional blanks, an optional sign, digits with an optional
// fraction, optional blanks. Anything else (empty text included) is no number.
std::optional<double> ReplyAsNumber(const std::string& text);

}  // namespace qv
