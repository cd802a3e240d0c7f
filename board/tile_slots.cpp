// The process-wide slot table and the arrangements' level ranges.
#include "board/tile_slots.h"

TileSlot tileSlots[kSlotCount];
int32_t currentArrangement = 0;
int32_t harderDeal = 0;

namespace {

// First slot of each level, per arrangement; a level ends where the next begins.
struct LevelTable {
    int count;
    int firstSlot[kMaxLevels + 1];
};

constexpr LevelTable kLevels[kArrangementCount] = {
    {5, {0, 87, 123, 139, 143, 144}},  // A
    {5, {0, 70, 110, 134, 142, 144}},  // B
    {4, {0, 36, 72, 108, 144, 144}},   // C
    {3, {0, 68, 130, 144, 144, 144}},  // D
};

}  // namespace

int LevelCount(int arrangement) {
    return IsValidArrangement(arrangement) ? kLevels[arrangement - 1].count : 0;
}

LevelRange LevelSlots(int arrangement, int level) {
    if (level < 0 || level >= LevelCount(arrangement)) return {0, -1};
    const LevelTable& table = kLevels[arrangement - 1];
    return {table.firstSlot[level], table.firstSlot[level + 1] - 1};
}

int LevelOfSlot(int arrangement, int slot) {
    if (!IsValidSlot(slot)) return 0;
    for (int level = LevelCount(arrangement) - 1; level > 0; --level) {
        if (slot >= kLevels[arrangement - 1].firstSlot[level]) return level;
    }
    return 0;
}
