#include "saver/controls/access_key.h"

namespace qv::controls {

namespace {

// Length of the UTF-8 sequence that starts with this byte (1 for stray bytes).
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::string AccessKeyOf(const std::string& caption) {
    std::size_t pos = 0;
    while (pos < caption.size()) {
        const std::size_t amp = caption.find('&', pos);
        if (amp == std::string::npos || amp + 1 >= caption.size()) return {};
        if (caption[amp + 1] == '&') {
            pos = amp + 2;
            continue;
        }
        const std::size_t len = SequenceLength(static_cast<unsigned char>(caption[amp + 1]));
        std::string key = caption.substr(amp + 1, len);
        if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'Z') key[0] = static_cast<char>(key[0] - 'A' + 'a');
        return key;
    }
    return {};
}

std::string NewButtonCaption(const std::vector<std::string>& captionsOnForm, const std::string& controlName) {
    std::string list = "|";
    for (const std::string& c : captionsOnForm) list += c + "|";
    for (const char* candidate : {"&OK", "&Cancel", "&Apply"}) {
        if (list.find(std::string("|") + candidate + "|") == std::string::npos) return candidate;
    }
    return controlName;
}

}  // namespace qv::controls
