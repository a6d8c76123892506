#include "saver/argument_text.h"

#include "saver/settings_file/number_reading.h"

namespace qv {
namespace {

// Byte offset of the n-th character (0-based) of UTF-8 text; npos when it has fewer.
std::size_t CharOffset(const std::string& text, int n) {
    int seen = -1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++seen == n) return i;
    }
    return std::string::npos;
}

}  // namespace

std::string ModeLetter(const std::string& args) {
    std::size_t start = CharOffset(args, 1);
    if (start == std::string::npos) return std::string();
    std::size_t end = CharOffset(args, 2);
    std::string letter = args.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (letter.size() == 1 && letter[0] >= 'a' && letter[0] <= 'z')
        letter[0] = static_cast<char>(letter[0] - 'a' + 'A');
    return letter;
}

std::int32_t PaneHandle(const std::string& args) {
    std::size_t start = CharOffset(args, 3);
    if (start == std::string::npos) return 0;
    return RoundToInt32(ReadLeadingNumber(args.substr(start))).value_or(0);
}

SaverMode ModeOf(const std::string& args) {
    if (args.empty()) return SaverMode::Show;
    std::string letter = ModeLetter(args);
    if (letter == "P") return SaverMode::Preview;
    if (letter == "C") return SaverMode::Settings;
    if (letter == "S") return SaverMode::Show;
    return SaverMode::None;
}

bool HidesCursor(const std::string& args) { return ModeLetter(args) == "S"; }

}  // namespace qv
