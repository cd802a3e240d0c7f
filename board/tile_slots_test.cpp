// Faces, kinds, the match rule and the arrangements' level ranges.
#include "board/tile_slots.h"

#include <gtest/gtest.h>

#include <array>

TEST(MatchRule, FacesMatchByKindAlone) {
    EXPECT_TRUE(FacesMatch(0, 36));
    EXPECT_TRUE(FacesMatch(0, 108));
    EXPECT_TRUE(FacesMatch(35, 143));
    EXPECT_TRUE(FacesMatch(71, 143));  // the two faces a deal gives one pair
    EXPECT_FALSE(FacesMatch(0, 1));
    EXPECT_FALSE(FacesMatch(35, 36));
    for (int face = 0; face < kSlotCount; ++face) {
        EXPECT_EQ(KindOfFace(face), KindOfFace(face + 72) % kKindCount) << face;
    }
}

TEST(LevelRanges, CoverEverySlotOnceInOrder) {
    const std::array<std::array<int, kMaxLevels>, kArrangementCount> sizes = {{
        {87, 36, 16, 4, 1}, {70, 40, 24, 8, 2}, {36, 36, 36, 36, 0}, {68, 62, 14, 0, 0}}};
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        int next = 0;
        for (int level = 0; level < LevelCount(arrangement); ++level) {
            const LevelRange range = LevelSlots(arrangement, level);
            EXPECT_EQ(range.first, next) << arrangement << "/" << level;
            EXPECT_EQ(range.last - range.first + 1, sizes[arrangement - 1][level]);
            for (int slot = range.first; slot <= range.last; ++slot) {
                EXPECT_EQ(LevelOfSlot(arrangement, slot), level) << arrangement << "/" << slot;
            }
            next = range.last + 1;
        }
        EXPECT_EQ(next, kSlotCount) << arrangement;
    }
}

TEST(LevelRanges, OutOfRangeAnswersNothing) {
    EXPECT_EQ(LevelCount(0), 0);
    EXPECT_EQ(LevelCount(5), 0);
    EXPECT_EQ(LevelOfSlot(1, -1), 0);
    EXPECT_EQ(LevelOfSlot(1, 144), 0);
    EXPECT_EQ(LevelOfSlot(7, 143), 0);
    const LevelRange none = LevelSlots(4, 3);
    EXPECT_LT(none.last, none.first);
}
