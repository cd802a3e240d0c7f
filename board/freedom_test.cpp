// The relation tables and the freedom rule.
#include "board/freedom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "board/positions.h"

namespace {

class FreedomTest : public ::testing::Test {
protected:
    void SetUp() override { ClearBoard(); }
    void TearDown() override {
        ClearBoard();
        currentArrangement = 0;
    }
    static void ClearBoard() {
        for (TileSlot& slot : tileSlots) slot = TileSlot{};
    }
    static void Use(int arrangement) {
        currentArrangement = arrangement;
        ComputeTileRects();
    }
    static void Take(std::initializer_list<int> slots) {
        for (int slot : slots) tileSlots[slot].state = 2;
    }
    static void Restore(std::initializer_list<int> slots) {
        for (int slot : slots) tileSlots[slot].state = 0;
    }
    static int CountFree() {
        int count = 0;
        for (int slot = 0; slot < kSlotCount; ++slot) count += IsTileFree(slot);
        return count;
    }
};

bool Contains(const int16_t (&side)[2], int slot) { return side[0] == slot || side[1] == slot; }

}  // namespace

// A typo in a relation table shows up as a one-sided relation.
TEST_F(FreedomTest, RelationsAreMutual) {
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const SlotRelations& r = RelationsOf(arrangement, slot);
            for (int16_t other : r.right) {
                if (other == kNoSlot) continue;
                EXPECT_TRUE(Contains(RelationsOf(arrangement, other).left, slot))
                    << "arrangement " << arrangement << ": " << other << " right of " << slot;
            }
            for (int16_t other : r.left) {
                if (other == kNoSlot) continue;
                EXPECT_TRUE(Contains(RelationsOf(arrangement, other).right, slot))
                    << "arrangement " << arrangement << ": " << other << " left of " << slot;
            }
            EXPECT_TRUE(r.left[0] != kNoSlot || r.left[1] == kNoSlot);
            EXPECT_TRUE(r.right[0] != kNoSlot || r.right[1] == kNoSlot);
        }
    }
}

// Covers and side neighbours lie where the base positions put them.
TEST_F(FreedomTest, CoversAndSidesLieWhereThePositionsPutThem) {
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        Use(arrangement);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const SlotRelations& r = RelationsOf(arrangement, slot);
            const int level = LevelOfSlot(arrangement, slot);
            if (r.cover != kNoSlot) {
                // A cover lies on the next level up, over the covered tile.
                EXPECT_EQ(LevelOfSlot(arrangement, r.cover), level + 1) << arrangement << "/" << slot;
                EXPECT_LT(std::abs(tileRects[r.cover].left - tileRects[slot].left), kTileStep);
                EXPECT_LT(std::abs(tileRects[r.cover].top - tileRects[slot].top), 50);
            }
            for (int16_t other : r.left) {
                if (other == kNoSlot) continue;
                // A side neighbour stands on the same level, one step over, at most half a row off.
                EXPECT_EQ(LevelOfSlot(arrangement, other), level);
                EXPECT_EQ(tileRects[slot].left - tileRects[other].left, kTileStep)
                    << arrangement << ": " << other << " left of " << slot;
                EXPECT_LE(std::abs(tileRects[slot].top - tileRects[other].top), 25);
            }
        }
    }
}

TEST_F(FreedomTest, FreeTilesOnAFullBoard) {
    const int expected[kArrangementCount] = {35, 40, 24, 40};
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        currentArrangement = arrangement;
        EXPECT_EQ(CountFree(), expected[arrangement - 1]) << arrangement;
    }
}

TEST_F(FreedomTest, SelectedTilesStillBlock) {
    currentArrangement = 1;
    for (TileSlot& slot : tileSlots) slot.state = 1;
    EXPECT_EQ(CountFree(), 35);
    EXPECT_FALSE(IsTileFree(139));
    tileSlots[143].state = 2;
    EXPECT_TRUE(IsTileFree(139));
}

TEST_F(FreedomTest, ArrangementAPyramid) {
    currentArrangement = 1;
    for (int slot : {0, 11, 12, 19, 20, 29, 30, 56, 57, 66, 67, 74, 75, 86, 143}) {
        EXPECT_TRUE(IsTileFree(slot)) << slot;
    }
    for (int slot : {31, 42, 43, 54, 55, 139, 140, 141, 142}) EXPECT_FALSE(IsTileFree(slot)) << slot;
    Take({143});
    for (int slot : {139, 140, 141, 142, 143}) EXPECT_TRUE(IsTileFree(slot)) << slot;
}

TEST_F(FreedomTest, ArrangementASlot55OpensOnEitherSide) {
    currentArrangement = 1;
    Take({56});
    EXPECT_TRUE(IsTileFree(55));
    Restore({56});
    Take({42});
    EXPECT_FALSE(IsTileFree(55));
    Restore({42});
    Take({54});
    EXPECT_FALSE(IsTileFree(55));
    Take({42});
    EXPECT_TRUE(IsTileFree(55));
}

TEST_F(FreedomTest, ArrangementBWings) {
    currentArrangement = 2;
    EXPECT_TRUE(IsTileFree(48));
    EXPECT_TRUE(IsTileFree(21));
    EXPECT_FALSE(IsTileFree(34));
    Take({33});
    EXPECT_FALSE(IsTileFree(34));  // 95 still lies on it
    Take({95});
    EXPECT_TRUE(IsTileFree(34));
    Restore({33});
    EXPECT_FALSE(IsTileFree(34));
    Take({48});
    EXPECT_TRUE(IsTileFree(34));
    EXPECT_FALSE(IsTileFree(35));  // 84 lies on it
}

TEST_F(FreedomTest, ArrangementCCoveredUntilTheTileAboveIsGone) {
    currentArrangement = 3;
    for (int slot = 0; slot < 108; ++slot) {
        ClearBoard();
        for (int side = 0; side < kSlotCount; ++side) {
            if (side != slot && side != slot + 36) tileSlots[side].state = 2;
        }
        EXPECT_FALSE(IsTileFree(slot)) << slot;
        Take({slot + 36});
        EXPECT_TRUE(IsTileFree(slot)) << slot;
    }
}

TEST_F(FreedomTest, ArrangementDWing) {
    currentArrangement = 4;
    EXPECT_FALSE(IsTileFree(44));
    Take({45});
    EXPECT_FALSE(IsTileFree(44));
    Take({46});
    EXPECT_TRUE(IsTileFree(44));
    Restore({45, 46});
    Take({43});
    EXPECT_TRUE(IsTileFree(44));
    Restore({43});
    EXPECT_FALSE(IsTileFree(43));
    Take({31});
    EXPECT_FALSE(IsTileFree(43));
    Take({42});
    EXPECT_TRUE(IsTileFree(43));
    Restore({31, 42});
    Take({44});
    EXPECT_TRUE(IsTileFree(43));
}

TEST_F(FreedomTest, OutOfRangeIsNeverFree) {
    for (int bad : {0, 5, -1}) {
        currentArrangement = bad;
        EXPECT_EQ(CountFree(), 0) << bad;
    }
    currentArrangement = 1;
    for (int slot : {-1, 144, 100000, -100000}) EXPECT_EQ(IsTileFree(slot), 0) << slot;
    const SlotRelations& none = RelationsOf(9, 0);
    EXPECT_EQ(none.cover, kNoSlot);
}

// The blocked lists invert the relations exactly: a slot that lies on or
// beside another is listed as blocking it, and nothing else is listed.
TEST_F(FreedomTest, BlockedListsInvertTheRelations) {
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        const BlockedSlots* blocked = BlockedTableOf(arrangement);
        ASSERT_NE(blocked, nullptr);
        int listed = 0;
        int related = 0;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const SlotRelations& r = RelationsOf(arrangement, slot);
            for (int16_t blocker : {r.cover, r.left[0], r.left[1], r.right[0], r.right[1]}) {
                if (blocker == kNoSlot) continue;
                ++related;
                const BlockedSlots& list = blocked[blocker];
                EXPECT_NE(std::find(list.slots, list.slots + list.count, slot), list.slots + list.count)
                    << "arrangement " << arrangement << ": " << blocker << " should list " << slot;
            }
            listed += blocked[slot].count;
        }
        EXPECT_EQ(listed, related) << arrangement;
    }
    EXPECT_EQ(BlockedTableOf(0), nullptr);
    EXPECT_EQ(BlockedTableOf(5), nullptr);
}
