#include "saver/settings/repeat_track.h"

#include <cmath>
#include <cstdlib>

namespace qv {

std::string RepeatTrackText(long value) { return value == 0 ? std::string() : std::to_string(value); }

std::vector<std::string> RepeatTrackEntries() {
    std::vector<std::string> entries;
    for (long n = 0; n <= 30; ++n) entries.push_back(RepeatTrackText(n));
    return entries;
}

namespace {

// Full-width digits, signs, point and blanks (UTF-8, U+FF0B..U+FF19, U+3000) to ASCII, so
// that what an input method typed reads like the same ASCII text.
std::string Halfwidth(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBC) {
            unsigned char d = static_cast<unsigned char>(text[i + 2]);
            if (d >= 0x8B && d <= 0x99) {  // U+FF0B '+' .. U+FF19 '9'
                out += static_cast<char>('+' + (d - 0x8B));
                i += 3;
                continue;
            }
        }
        if (c == 0xE3 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
            static_cast<unsigned char>(text[i + 2]) == 0x80) {
            out += ' ';
            i += 3;
            continue;
        }
        out += text[i];
        ++i;
    }
    return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Strict decimal number: [blanks][sign]digits[.digits][e[sign]digits][blanks], at least one
// digit in the mantissa. Hexadecimal, "inf" and "nan" are not numbers here.
bool ParseDecimal(const std::string& text, double& value) {
    size_t i = 0, n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && IsDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        size_t exp = 0;
        while (i < n && IsDigit(text[i])) ++i, ++exp;
        if (exp == 0) return false;
    }
    size_t end = i;
    while (i < n && IsBlank(text[i])) ++i;
    if (i != n) return false;
    std::string number = text.substr(start, end - start);
    value = std::strtod(number.c_str(), nullptr);
    // Overflow gives HUGE_VAL, which the range check below turns into 0.
    return true;
}

}  // namespace

std::int16_t RepeatTrackFromText(const std::string& text) {
    double value = 0;
    if (!ParseDecimal(Halfwidth(text), value)) return 0;
    if (!std::isfinite(value)) return 0;
    double rounded = std::nearbyint(value);  // default rounding mode: halves to even
    if (rounded < -32768.0 || rounded > 32767.0) return 0;
    return static_cast<std::int16_t>(rounded);
}

}  // namespace qv
