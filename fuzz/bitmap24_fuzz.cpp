// libFuzzer entry for the 24-bit bitmap reader and writer: whatever the headers say, an
// accepted file's pixels lie inside the data, and writing them back reads back the same.
#include <cstdint>
#include <cstdlib>

#include "saver/framework/bitmap24.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto image = qv::DecodeBitmap24(data, size);
    if (!image) return 0;
    if (image->bgr.size() != static_cast<std::size_t>(image->width) * image->height * 3) std::abort();
    std::vector<std::uint8_t> again = qv::EncodeBitmap24(*image);
    if (again.size() != qv::kBitmapHeaderBytes + qv::Bitmap24RowBytes(image->width) * image->height)
        std::abort();
    auto back = qv::DecodeBitmap24(again.data(), again.size());
    if (!back || back->bgr != image->bgr || back->width != image->width || back->height != image->height)
        std::abort();
    return 0;
}
