#include "saver/framework/bitmap24.h"

#include <cstring>
#include <limits>

namespace qv {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint32_t Get16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Get32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

std::size_t Bitmap24RowBytes(int width) {
    if (width <= 0) return 0;
    return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

std::vector<std::uint8_t> EncodeBitmap24(const Bitmap24& image) {
    if (image.width < 0 || image.height < 0) return {};
    const std::size_t w = static_cast<std::size_t>(image.width);
    const std::size_t h = static_cast<std::size_t>(image.height);
    if (w != 0 && h > std::numeric_limits<std::size_t>::max() / 3 / w) return {};
    if (image.bgr.size() != w * h * 3) return {};
    const std::size_t row = Bitmap24RowBytes(image.width);
    // Sizes in the headers are 32-bit: refuse what they cannot describe.
    const std::uint64_t data = static_cast<std::uint64_t>(row) * h;
    if (data + kBitmapHeaderBytes > 0xFFFFFFFFu) return {};

    std::vector<std::uint8_t> out(kBitmapHeaderBytes + static_cast<std::size_t>(data), 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, kBitmapHeaderBytes);
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<std::uint32_t>(image.width));
    Put32(out, 22, static_cast<std::uint32_t>(image.height));  // positive: rows bottom-up
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    Put32(out, 30, 0);  // BI_RGB
    Put32(out, 34, static_cast<std::uint32_t>(data));
    Put32(out, 38, 2835);  // 72 dpi, as most writers put it
    Put32(out, 42, 2835);
    for (std::size_t y = 0; w != 0 && y < h; ++y) {
        const std::uint8_t* src = image.bgr.data() + y * w * 3;
        std::uint8_t* dst = out.data() + kBitmapHeaderBytes + (h - 1 - y) * row;
        if (w) std::memcpy(dst, src, w * 3);
    }
    return out;
}

std::optional<Bitmap24> DecodeBitmap24(const std::uint8_t* data, std::size_t size) {
    if (!data || size < kBitmapHeaderBytes || data[0] != 'B' || data[1] != 'M') return std::nullopt;
    const std::uint32_t offset = Get32(data + 10);
    const std::uint32_t infoSize = Get32(data + 14);
    const std::int32_t width = static_cast<std::int32_t>(Get32(data + 18));
    const std::int32_t rawHeight = static_cast<std::int32_t>(Get32(data + 22));
    if (infoSize < 40 || Get16(data + 26) != 1 || Get16(data + 28) != 24 || Get32(data + 30) != 0)
        return std::nullopt;
    if (width < 0 || rawHeight == std::numeric_limits<std::int32_t>::min()) return std::nullopt;
    const bool topDown = rawHeight < 0;
    const std::size_t w = static_cast<std::size_t>(width);
    const std::size_t h =
        static_cast<std::size_t>(topDown ? -static_cast<std::int64_t>(rawHeight) : rawHeight);
    const std::size_t row = Bitmap24RowBytes(width);
    if (offset < 14 + infoSize || offset > size) return std::nullopt;
    if (h != 0 && row > (size - offset) / h) return std::nullopt;

    Bitmap24 img;
    img.width = width;
    img.height = static_cast<int>(h);
    if (w == 0 || h == 0) return img;  // no pixels: nothing to walk over, however many rows
    img.bgr.resize(w * h * 3);
    for (std::size_t y = 0; y < h; ++y) {
        const std::size_t fileRow = topDown ? y : h - 1 - y;
        if (w) std::memcpy(img.bgr.data() + y * w * 3, data + offset + fileRow * row, w * 3);
    }
    return img;
}

}  // namespace qv
