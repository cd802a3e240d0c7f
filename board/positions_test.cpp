// Base positions of the four arrangements and the two views.
#include "board/positions.h"

#include <gtest/gtest.h>

#include <array>

namespace {

class PositionsTest : public ::testing::Test {
protected:
    void TearDown() override { currentArrangement = 0; }
    static void Use(int arrangement) {
        currentArrangement = arrangement;
        ComputeTileRects();
    }
};

void ExpectPlacement(const TilePlacement& p, int left, int top, int width, int height) {
    EXPECT_EQ(p.left, left);
    EXPECT_EQ(p.top, top);
    EXPECT_EQ(p.width, width);
    EXPECT_EQ(p.height, height);
}

}  // namespace

TEST_F(PositionsTest, RowsCoverEverySlotOnceWithLeftsStepping36) {
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        std::array<int, kSlotCount> seen{};
        int next = 0;
        for (const PositionRow& row : PositionRows(arrangement)) {
            EXPECT_EQ(row.first, next) << "rows out of slot order in " << arrangement;
            EXPECT_EQ(row.lastLeft - row.firstLeft, kTileStep * (row.last - row.first))
                << "arrangement " << arrangement << " row " << row.first;
            EXPECT_EQ(LevelOfSlot(arrangement, row.first), LevelOfSlot(arrangement, row.last));
            for (int slot = row.first; slot <= row.last; ++slot) ++seen[slot];
            next = row.last + 1;
        }
        for (int slot = 0; slot < kSlotCount; ++slot) {
            EXPECT_EQ(seen[slot], 1) << "arrangement " << arrangement << " slot " << slot;
        }
    }
}

TEST_F(PositionsTest, EveryTileLiesInsideTheClientArea) {
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        Use(arrangement);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            for (const TilePlacement& p : {NormalViewPlacement(slot), RaisedViewPlacement(slot)}) {
                EXPECT_GE(p.left, 0);
                EXPECT_GE(p.top, 0);
                EXPECT_LE(p.left + p.width, 640) << arrangement << "/" << slot;
                EXPECT_LE(p.top + p.height, 480) << arrangement << "/" << slot;
            }
        }
    }
}

TEST_F(PositionsTest, KnownBasePositions) {
    Use(1);
    EXPECT_EQ(tileRects[0].left, 90);
    EXPECT_EQ(tileRects[11].left, 486);
    EXPECT_EQ(tileRects[30].top, 190);
    EXPECT_EQ(tileRects[143].left, 262);
    Use(3);
    EXPECT_EQ(tileRects[36].left, 82);
    EXPECT_EQ(tileRects[36].top, 77);
    EXPECT_EQ(tileRects[108].left, 66);
    EXPECT_EQ(tileRects[108].top, 51);
    EXPECT_EQ(tileRects[143].left, 462);
    EXPECT_EQ(tileRects[143].top, 251);
    Use(4);
    EXPECT_EQ(tileRects[44].left, 532);
    EXPECT_EQ(tileRects[44].top, 195);
}

TEST_F(PositionsTest, ArrangementOutOfRangeBecomesA) {
    Use(1);
    const auto a = std::to_array(tileRects);
    for (int bad : {0, 5, -3}) {
        Use(4);
        currentArrangement = bad;
        ComputeTileRects();
        EXPECT_EQ(currentArrangement, 1);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            EXPECT_EQ(tileRects[slot].left, a[slot].left);
            EXPECT_EQ(tileRects[slot].top, a[slot].top);
        }
    }
}

TEST_F(PositionsTest, RaisedViewStepsByLevel) {
    Use(1);
    ExpectPlacement(RaisedViewPlacement(0), 95, 26, 37, 51);
    ExpectPlacement(RaisedViewPlacement(87), 201, 74, 37, 51);
    ExpectPlacement(RaisedViewPlacement(143), 287, 203, 37, 51);
    Use(3);
    ExpectPlacement(RaisedViewPlacement(143), 482, 295, 37, 51);
}

TEST_F(PositionsTest, NormalViewIsTheBasePosition) {
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        Use(arrangement);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            ExpectPlacement(NormalViewPlacement(slot), tileRects[slot].left, tileRects[slot].top,
                            42, 62);
        }
    }
}
