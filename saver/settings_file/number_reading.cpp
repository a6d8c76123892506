#include "saver/settings_file/number_reading.h"

#include <cmath>
#include <cstdlib>

namespace qv {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number that starts at text[pos] (0 when none), following
// [+-] digits [. digits] [(E|e|D|d) [+-] digits]; the exponent only counts with its digits.
std::size_t NumberLength(const std::string& text, std::size_t pos) {
    std::size_t i = pos;
    bool digits = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            digits = true;
        }
    }
    if (!digits) return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    return i - pos;
}

double ParseNumber(const std::string& text, std::size_t pos, std::size_t len) {
    std::string s = text.substr(pos, len);
    for (char& c : s)
        if (c == 'D' || c == 'd') c = 'E';
    // strtod in the "C" locale: the saver never changes the process locale.
    return std::strtod(s.c_str(), nullptr);
}

}  // namespace

double ReadLeadingNumber(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    std::size_t len = NumberLength(text, pos);
    return len == 0 ? 0.0 : ParseNumber(text, pos, len);
}

std::optional<double> ReadWholeNumber(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    std::size_t len = NumberLength(text, pos);
    if (len == 0) return std::nullopt;
    std::size_t end = pos + len;
    while (end < text.size() && IsBlank(text[end])) ++end;
    if (end != text.size()) return std::nullopt;
    double value = ParseNumber(text, pos, len);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int32_t> RoundToInt32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double r = std::nearbyint(value);  // default rounding mode: half to even
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(r);
}

std::optional<std::int16_t> FloorToInt16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double f = std::floor(value);
    if (f < -32768.0 || f > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(f);
}

}  // namespace qv
