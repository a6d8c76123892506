// What the loader accepts from a picture file, and what it refuses before allocating.
#include "renderer/picture/alo_format.h"

#include <gtest/gtest.h>

#include "alo_test_files.h"

namespace qv::renderer {
namespace {

using test::AloSpec;
using test::MakeAlo;
using test::Put32;

AloReject Check(const std::vector<std::uint8_t>& file, AloLayout* layout = nullptr) {
    AloLayout scratch;
    return CheckAlo(file.data(), file.size(), layout ? layout : &scratch);
}

TEST(AloFormat, AcceptsTheWritersDesktopPicture) {
    AloSpec s;
    s.width = 1024;
    s.height = 768;
    const auto file = MakeAlo(s);
    ASSERT_EQ(file.size(), 2359350u);
    AloLayout l;
    ASSERT_EQ(Check(file, &l), AloReject::None);
    EXPECT_EQ(l.pixelOffset, 54u);
    EXPECT_EQ(l.rowBytes, 3072u);
    EXPECT_EQ(l.rows, 768u);
    EXPECT_EQ(l.pixelBytes, 2359296u);
}

TEST(AloFormat, PadsOddWidthRowsToFourBytesAlsoWithoutImageSize) {
    for (bool zero : {false, true}) {
        AloSpec s;
        s.width = 1366;
        s.height = 5;
        s.zeroImageSize = zero;
        AloLayout l;
        ASSERT_EQ(Check(MakeAlo(s), &l), AloReject::None);
        EXPECT_EQ(l.rowBytes, 4100u);
        EXPECT_EQ(l.pixelBytes, 4100u * 5);
    }
}

TEST(AloFormat, IgnoresWhatLiesBetweenTheInfoHeaderAndThePixels) {
    AloSpec s;
    s.pixelOffset = 54 + 1024;  // a colour table the loader skips
    AloLayout l;
    ASSERT_EQ(Check(MakeAlo(s), &l), AloReject::None);
    EXPECT_EQ(l.pixelOffset, 1078u);
}

TEST(AloFormat, RejectsHeadersThatAreNotThisFormat) {
    auto file = MakeAlo({});
    AloLayout l;
    EXPECT_EQ(CheckAlo(file.data(), 13, &l), AloReject::ShortFileHeader);
    auto notBm = file;
    notBm[0] = 'M';
    notBm[1] = 'B';
    EXPECT_EQ(Check(notBm), AloReject::NotBitmap);

    AloSpec s;
    s.bitCount = 32;
    EXPECT_EQ(Check(MakeAlo(s)), AloReject::NotTwentyFourBit);
    s.bitCount = 8;
    EXPECT_EQ(Check(MakeAlo(s)), AloReject::NotTwentyFourBit);
    s = {};
    s.compression = 1;
    EXPECT_EQ(Check(MakeAlo(s)), AloReject::Compressed);
    s = {};
    s.width = 0;
    EXPECT_EQ(Check(MakeAlo(s)), AloReject::BadWidth);
    auto negativeWidth = file;
    Put32(negativeWidth, 18, static_cast<std::uint32_t>(-4));
    EXPECT_EQ(Check(negativeWidth), AloReject::BadWidth);
    auto zeroHeight = file;
    Put32(zeroHeight, 22, 0);
    EXPECT_EQ(Check(zeroHeight), AloReject::BadHeight);
}

TEST(AloFormat, PixelOffsetMustCoverTheFieldsUpToImageSize) {
    AloSpec s;
    s.pixelOffset = 37;
    EXPECT_EQ(Check(MakeAlo(s)), AloReject::PixelOffsetTooSmall);
    s.pixelOffset = 38;
    EXPECT_EQ(Check(MakeAlo(s)), AloReject::None);
    auto file = MakeAlo({});
    Put32(file, 10, static_cast<std::uint32_t>(file.size() + 1));
    EXPECT_EQ(Check(file), AloReject::PixelOffsetPastEnd);
    Put32(file, 10, 0xFFFFFFFFu);
    EXPECT_EQ(Check(file), AloReject::PixelOffsetPastEnd);
}

TEST(AloFormat, RejectsPixelDataShorterThanThePictureNeeds) {
    AloSpec s;
    s.dropTail = 1;
    EXPECT_EQ(Check(MakeAlo(s)), AloReject::PixelsPastEnd);
    s.zeroImageSize = true;
    EXPECT_EQ(Check(MakeAlo(s)), AloReject::PixelsPastEnd);

    // An image size too small for width x height is refused even though the bytes are there.
    auto file = MakeAlo({});
    Put32(file, 34, 12);
    EXPECT_EQ(Check(file), AloReject::ImageSizeTooSmall);
    // An image size larger than the file.
    file = MakeAlo({});
    Put32(file, 34, 1u << 30);
    EXPECT_EQ(Check(file), AloReject::PixelsPastEnd);
}

TEST(AloFormat, LyingDimensionsAreCaughtBeforeAnyAllocation) {
    auto file = MakeAlo({});
    Put32(file, 18, 0x7FFFFFFF);  // width
    Put32(file, 22, 0x7FFFFFFF);  // height
    Put32(file, 34, 0);
    EXPECT_EQ(Check(file), AloReject::PixelsPastEnd);
    Put32(file, 22, 0x80000000u);  // the height that has no absolute value
    EXPECT_EQ(Check(file), AloReject::BadHeight);
}

TEST(AloFormat, TopDownPicturesAreDescribedByTheirRowCount) {
    AloSpec s;
    s.height = -3;
    AloLayout l;
    ASSERT_EQ(Check(MakeAlo(s), &l), AloReject::None);
    EXPECT_EQ(l.height, -3);
    EXPECT_EQ(l.rows, 3u);
}

TEST(AloFormat, FlipRowsReversesRowOrderForOddAndEvenCounts) {
    for (std::uint32_t rows : {1u, 2u, 3u, 4u}) {
        std::vector<std::uint8_t> px(rows * 4);
        for (std::uint32_t r = 0; r < rows; ++r)
            for (int k = 0; k < 4; ++k) px[r * 4 + k] = static_cast<std::uint8_t>(r * 10 + k);
        FlipRows(px.data(), 4, rows);
        for (std::uint32_t r = 0; r < rows; ++r)
            for (int k = 0; k < 4; ++k) ASSERT_EQ(px[r * 4 + k], (rows - 1 - r) * 10 + k) << rows << " rows";
    }
}

TEST(AloEdges, SmallestPicturesAndAHeaderOfExactlyFourteenBytes) {
    AloSpec s;
    s.width = 1;
    s.height = -1;
    AloLayout l;
    const auto file = MakeAlo(s);
    ASSERT_EQ(CheckAlo(file.data(), file.size(), &l), AloReject::None);
    EXPECT_EQ(l.width, 1);
    EXPECT_EQ(l.height, -1);
    EXPECT_EQ(l.rowBytes, 4u);
    EXPECT_EQ(l.rows, 1u);

    AloLayout h;
    EXPECT_EQ(CheckAloFileHeader(file.data(), kAloFileHeaderSize, file.size(), &h), AloReject::None);
    EXPECT_EQ(h.pixelOffset, 54u);
}

}  // namespace
}  // namespace qv::renderer
