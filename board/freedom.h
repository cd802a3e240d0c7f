// The freedom rule: which slots lie on and beside which, and when a tile may be taken.
#pragma once

#include <cstdint>
#include <span>

#include "board/tile_slots.h"

constexpr int16_t kNoSlot = -1;

// What blocks one slot: the one slot of the next level that lies on it, and
// up to two slots that touch it on each side. Unused entries hold kNoSlot.
struct SlotRelations {
    int16_t cover = kNoSlot;
    int16_t left[2] = {kNoSlot, kNoSlot};
    int16_t right[2] = {kNoSlot, kNoSlot};
};

// The relations of a slot in an arrangement; all empty when out of range.
const SlotRelations& RelationsOf(int arrangement, int slot);

// The compiled relations of all 144 slots of an arrangement (1..4), for
// loops that ask many slots; nullptr for any other number.
const SlotRelations* RelationTableOf(int arrangement);

// The slots whose freedom may change when a slot goes: those it covers and
// those beside it, at most four of each.
struct BlockedSlots {
    static constexpr int kCapacity = 8;
    int16_t count = 0;
    int16_t slots[kCapacity] = {};
};

// The blocked-slot lists of all 144 slots of an arrangement (1..4); nullptr otherwise.
const BlockedSlots* BlockedTableOf(int arrangement);

// A slot is free when every slot on it is gone and every slot on its left,
// or every slot on its right, is gone; an empty side is open. What "gone"
// means is the caller's: taken in play, or already dealt while dealing.
// isGone(kNoSlot) must answer true.
template <typename IsGone>
inline bool IsFreeUnder(const SlotRelations& r, IsGone isGone) {
    return isGone(r.cover) && ((isGone(r.left[0]) && isGone(r.left[1])) ||
                               (isGone(r.right[0]) && isGone(r.right[1])));
}

// Gone in play: no slot there, or its tile taken.
inline bool IsGoneInPlay(int slot) { return slot == kNoSlot || IsTaken(slot); }

// 1 when the slot may be taken under currentArrangement: slots with state 2
// or more are gone, selected ones (state 1) still block. The slot's own state
// is not looked at. 0 for a slot or arrangement out of range.
int IsTileFree(int slot);
