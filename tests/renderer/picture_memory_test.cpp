// Telling an unchanged picture file from a changed one as it is read.
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
    std::size_t at = 0;
    std::size_t shortAt = SIZE_MAX;
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

Outcome Take(PictureMemory& memory, const std::vector<std::uint8_t>& bytes) {
    FakeFile f{bytes};
    return memory.Take(bytes.size(), f.Reader());
}

bool Holds(const PictureMemory& memory, const std::vector<std::uint8_t>& bytes) {
    return memory.Remembers() && memory.Size() == bytes.size() &&
           std::memcmp(memory.Bytes(), bytes.data(), bytes.size()) == 0;
}

TEST(PictureMemory, FirstReadIsAChangeThenTheSameBytesAreTheSame) {
    PictureMemory memory(16);
    const auto file = Pattern(100, 1);
    EXPECT_EQ(Take(memory, file), Outcome::Changed);
    EXPECT_TRUE(Holds(memory, file));
    EXPECT_EQ(Take(memory, file), Outcome::Same);
    EXPECT_EQ(Take(memory, file), Outcome::Same);
    EXPECT_TRUE(Holds(memory, file));
}

// Same size, one byte different anywhere: first byte, the edges of a piece, inside one, last.
TEST(PictureMemory, OneByteDifferentAnywhereIsAChangeAndIsRememberedWhole) {
    const std::size_t piece = 16, size = 100;  // the last piece is short (4 bytes)
    for (std::size_t where : {std::size_t{0}, piece - 1, piece, 2 * piece + 5, size - 4, size - 1}) {
        PictureMemory memory(piece);
        const auto first = Pattern(size, 1);
        auto second = first;
        second[where] ^= 0x01;
        ASSERT_EQ(Take(memory, first), Outcome::Changed);
        EXPECT_EQ(Take(memory, second), Outcome::Changed) << "byte " << where;
        EXPECT_TRUE(Holds(memory, second)) << "byte " << where;
        EXPECT_EQ(Take(memory, second), Outcome::Same) << "byte " << where;
        EXPECT_EQ(Take(memory, first), Outcome::Changed) << "byte " << where;
        EXPECT_TRUE(Holds(memory, first)) << "byte " << where;
    }
}

TEST(PictureMemory, OtherSizeIsAChangeEvenWithTheSameStart) {
    PictureMemory memory(8);
    const auto big = Pattern(64, 3);
    const std::vector<std::uint8_t> small(big.begin(), big.begin() + 40);
    ASSERT_EQ(Take(memory, big), Outcome::Changed);
    EXPECT_EQ(Take(memory, small), Outcome::Changed);
    EXPECT_TRUE(Holds(memory, small));
    EXPECT_EQ(Take(memory, big), Outcome::Changed);
    EXPECT_TRUE(Holds(memory, big));
    EXPECT_EQ(Take(memory, big), Outcome::Same);
}

// A file cut short never passes for the remembered one, and the next good read is a change
// (the texture no longer holds that picture).
TEST(PictureMemory, ShortReadForgetsSoTheNextReadIsAChange) {
    for (std::size_t shortAt : {std::size_t{0}, std::size_t{5}, std::size_t{50}, std::size_t{99}}) {
        PictureMemory memory(16);
        const auto file = Pattern(100, 9);
        ASSERT_EQ(Take(memory, file), Outcome::Changed);
        FakeFile cut{file};
        cut.shortAt = shortAt;
        EXPECT_EQ(memory.Take(file.size(), cut.Reader()), Outcome::Failed) << shortAt;
        EXPECT_FALSE(memory.Remembers());
        EXPECT_EQ(Take(memory, file), Outcome::Changed) << shortAt;
        EXPECT_EQ(Take(memory, file), Outcome::Same) << shortAt;
    }
    PictureMemory fresh;
    FakeFile empty{{}};
    EXPECT_EQ(fresh.Take(10, empty.Reader()), Outcome::Failed);
}

TEST(PictureMemory, ForgetMakesTheSameBytesAChange) {
    PictureMemory memory(16);
    const auto file = Pattern(40, 2);
    ASSERT_EQ(Take(memory, file), Outcome::Changed);
    memory.Forget();
    EXPECT_EQ(Take(memory, file), Outcome::Changed);
    EXPECT_EQ(Take(memory, file), Outcome::Same);
}

// The comparison goes piece by piece and stops comparing at the first difference: the rest is
// read in one go where it belongs.
TEST(PictureMemory, ReadsInPiecesUntilTheFirstDifference) {
    PictureMemory memory(10);
    const auto first = Pattern(100, 4);
    ASSERT_EQ(Take(memory, first), Outcome::Changed);
    FakeFile same{first};
    EXPECT_EQ(memory.Take(100, same.Reader()), Outcome::Same);
    EXPECT_EQ(same.reads, 10);
    auto second = first;
    second[25] ^= 0xFF;
    FakeFile changed{second};
    EXPECT_EQ(memory.Take(100, changed.Reader()), Outcome::Changed);
    EXPECT_EQ(changed.reads, 4);  // three pieces compared, the rest at once
    EXPECT_TRUE(Holds(memory, second));
}

TEST(PictureMemory, EmptyFileIsRememberedToo) {
    PictureMemory memory;
    EXPECT_EQ(Take(memory, {}), Outcome::Changed);
    EXPECT_EQ(Take(memory, {}), Outcome::Same);
}

}  // namespace
}  // namespace qv::renderer
