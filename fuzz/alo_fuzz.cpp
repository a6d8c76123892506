// libFuzzer entry for the picture file checks: whatever the headers say, the accepted
// layout must lie inside the data, and turning the rows must stay inside it too.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "renderer/picture/alo_format.h"

using namespace qv::renderer;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    AloLayout layout;
    if (CheckAlo(data, size, &layout) != AloReject::None) return 0;
    if (layout.pixelOffset + layout.pixelBytes > size) std::abort();
    if (static_cast<std::uint64_t>(layout.rowBytes) * layout.rows != layout.pixelBytes) std::abort();
    if (layout.rowBytes < 3ull * static_cast<std::uint64_t>(layout.width)) std::abort();
    std::vector<std::uint8_t> pixels(data + layout.pixelOffset,
                                     data + layout.pixelOffset + layout.pixelBytes);
    FlipRows(pixels.data(), layout.rowBytes, layout.rows);
    FlipRows(pixels.data(), layout.rowBytes, layout.rows);
    if (std::memcmp(pixels.data(), data + layout.pixelOffset, pixels.size()) != 0) std::abort();
    return 0;
}
