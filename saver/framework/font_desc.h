#pragma once
// A font as forms and user controls describe it; the Win32 side makes an HFONT from it.
#include <string>

namespace qv {

struct FontDesc {
    std::string name = "MS UI Gothic";  // UTF-8 face name
    double size = 9.0;                  // points
    int weight = 400;                   // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 1;  // DEFAULT_CHARSET

    bool Bold() const { return weight >= 700; }
    bool operator==(const FontDesc& o) const {
        return name == o.name && size == o.size && weight == o.weight && italic == o.italic &&
               underline == o.underline && strikethrough == o.strikethrough && charset == o.charset;
    }
    bool operator!=(const FontDesc& o) const { return !(*this == o); }
};

}  // namespace qv
