#pragma once
// Key sequences in the usual text form: "{TAB}", "+{TAB}" (Shift+Tab), "^a", "%f", plain
// characters, "{ENTER}", "{ESC}", "{LEFT}"... Window-free.
#include <optional>
#include <string>
#include <vector>

namespace qv {

struct KeyStroke {
    int virtualKey = 0;  // Windows virtual-key code
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool operator==(const KeyStroke& o) const {
        return virtualKey == o.virtualKey && shift == o.shift && control == o.control && alt == o.alt;
    }
};

// Empty optional when the text is malformed (unknown {NAME}, unbalanced braces).
std::optional<std::vector<KeyStroke>> ParseKeySequence(const std::string& text);

constexpr int kVkTab = 0x09;
constexpr int kVkReturn = 0x0D;
constexpr int kVkEscape = 0x1B;
constexpr int kVkSpace = 0x20;

}  // namespace qv
