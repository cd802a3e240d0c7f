// Shared by the tests: the free tiles and the free pairs of the board as the slot table has it.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "board/freedom.h"
#include "board/tile_slots.h"

namespace board_testing {

// Free tiles on the board, in slot order.
inline std::vector<int> FreeSlots() {
    std::vector<int> free;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (tileSlots[slot].state < 2 && IsTileFree(slot) == 1) free.push_back(slot);
    }
    return free;
}

// Every two free tiles that `match` (slot, slot) accepts, the lower slot
// first, in slot order.
template <class Match>
std::vector<std::pair<int, int>> FreePairs(Match match) {
    const std::vector<int> free = FreeSlots();
    std::vector<std::pair<int, int>> pairs;
    for (std::size_t i = 0; i < free.size(); ++i) {
        for (std::size_t j = i + 1; j < free.size(); ++j) {
            if (match(free[i], free[j])) pairs.emplace_back(free[i], free[j]);
        }
    }
    return pairs;
}

// Every two free tiles of one kind.
inline std::vector<std::pair<int, int>> FreePairs() {
    return FreePairs([](int a, int b) { return FacesMatch(tileSlots[a].face, tileSlots[b].face); });
}

// The first two free tiles of one kind; false when the board has none.
inline bool FreePair(int& a, int& b) {
    const std::vector<std::pair<int, int>> pairs = FreePairs();
    if (pairs.empty()) return false;
    a = pairs.front().first;
    b = pairs.front().second;
    return true;
}

// Takes up to `count` pairs off the board, each drawn at random from the
// free pairs of one kind, and stops early at a deadlock; the pairs taken, in order.
template <class Random>
std::vector<std::pair<int, int>> TakeRandomPairs(int count, Random& random) {
    std::vector<std::pair<int, int>> taken;
    for (int n = 0; n < count; ++n) {
        const std::vector<std::pair<int, int>> pairs = FreePairs();
        if (pairs.empty()) break;
        const std::pair<int, int> pair = pairs[static_cast<std::size_t>(random() % pairs.size())];
        tileSlots[pair.first].state = tileSlots[pair.second].state = 2;
        taken.push_back(pair);
    }
    return taken;
}

}  // namespace board_testing
