#pragma once
// The 24-bit bitmap file: 14-byte file header, 40-byte information header, no colour table,
// rows bottom-up, each padded to a multiple of 4 bytes. Window-free.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace qv {

struct Bitmap24 {
    int width = 0;
    int height = 0;
    // Top-down rows of width*3 bytes each, blue, green, red per pixel; no padding.
    std::vector<std::uint8_t> bgr;
};

constexpr std::size_t kBitmapHeaderBytes = 54;

// Bytes of one padded row in the file.
std::size_t Bitmap24RowBytes(int width);

// The whole file. Empty result when the size is negative or the file would not fit the
// format's 32-bit sizes, or when the pixels do not match width*height*3.
std::vector<std::uint8_t> EncodeBitmap24(const Bitmap24& image);

// Reads a file in the same format (bottom-up or top-down rows, 24 bits, uncompressed).
std::optional<Bitmap24> DecodeBitmap24(const std::uint8_t* data, std::size_t size);

}  // namespace qv
