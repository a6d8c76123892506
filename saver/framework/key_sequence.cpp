#include "saver/framework/key_sequence.h"

#include <cctype>
#include <map>

namespace qv {
namespace {

const std::map<std::string, int>& NamedKeys() {
    static const std::map<std::string, int> keys = {
        {"TAB", kVkTab},
        {"ENTER", kVkReturn},
        {"~", kVkReturn},
        {"ESC", kVkEscape},
        {"ESCAPE", kVkEscape},
        {"BACKSPACE", 0x08},
        {"BS", 0x08},
        {"DELETE", 0x2E},
        {"DEL", 0x2E},
        {"INSERT", 0x2D},
        {"HOME", 0x24},
        {"END", 0x23},
        {"PGUP", 0x21},
        {"PGDN", 0x22},
        {"LEFT", 0x25},
        {"UP", 0x26},
        {"RIGHT", 0x27},
        {"DOWN", 0x28},
        {"F1", 0x70},
        {"F2", 0x71},
        {"F3", 0x72},
        {"F4", 0x73},
        {"F5", 0x74},
        {"F10", 0x79},
        {"+", '+'},
        {"^", '^'},
        {"%", '%'},
        {"{", '{'},
        {"}", '}'},
    };
    return keys;
}

// Virtual key of a plain character: letters and digits map to themselves (upper case).
std::optional<KeyStroke> CharKey(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    KeyStroke k;
    if (std::isalpha(u)) {
        k.virtualKey = std::toupper(u);
        k.shift = std::isupper(u) != 0;
    } else if (std::isdigit(u)) {
        k.virtualKey = u;
    } else if (c == ' ') {
        k.virtualKey = kVkSpace;
    } else if (c == '~') {
        k.virtualKey = kVkReturn;
    } else {
        return std::nullopt;  // punctuation depends on the keyboard layout
    }
    return k;
}

}  // namespace

std::optional<std::vector<KeyStroke>> ParseKeySequence(const std::string& text) {
    std::vector<KeyStroke> out;
    bool shift = false, control = false, alt = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            shift = true;
            continue;
        }
        if (c == '^') {
            control = true;
            continue;
        }
        if (c == '%') {
            alt = true;
            continue;
        }
        KeyStroke k;
        if (c == '{') {
            // "{}}" names the closing brace itself.
            std::size_t close = (i + 2 < text.size() && text[i + 1] == '}' && text[i + 2] == '}')
                                    ? i + 2
                                    : text.find('}', i + 1);
            if (close == std::string::npos) return std::nullopt;
            std::string name = text.substr(i + 1, close - i - 1);
            for (char& ch : name) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            auto it = NamedKeys().find(name);
            if (it != NamedKeys().end()) {
                k.virtualKey = it->second;
            } else if (name.size() == 1) {
                auto ck = CharKey(text[i + 1]);
                if (!ck) return std::nullopt;
                k = *ck;
            } else {
                return std::nullopt;
            }
            i = close;
        } else if (c == '}' || c == '(' || c == ')') {
            return std::nullopt;
        } else {
            auto ck = CharKey(c);
            if (!ck) return std::nullopt;
            k = *ck;
        }
        k.shift = k.shift || shift;
        k.control = control;
        k.alt = alt;
        out.push_back(k);
        shift = control = alt = false;
    }
    if (shift || control || alt) return std::nullopt;  // a modifier with no key after it
    return out;
}

}  // namespace qv
