#include "renderer/picture/picture_memory.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace qv::renderer {

PictureMemory::PictureMemory(std::size_t piece) : piece_(piece > 0 ? piece : 1) {}

PictureMemory::Outcome PictureMemory::Take(std::uint64_t size, const Reader& read) {
    if (size > SIZE_MAX) {
        Forget();
        return Outcome::Failed;
    }
    if (!remembered_ || size != size_) {
        // Nothing to compare with: read straight into the remembered bytes.
        remembered_ = false;
        if (size > capacity_) {
            bytes_.reset();
            capacity_ = 0;
            bytes_.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(size)]);
            if (!bytes_) return Outcome::Failed;
            capacity_ = size;
        }
        size_ = size;
        return ReadAllInto(0, read);
    }
    if (!scratch_) {
        scratch_.reset(new (std::nothrow) std::uint8_t[piece_]);
        if (!scratch_) {
            Forget();
            return Outcome::Failed;
        }
    }
    for (std::uint64_t at = 0; at < size;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(piece_, size - at));
        if (!read(scratch_.get(), n)) {
            Forget();
            return Outcome::Failed;
        }
        if (std::memcmp(scratch_.get(), bytes_.get() + at, n) != 0) {
            // From the first difference on, the rest is read where it belongs.
            std::memcpy(bytes_.get() + at, scratch_.get(), n);
            remembered_ = false;
            return ReadAllInto(at + n, read);
        }
        at += n;
    }
    return Outcome::Same;
}

PictureMemory::Outcome PictureMemory::ReadAllInto(std::uint64_t from, const Reader& read) {
    if (from < size_ && !read(bytes_.get() + from, static_cast<std::size_t>(size_ - from))) {
        Forget();
        return Outcome::Failed;
    }
    remembered_ = true;
    return Outcome::Changed;
}

}  // namespace qv::renderer
