#include "saver/settings_file/number_text.h"

namespace qv {

std::string NumberText(std::int64_t value) {
    // std::to_string already gives "-123" and "0" without leading zeros.
    std::string digits = std::to_string(value);
    return value < 0 ? digits : " " + digits;
}

}  // namespace qv
