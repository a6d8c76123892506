// The bytes of the picture file a texture was last built from. A restart reads the file again
// and compares it with them as it reads, so an unchanged picture keeps its texture and skips
// the mipmap build, and a changed one, even rewritten with the same size and time stamp, is
// told apart by its content.
#pragma once
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
        Same,     // byte for byte what is remembered; the remembered bytes are untouched
        Changed,  // different: the remembered bytes are now the new ones
        Failed,   // short read or no memory: nothing is remembered any more
    };

    // Compares piece by piece so that only a small piece is held twice; `piece` is the size
    // of those pieces.
    explicit PictureMemory(std::size_t piece = 1u << 20);

    // Reads `size` bytes through `read` and compares them with what is remembered.
    Outcome Take(std::uint64_t size, const Reader& read);

    // After this, the next Take reports Changed whatever it reads (the texture no longer
    // holds the remembered picture).
    void Forget() { remembered_ = false; }

    bool Remembers() const { return remembered_; }
    std::uint8_t* Bytes() { return bytes_.get(); }
    const std::uint8_t* Bytes() const { return bytes_.get(); }
    std::uint64_t Size() const { return size_; }

  private:
    Outcome ReadAllInto(std::uint64_t from, const Reader& read);

    std::size_t piece_;
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::uint64_t capacity_ = 0;
    std::uint64_t size_ = 0;
    bool remembered_ = false;
    std::unique_ptr<std::uint8_t[]> scratch_;
};

}  // namespace qv::renderer
