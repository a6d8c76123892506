#pragma once
// What "設定" writes: the three music keys of the settings section, in the order written.
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

struct IniWrite {
    std::string key;    // UTF-8
    std::string value;  // UTF-8
};

struct ApplyResult {
    std::int16_t bgmRepeat = 0;    // the repeat track as read back from the combo box text
    std::vector<IniWrite> writes;  // kind, repeat, file (handoff::kKeyBgm...), always all three
};

// The music source, the combo box's text and the music file, as the dialog holds them.
// Numbers take the settings file's number form (a blank before non-negative values).
ApplyResult ApplyValues(std::int16_t bgmKind, const std::string& repeatText, const std::string& bgmFile);

}  // namespace qv
