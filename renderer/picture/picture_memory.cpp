#include "renderer/picture/picture_memory.h"

#include <algorithm>
#include <cstring>
#include <new>

// XXH3's 128-bit digest: it changes with any change of any byte (all 128 bits are of full
// quality), and runs at memory speed. A restart digests a whole desktop picture every cycle
// (25 MB at 3840x2160); a cryptographic digest (SHA-256 as the system offers it) would add
// tens of milliseconds to each restart, for no gain: the files come from the saver, and
// a collision could only keep the previous picture on the screen.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace qv::renderer {
namespace {

PictureMemory::Digest DigestOf(XXH128_hash_t hash) {
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, hash);
    PictureMemory::Digest digest;
    std::memcpy(digest.data(), canonical.digest, digest.size());
    return digest;
}

}  // namespace

PictureMemory::PictureMemory(std::size_t piece) : piece_(piece > 0 ? piece : 1) {}

PictureMemory::Outcome PictureMemory::Check(std::uint64_t size, const Reader& read) {
    if (!remembered_ || size != size_) return Outcome::Changed;
    if (!scratch_) scratch_.reset(new (std::nothrow) std::uint8_t[piece_]);
    XXH3_state_t state;
    XXH3_128bits_reset(&state);
    for (std::uint64_t at = 0; at < size;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(piece_, size - at));
        if (!scratch_ || !read(scratch_.get(), n)) {
            Forget();
            return Outcome::Failed;
        }
        XXH3_128bits_update(&state, scratch_.get(), n);
        at += n;
    }
    return DigestOf(XXH3_128bits_digest(&state)) == digest_ ? Outcome::Same : Outcome::Changed;
}

void PictureMemory::Remember(const std::uint8_t* bytes, std::size_t size) {
    digest_ = DigestOf(XXH3_128bits(bytes, size));
    size_ = size;
    remembered_ = true;
}

}  // namespace qv::renderer
