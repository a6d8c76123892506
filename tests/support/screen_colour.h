// A colour seen on the screen or in a picture, compared with some slack: the renderer's
// lighting, filtering and blending move a picture's colours a little.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>

namespace qv::test {

struct Rgb {
    int r, g, b;
};

// Each channel within `tolerance` of the other colour's.
inline bool Near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

inline std::string Text(Rgb c) {
    char s[40];
    std::snprintf(s, sizeof s, "(%d, %d, %d)", c.r, c.g, c.b);
    return s;
}

}  // namespace qv::test
