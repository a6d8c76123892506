#include "renderer/picture/alo_format.h"

#include <algorithm>

namespace qv::renderer {
namespace {

std::uint32_t U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t S32(const std::uint8_t* p) { return static_cast<std::int32_t>(U32(p)); }

}  // namespace

AloReject CheckAloFileHeader(const std::uint8_t* header, std::size_t length, std::uint64_t fileSize,
                             AloLayout* layout) {
    if (length < kAloFileHeaderSize) return AloReject::ShortFileHeader;
    if (U16(header) != 0x4D42) return AloReject::NotBitmap;
    const std::uint32_t offset = U32(header + 10);
    if (offset < kAloMinPixelOffset) return AloReject::PixelOffsetTooSmall;
    if (offset > fileSize) return AloReject::PixelOffsetPastEnd;
    layout->pixelOffset = offset;
    return AloReject::None;
}

AloReject CheckAloHeaderBlock(const std::uint8_t* block, std::size_t length, std::uint64_t fileSize,
                              AloLayout* layout) {
    // Offsets below are relative to the block, which starts at file offset 14.
    if (length + kAloFileHeaderSize < layout->pixelOffset || length < kAloMinPixelOffset - kAloFileHeaderSize)
        return AloReject::ShortHeaderBlock;
    const std::int32_t width = S32(block + 4);
    const std::int32_t height = S32(block + 8);
    const std::uint32_t bitCount = U16(block + 14);
    const std::uint32_t compression = U32(block + 16);
    const std::uint32_t imageSize = U32(block + 20);
    if (width <= 0) return AloReject::BadWidth;
    if (height == 0 || height == INT32_MIN) return AloReject::BadHeight;
    if (bitCount != 24) return AloReject::NotTwentyFourBit;
    if (compression != 0) return AloReject::Compressed;

    const std::uint64_t rowBytes = (3ull * static_cast<std::uint64_t>(width) + 3ull) / 4ull * 4ull;
    const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    const std::uint64_t needed = rowBytes * rows;  // < 2^34 * 2^31: no overflow
    if (imageSize != 0 && imageSize < needed) return AloReject::ImageSizeTooSmall;
    const std::uint64_t available = fileSize - layout->pixelOffset;
    if (needed > available || imageSize > available) return AloReject::PixelsPastEnd;
    // The file is in memory or on disk at this size, so rowBytes and needed fit 32 bits
    // for any file the loader can read; keep the check explicit all the same.
    if (rowBytes > UINT32_MAX) return AloReject::PixelsPastEnd;

    layout->width = width;
    layout->height = height;
    layout->rowBytes = static_cast<std::uint32_t>(rowBytes);
    layout->rows = static_cast<std::uint32_t>(rows);
    layout->pixelBytes = needed;
    return AloReject::None;
}

AloReject CheckAlo(const std::uint8_t* data, std::size_t size, AloLayout* layout) {
    AloReject r = CheckAloFileHeader(data, size, size, layout);
    if (r != AloReject::None) return r;
    return CheckAloHeaderBlock(data + kAloFileHeaderSize, layout->pixelOffset - kAloFileHeaderSize, size,
                               layout);
}

void FlipRows(std::uint8_t* pixels, std::uint32_t rowBytes, std::uint32_t rows) {
    if (rows < 2) return;
    std::uint8_t* top = pixels;
    std::uint8_t* bottom = pixels + static_cast<std::size_t>(rowBytes) * (rows - 1);
    while (top < bottom) {
        std::swap_ranges(top, top + rowBytes, bottom);
        top += rowBytes;
        bottom -= rowBytes;
    }
}

const char* AloRejectText(AloReject reason) {
    switch (reason) {
        case AloReject::None:
            return "ok";
        case AloReject::ShortFileHeader:
            return "shorter than the file header";
        case AloReject::NotBitmap:
            return "not a bitmap";
        case AloReject::PixelOffsetTooSmall:
            return "pixel offset below 38";
        case AloReject::PixelOffsetPastEnd:
            return "pixel offset past the end of the file";
        case AloReject::ShortHeaderBlock:
            return "header block cut short";
        case AloReject::BadWidth:
            return "width not positive";
        case AloReject::BadHeight:
            return "height zero";
        case AloReject::NotTwentyFourBit:
            return "not 24 bits per pixel";
        case AloReject::Compressed:
            return "compressed";
        case AloReject::ImageSizeTooSmall:
            return "image size too small for the picture";
        case AloReject::PixelsPastEnd:
            return "pixel data past the end of the file";
    }
    return "?";
}

}  // namespace qv::renderer
