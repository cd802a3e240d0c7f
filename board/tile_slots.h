// The tile slot table, faces, kinds and the match rule: the data every part of the game works on.
#pragma once

#include <cstdint>

constexpr int kSlotCount = 144;
constexpr int kPairCount = kSlotCount / 2;
constexpr int kKindCount = 36;
constexpr int kArrangementCount = 4;

// One tile slot. Five signed 32-bit fields, in this order, so the record's
// layout is the same in the 32-bit and the 64-bit build.
struct TileSlot {
    int32_t window;  // the slot's tile window; a handle stored through intptr_t
    int32_t state;   // 0 on the board, 1 selected, 2+ taken (2 = most recent pair)
    int32_t pair;    // answer pair number 0..71 (71 is taken first), -1 while undealt
    int32_t placed;  // deal generator's work flag
    int32_t face;    // 0..143; the picture is bitmap 101 + face
};

extern TileSlot tileSlots[kSlotCount];

// A taken tile (state 2 or more) has left the board; a selected one has not.
inline bool IsTaken(int slot) { return tileSlots[slot].state >= 2; }

// 1..4 for the arrangements A..D; 0 before the first choice.
extern int32_t currentArrangement;
// 1 when the harder deal mode is chosen.
extern int32_t harderDeal;

constexpr bool IsValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
constexpr bool IsValidArrangement(int arrangement) {
    return arrangement >= 1 && arrangement <= kArrangementCount;
}

// Faces f, f + 36, f + 72 and f + 108 show the same picture: they are one kind.
constexpr int KindOfFace(int face) { return face % kKindCount; }
constexpr bool FacesMatch(int faceA, int faceB) { return KindOfFace(faceA) == KindOfFace(faceB); }

// The slots of each level form one unbroken range; levels are numbered from the bottom.
struct LevelRange {
    int first;
    int last;
};
constexpr int kMaxLevels = 5;

// Number of levels of an arrangement (1..4); 0 for an arrangement out of range.
int LevelCount(int arrangement);
// The slot range of one level of an arrangement.
LevelRange LevelSlots(int arrangement, int level);
// The level of a slot in an arrangement; 0 when either argument is out of range.
int LevelOfSlot(int arrangement, int slot);
