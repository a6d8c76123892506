#include "saver/music/mci_text.h"

#include <cctype>
#include <cstdlib>

namespace qv {

std::string TextUpToNul(const std::string& buffer) { return buffer.substr(0, buffer.find('\0')); }

std::string LeadingText(const std::string& buffer, size_t count) {
    return TextUpToNul(buffer).substr(0, count);
}

bool LooksLikeError(const std::string& text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper.find("ERR") != std::string::npos;
}

std::optional<double> ReplyAsNumber(const std::string& text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    size_t i = 0, n = text.size();
    while (i < n && isBlank(text[i])) ++i;
    const size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && isDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    const size_t end = i;
    while (i < n && isBlank(text[i])) ++i;
    if (i != n) return std::nullopt;
    // Only digits, sign and point are left, so strtod reads exactly this and nothing locale-bound
    // but the point; replies never carry a decimal comma.
    return std::strtod(text.substr(start, end - start).c_str(), nullptr);
}

}  // namespace qv
