// The display scale: the one rounding rule, the DPIs taken at face value, and the largest scale that fits a laptop's screen.
#include "shell/display_scale.h"

#include <gtest/gtest.h>

#include "board/positions.h"

namespace {

constexpr int kScaledDpis[] = {120, 144, 168, 192, 216, 240, 288};

// Every tile has one size, and every tile of a row overlaps its right
// neighbour as every other does, wherever the row starts, at the scales
// players meet; at 96 DPI every number stays as it is.
TEST(DisplayScale, RowNeighboursOverlapAlikeAndNinetySixChangesNothing) {
    for (int dpi : kScaledDpis) {
        const DisplayScale scale{dpi};
        const int overlap = scale.Scaled(kTileWidth) - scale.Scaled(kTileStep);
        for (int left = 0; left < 640; ++left) {
            EXPECT_EQ(scale.Scaled(left) + scale.Scaled(kTileWidth) - scale.Scaled(left + kTileStep), overlap)
                << dpi << " at " << left;
        }
        EXPECT_EQ(scale.Scaled(640), 640 * dpi / 96);
    }
    const DisplayScale base{};
    for (int pixels : {-7, 0, 1, 35, 639}) EXPECT_EQ(base.Scaled(pixels), pixels);
    // Halves round up, the same on both sides of zero.
    EXPECT_EQ(DisplayScale{120}.Scaled(2), 3);
    EXPECT_EQ(DisplayScale{120}.Scaled(-2), -2);
    EXPECT_EQ(DisplayScale{144}.Scaled(-1), -1);
}

TEST(DisplayScale, ADpiOutsideTheRangeIsTakenAsNinetySix) {
    EXPECT_EQ(ScaleForDpi(144).dpi, 144);
    EXPECT_EQ(ScaleForDpi(480).dpi, 480);
    for (int broken : {0, -96, 72, 95, 481, 1 << 30}) EXPECT_TRUE(ScaleForDpi(broken).IsBase()) << broken;
}

// A 1366 x 768 laptop at 150% has 728 pixels of work area under its task
// bar: 480 x 1.5 with a frame of 90 does not fit.
TEST(DisplayScale, TheLargestScaleThatFitsTheWorkArea) {
    const DisplayScale fitted = FittingScale(DisplayScale{144}, 640, 480, 16, 90, 1366, 728);
    EXPECT_LT(fitted.dpi, 144);
    EXPECT_LE(fitted.Scaled(480) + 90, 728);
    EXPECT_GT(DisplayScale{fitted.dpi + 1}.Scaled(480) + 90, 728);
    EXPECT_EQ(FittingScale(DisplayScale{144}, 640, 480, 16, 90, 1920, 1040).dpi, 144);
    EXPECT_TRUE(FittingScale(DisplayScale{192}, 640, 480, 16, 90, 800, 500).IsBase());
}

}  // namespace
