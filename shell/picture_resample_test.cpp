// Drawing a picture at another size by averaging: exact where areas line up, proportional where they do not, and both bit depths read as bitmaps hold them.
#include "shell/picture_resample.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kTable[] = {kBlack, kWhite, kRed, 0x123456};

std::vector<uint32_t> Resampled(const std::vector<unsigned char>& rows, int width, int height, int bitCount,
                                int toWidth, int toHeight) {
    std::vector<uint32_t> out;
    ResamplePicture({rows.data(), width, height, bitCount, kTable, 4}, toWidth, toHeight, out);
    return out;
}

TEST(PictureResample, TheSameSizeKeepsEveryPixelAndHalvingAveragesEachBlock) {
    // 4 x 2, 8 bits, rows padded to 4 bytes, bottom row first.
    const std::vector<unsigned char> rows = {0, 1, 2, 3, 3, 2, 1, 0};
    EXPECT_EQ(Resampled(rows, 4, 2, 8, 4, 2),
              (std::vector<uint32_t>{kBlack, kWhite, kRed, 0x123456, 0x123456, kRed, kWhite, kBlack}));
    // Halved: each result pixel is the rounded mean of a 2 x 2 block.
    const std::vector<uint32_t> half = Resampled({0, 1, 2, 3, 1, 0, 3, 2}, 4, 2, 8, 2, 1);
    EXPECT_EQ(half[0], 0x808080u) << "two black, two white";
    EXPECT_EQ(half[1], ((0xFF + 0x12 + 1) / 2) << 16 | ((0x34 + 1) / 2) << 8 | ((0x56 + 1) / 2));
}

// Four pixels drawn as three: the outer ones cover three quarters of their
// own pixel and a quarter of the next.
TEST(PictureResample, AreasThatDoNotLineUpShareInProportion) {
    const std::vector<unsigned char> rows = {0, 1, 1, 0};
    const std::vector<uint32_t> three = Resampled(rows, 4, 1, 8, 3, 1);
    EXPECT_EQ(three, (std::vector<uint32_t>{0x404040, kWhite, 0x404040}));
    // Grown, a pixel that straddles two takes from both; none is left out.
    const std::vector<uint32_t> six = Resampled(rows, 4, 1, 8, 6, 1);
    EXPECT_EQ(six, (std::vector<uint32_t>{kBlack, 0x808080, kWhite, kWhite, 0x808080, kBlack}));
}

TEST(PictureResample, FourBitPicturesReadTheHighHalfFirstAndUnknownIndicesAreBlack) {
    // 3 x 1 at 4 bits: indices 2, 1, then 9, past the table.
    const std::vector<unsigned char> rows = {0x21, 0x90, 0, 0};
    EXPECT_EQ(Resampled(rows, 3, 1, 4, 3, 1), (std::vector<uint32_t>{kRed, kWhite, kBlack}));
}

}  // namespace
