#pragma once
// The CD repeat track as the dialog's combo box shows it and reads it back.
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The "##" picture: the number without leading zeros, and 0 as the empty text.
std::string RepeatTrackText(long value);

// The combo box's list: the empty entry (whole disc) followed by "1" to "30".
std::vector<std::string> RepeatTrackEntries();

// The repeat text the user left in the combo box, as the track to save. A number
// (blanks around it, a sign, decimals and an exponent allowed; full-width digits too, as a
// Japanese input method types them) is rounded to the nearest whole number, halves to even.
// Anything else, and any number outside the 16-bit signed range, gives 0 (the whole disc).
std::int16_t RepeatTrackFromText(const std::string& text);

}  // namespace qv
