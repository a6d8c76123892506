#pragma once
// Reading numbers out of text the way the saver needs it: the host's pane handle and the
// numeric values of the settings file. Window-free.
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// Reads the longest number at the start of the text (leading blanks skipped; sign, digits,
// decimal point, exponent). Stops at the first character that cannot continue a number;
// no digits read as 0.
double ReadLeadingNumber(const std::string& text);

// The whole text as a number (blanks around it allowed); empty when it is not one.
std::optional<double> ReadWholeNumber(const std::string& text);

// Rounds half to even into a 32-bit signed integer; empty when it does not fit.
std::optional<std::int32_t> RoundToInt32(double value);

// Rounds down into a 16-bit signed integer; empty when it does not fit.
std::optional<std::int16_t> FloorToInt16(double value);

}  // namespace qv
