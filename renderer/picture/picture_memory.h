// What tells the picture file a texture was last built from: the file's size and a 128-bit
// digest of all its bytes, not the bytes themselves (a whole desktop picture per monitor for
// the life of the show). A restart reads the file again and digests it as it reads, so an
// unchanged picture keeps its texture and skips the mipmap build, and a changed one, even
// rewritten with the same size and time stamp, is told apart by its content.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace qv::renderer {

class PictureMemory {
  public:
    // Fills exactly `count` bytes at `into`; false when fewer arrived.
    using Reader = std::function<bool(std::uint8_t* into, std::size_t count)>;

    enum class Outcome {
        Same,     // the size and digest of what is remembered
        Changed,  // anything else, or nothing remembered (then nothing is read)
        Failed,   // short read or no memory: nothing is remembered any more
    };

    // Reads in pieces of `piece` bytes, so that only one piece is held at a time.
    explicit PictureMemory(std::size_t piece = 1u << 20);

    // Reads `size` bytes through `read` and tells whether they are what is remembered. None of
    // them is kept: after Changed the caller reads the file again to build its texture, and
    // remembers the bytes it built from.
    Outcome Check(std::uint64_t size, const Reader& read);

    // The texture now holds the picture built from exactly these bytes.
    void Remember(const std::uint8_t* bytes, std::size_t size);

    // After this, Check reports Changed whatever it would read (the texture no longer holds
    // the remembered picture).
    void Forget() { remembered_ = false; }

    bool Remembers() const { return remembered_; }

    using Digest = std::array<std::uint8_t, 16>;

  private:
    std::size_t piece_;
    std::unique_ptr<std::uint8_t[]> scratch_;
    std::uint64_t size_ = 0;
    Digest digest_ = {};
    bool remembered_ = false;
};

}  // namespace qv::renderer
