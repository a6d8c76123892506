// Telling an unchanged picture file from a changed one as it is read, by size and digest.
#include "renderer/picture/picture_memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace qv::renderer {
namespace {

using Outcome = PictureMemory::Outcome;

// Hands out a file's bytes in the order asked for; `shortAt` ends the file early there.
struct FakeFile {
    std::vector<std::uint8_t> bytes;
    std::size_t shortAt = SIZE_MAX;
    std::size_t at = 0;
    int reads = 0;

    PictureMemory::Reader Reader() {
        return [this](std::uint8_t* into, std::size_t count) {
            ++reads;
            if (at + count > bytes.size() || at + count > shortAt) return false;
            std::memcpy(into, bytes.data() + at, count);
            at += count;
            return true;
        };
    }
};

std::vector<std::uint8_t> Pattern(std::size_t n, std::uint8_t seed) {
    std::vector<std::uint8_t> v(n);
    for (std::size_t k = 0; k < n; ++k) v[k] = static_cast<std::uint8_t>(seed + k * 7);
    return v;
}

Outcome Check(PictureMemory& memory, const std::vector<std::uint8_t>& bytes, int* reads = nullptr) {
    FakeFile f{bytes};
    const Outcome outcome = memory.Check(bytes.size(), f.Reader());
    if (reads) *reads = f.reads;
    return outcome;
}

void Remember(PictureMemory& memory, const std::vector<std::uint8_t>& bytes) {
    memory.Remember(bytes.data(), bytes.size());
}

TEST(PictureMemory, TheSameBytesAreTheSameReadInPiecesAndNothingElseIs) {
    const std::size_t piece = 16, size = 100;  // the last piece is short (4 bytes)
    PictureMemory memory(piece);
    const auto file = Pattern(size, 1);
    int reads = 0;
    EXPECT_EQ(Check(memory, file, &reads), Outcome::Changed);  // nothing remembered yet
    EXPECT_EQ(reads, 0);
    Remember(memory, file);
    EXPECT_EQ(Check(memory, file, &reads), Outcome::Same);
    EXPECT_EQ(reads, 7);
    PictureMemory bytewise(0);  // pieces of no size are single bytes
    Remember(bytewise, file);
    EXPECT_EQ(Check(bytewise, file, &reads), Outcome::Same);
    EXPECT_EQ(reads, 100);

    // One bit different anywhere: the first byte, the edges of a piece, inside one, the last.
    for (std::size_t where : {std::size_t{0}, piece - 1, piece, 2 * piece + 5, size - 4, size - 1}) {
        auto other = file;
        other[where] ^= 0x01;
        EXPECT_EQ(Check(memory, other), Outcome::Changed) << "byte " << where;
    }
    // Another size is a change without a read, even with the same start.
    const std::vector<std::uint8_t> shorter(file.begin(), file.begin() + 40);
    EXPECT_EQ(Check(memory, shorter, &reads), Outcome::Changed);
    EXPECT_EQ(reads, 0);

    // What is remembered last counts.
    Remember(memory, shorter);
    EXPECT_EQ(Check(memory, shorter), Outcome::Same);
    EXPECT_EQ(Check(memory, file), Outcome::Changed);
    Remember(memory, {});
    EXPECT_EQ(Check(memory, {}), Outcome::Same);
}

// A file cut short never passes for the remembered one, and forgets it: the texture no longer
// holds that picture. So does Forget.
TEST(PictureMemory, AShortReadOrForgetMakesTheSameBytesAChange) {
    const auto file = Pattern(100, 9);
    for (std::size_t shortAt : {std::size_t{0}, std::size_t{50}, std::size_t{99}}) {
        PictureMemory memory(16);
        Remember(memory, file);
        FakeFile cut{file, shortAt};
        EXPECT_EQ(memory.Check(file.size(), cut.Reader()), Outcome::Failed) << shortAt;
        EXPECT_FALSE(memory.Remembers());
        EXPECT_EQ(Check(memory, file), Outcome::Changed) << shortAt;
    }
    PictureMemory memory(16);
    Remember(memory, file);
    memory.Forget();
    EXPECT_EQ(Check(memory, file), Outcome::Changed);
}

}  // namespace
}  // namespace qv::renderer
