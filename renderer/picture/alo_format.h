// The alo picture file: an uncompressed 24-bit bitmap under another extension. This checks
// what a file's headers claim against the file's real size before anything is allocated.
#pragma once
#include <cstddef>
#include <cstdint>

namespace qv::renderer {

constexpr std::size_t kAloFileHeaderSize = 14;
// The header block must reach through the image size field (offset 34, 4 bytes).
constexpr std::uint32_t kAloMinPixelOffset = 38;

enum class AloReject {
    None,
    ShortFileHeader,
    NotBitmap,
    PixelOffsetTooSmall,
    PixelOffsetPastEnd,
    ShortHeaderBlock,
    BadWidth,
    BadHeight,
    NotTwentyFourBit,
    Compressed,
    ImageSizeTooSmall,
    PixelsPastEnd,
};

struct AloLayout {
    std::uint32_t pixelOffset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;       // as stored; negative means rows run top to bottom
    std::uint32_t rowBytes = 0;    // 3 * width rounded up to a multiple of 4
    std::uint32_t rows = 0;        // |height|
    std::uint64_t pixelBytes = 0;  // rowBytes * rows: what is read and handed to OpenGL
};

// First step: the 14-byte file header. Fills pixelOffset.
AloReject CheckAloFileHeader(const std::uint8_t* header, std::size_t length, std::uint64_t fileSize,
                             AloLayout* layout);

// Second step: the header block (pixelOffset - 14 bytes that follow the file header).
AloReject CheckAloHeaderBlock(const std::uint8_t* block, std::size_t length, std::uint64_t fileSize,
                              AloLayout* layout);

// Both steps over a whole file held in memory.
AloReject CheckAlo(const std::uint8_t* data, std::size_t size, AloLayout* layout);

// Reverses the row order in place, so a top-down picture reaches OpenGL bottom row first.
void FlipRows(std::uint8_t* pixels, std::uint32_t rowBytes, std::uint32_t rows);

const char* AloRejectText(AloReject reason);

}  // namespace qv::renderer
