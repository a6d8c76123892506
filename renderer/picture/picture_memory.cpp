#include "renderer/picture/picture_memory.h"

#include <algorithm>
#include <new>

// XXH3's 128-bit digest: it changes with any change of any byte (all 128 bits are of full
// quality), and runs at memory speed. A restart digests a whole desktop picture every cycle
// (25 MB at 3840x2160); a cryptographic digest (SHA-256 as the system offers it) would add
// tens of milliseconds to each restart, for no gain: the files come from the saver, and
// a collision could only keep the previous picture on the screen.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace qv::renderer {

PictureMemory::PictureMemory(std::size_t piece) : piece_(piece > 0 ? piece : 1) {}

PictureMemory::Outcome PictureMemory::Check(std::uint64_t size, const Reader& read) {
    if (!remembered_ || size != size_) return Outcome::Changed;
    if (!scratch_) {
        scratch_.reset(new (std::nothrow) std::uint8_t[piece_]);
        if (!scratch_) {
            Forget();
            return Outcome::Failed;
        }
    }
    XXH3_state_t state;
    XXH3_128bits_reset(&state);
    for (std::uint64_t at = 0; at < size;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(piece_, size - at));
        if (!read(scratch_.get(), n)) {
            Forget();
            return Outcome::Failed;
        }
        XXH3_128bits_update(&state, scratch_.get(), n);
        at += n;
    }
    const XXH128_hash_t digest = XXH3_128bits_digest(&state);
    return digest.low64 == digest_.low && digest.high64 == digest_.high ? Outcome::Same : Outcome::Changed;
}

void PictureMemory::Remember(const std::uint8_t* bytes, std::size_t size) {
    const XXH128_hash_t digest = XXH3_128bits(bytes, size);
    digest_ = {digest.low64, digest.high64};
    size_ = size;
    remembered_ = true;
}

}  // namespace qv::renderer
