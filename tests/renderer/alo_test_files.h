// Builds alo picture files in memory for the loader's tests.
#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

namespace qv::renderer::test {

struct AloSpec {
    std::int32_t width = 4;
    std::int32_t height = 3;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    bool zeroImageSize = false;
    std::int64_t pixelOffset = 54;  // header block extends to it
    std::int64_t dropTail = 0;      // bytes cut off the end
};

inline void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
}

// Pixel (x, row) in file order gets blue = x, green = row, red = 200.
inline std::vector<std::uint8_t> MakeAlo(const AloSpec& s) {
    const std::uint32_t rowBytes = (3u * static_cast<std::uint32_t>(s.width) + 3u) / 4u * 4u;
    const std::uint32_t rows = static_cast<std::uint32_t>(s.height < 0 ? -s.height : s.height);
    const std::size_t pixels = static_cast<std::size_t>(rowBytes) * rows;
    std::vector<std::uint8_t> b(static_cast<std::size_t>(s.pixelOffset) + pixels, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, static_cast<std::uint32_t>(s.pixelOffset));
    if (s.pixelOffset >= 54) Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(s.width));
    Put32(b, 22, static_cast<std::uint32_t>(s.height));
    b[26] = 1;
    b[28] = static_cast<std::uint8_t>(s.bitCount);
    b[29] = static_cast<std::uint8_t>(s.bitCount >> 8);
    Put32(b, 30, s.compression);
    Put32(b, 34, s.zeroImageSize ? 0 : static_cast<std::uint32_t>(pixels));
    for (std::uint32_t r = 0; r < rows; ++r)
        for (std::int32_t x = 0; x < s.width; ++x) {
            std::uint8_t* p = &b[s.pixelOffset + r * rowBytes + 3 * x];
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(r);
            p[2] = 200;
        }
    b.resize(b.size() - static_cast<std::size_t>(s.dropTail));
    return b;
}

}  // namespace qv::renderer::test
