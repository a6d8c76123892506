#pragma once
// The one form in which the saver writes numbers into the settings file: a blank in front of
// non-negative numbers, a minus sign in front of negative ones, no leading zeros. Both
// programs' readers skip the blank.
#include <cstdint>
#include <string>

namespace qv {

std::string NumberText(std::int64_t value);

}  // namespace qv
