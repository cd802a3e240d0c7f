// Shared by the host tests of play: a dealt board of the game's own, and ways to find tiles on it.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "board/freedom.h"
#include "board/positions.h"
#include "board/tile_slots.h"
#include "deal/deal_generator.h"
#include "play/game_state.h"
#include "play/looks.h"
#include "play/selection.h"
#include "tests/support/deal_platform_recorder.h"
#include "tests/support/play_platform_recorder.h"

namespace play_test {

// A fresh deal of an arrangement, a fresh game state and an empty record.
inline bool Deal(int arrangement, unsigned seed, int harder = 0) {
    currentArrangement = arrangement;
    harderDeal = harder;
    ComputeTileRects();
    const bool dealt = BuildDeal(0, seed) == 1;
    gameState = GameState{};
    ResetRecordedFaces();
    ClearRecordedScreen();
    recordedDealFailures.clear();
    return dealt;
}

inline std::vector<int> SlotsOfPair(int pair) {
    std::vector<int> slots;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (tileSlots[slot].pair == pair) slots.push_back(slot);
    }
    return slots;
}

// Takes answer pair `pair` by clicking both of its tiles.
inline void ClickPair(int pair) {
    for (int slot : SlotsOfPair(pair)) ClickTile(slot);
}

inline int TakenPairs() {
    int taken = 0;
    for (const TileSlot& slot : tileSlots) taken += slot.state >= 2 ? 1 : 0;
    return taken / 2;
}

// Gives the slot face `face`; the slot that had it takes the slot's old one,
// so every face stays on one slot.
inline void SetFace(int slot, int face) {
    for (TileSlot& other : tileSlots) {
        if (other.face == face) std::swap(other.face, tileSlots[slot].face);
    }
}

// Leaves only `slots` on the board and takes every other tile, aged 2, 3,
// ... two by two as if taken in slot order (no real history: the pairs taken
// need not match); slots[2k] and slots[2k + 1] become a pair of kind k.
inline void LeaveOnlyPairs(const std::vector<int>& slots) {
    const int taken = kSlotCount - static_cast<int>(slots.size());
    int order = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const bool left = std::find(slots.begin(), slots.end(), slot) != slots.end();
        tileSlots[slot].state = left ? 0 : 2 + (taken - 1 - order++) / 2;
    }
    for (std::size_t n = 0; n < slots.size(); ++n) {
        SetFace(slots[n], static_cast<int>(n / 2) + (n % 2 == 0 ? 0 : kKindCount));
    }
}

// Pixels of the slot's face area that carry the look `index`.
inline int LookPixels(int slot, int index) {
    const unsigned char* pixels = FacePixels(tileSlots[slot].face);
    int count = 0;
    for (int offset = kLookFirstOffset; offset < kLookEndOffset; ++offset) count += pixels[offset] == index;
    return count;
}

}  // namespace play_test
