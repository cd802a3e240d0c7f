// The deal generator: a random forward game on the empty arrangement, its face order and ranking.
#include "deal/deal_generator.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <vector>

#include "board/freedom.h"
#include "board/tile_slots.h"
#include "deal/deal_platform.h"

namespace {

bool IsDealt(int slot) { return slot == kNoSlot || tileSlots[slot].pair >= 0; }

bool IsPlaceableUnder(const SlotRelations* relations, int slot) {
    return IsFreeUnder(relations[slot], IsDealt);
}

// An entry's rank is the number of entries that come before it: the smaller
// draws, and the equal draws at lower indexes. That is exactly what counting
// the smaller draws and then stepping equal ones up in index order gives.
// A key packs draw and index so one comparison decides, and the keys are
// compared a block of four at a time; the padding after the last entry is
// larger than every real key. The sizes the game ranks (72 and 36) take this
// path; larger ones are stably sorted instead.
constexpr int kMaxRankedByCounting = 128;
static_assert(kMaxRankedByCounting < (1 << 16), "an index fits below the draw in a key");
constexpr int kKeyLanes = 4;
using KeyBlock = int32_t __attribute__((vector_size(kKeyLanes * sizeof(int32_t))));

template <typename Source>
void RankByCounting(int* values, int n, Source& random) {
    KeyBlock keys[kMaxRankedByCounting / kKeyLanes];
    const int blocks = (n + kKeyLanes - 1) / kKeyLanes;
    for (int i = 0; i < blocks * kKeyLanes; ++i) {
        keys[i / kKeyLanes][i % kKeyLanes] = i < n ? (random.Draw() << 16) | i : INT32_MAX;
    }
    for (int i = 0; i < n; ++i) {
        const int32_t key = keys[i / kKeyLanes][i % kKeyLanes];
        KeyBlock before = {};
        for (int b = 0; b < blocks; ++b) before -= keys[b] < key;  // a true lane is -1
        int rank = 0;
        for (int lane = 0; lane < kKeyLanes; ++lane) rank += before[lane];
        values[i] = rank;
    }
}

template <typename Source>
void RankBySorting(int* values, int n, Source& random) {
    std::vector<int> draws(static_cast<size_t>(n));
    for (int& draw : draws) draw = random.Draw();
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&draws](int a, int b) { return draws[a] < draws[b]; });
    for (int rank = 0; rank < n; ++rank) values[order[rank]] = rank;
}

template <typename Source>
void RankInto(int* values, int n, Source& random) {
    if (n <= 0) return;
    if (n <= kMaxRankedByCounting) {
        RankByCounting(values, n, random);
    } else {
        RankBySorting(values, n, random);
    }
}

// The base face of each pair in the order of choosing: all 72 shuffled, or,
// for the harder deal, every kind once among the first 36 pairs and once
// among the last 36.
template <typename Source>
void DrawFaceOrder(int (&faceOrder)[kPairCount], Source& random) {
    if (harderDeal == 0) {
        RankInto(faceOrder, kPairCount, random);
        return;
    }
    constexpr int half = kPairCount / 2;
    int first[half];
    int second[half];
    RankInto(first, half, random);
    RankInto(second, half, random);
    for (int k = 0; k < half; ++k) {
        faceOrder[k] = first[k];
        faceOrder[half + k] = second[k] + half;
    }
}

void ResetSlots() {
    for (TileSlot& slot : tileSlots) {
        slot.state = 0;
        slot.pair = -1;
        slot.placed = 0;
        slot.face = 0;
    }
}

// The open slots of one attempt, a byte each, so that a draw tests one byte
// and a change writes one. The last pairs look for the highest-numbered open
// slot eight bytes at a time.
class SlotFlags {
public:
    bool Has(unsigned slot) const { return flags_[slot] != 0; }
    void Assign(int slot, bool on) { flags_[slot] = on; }

    // The highest-numbered slot in the set; -1 when it is empty.
    int Highest() const {
        for (int word = kSlotCount / 8 - 1; word >= 0; --word) {
            uint64_t bytes;
            std::memcpy(&bytes, flags_ + 8 * word, sizeof bytes);
            if (bytes == 0) continue;
            // Flags are 0 or 1; the highest set byte is the highest slot in this word.
            const int highestBit = 63 - std::countl_zero(bytes);
            return 8 * word + highestBit / 8;
        }
        return -1;
    }

private:
    static_assert(kSlotCount % 8 == 0);
    static_assert(std::endian::native == std::endian::little, "byte order of the word scan");
    alignas(8) uint8_t flags_[kSlotCount] = {};
};

// One attempt's view of which unplaced slots are placeable now. Placing a
// pair can only open the slots the two tiles covered or stood beside, so
// only those are asked again, by the same rule as IsSlotPlaceable.
class OpenSlots {
public:
    explicit OpenSlots(int arrangement)
        : relations_(RelationTableOf(arrangement)),
          blocked_(BlockedTableOf(arrangement)),
          open_(OpenOnEmptyBoard(arrangement)) {
        dealt_[kNoSlotIndex] = 1;
    }

    bool IsOpen(unsigned slot) const { return open_.Has(slot); }

    // Closes a chosen first tile, so the second cannot be the same slot.
    void Close(int slot) { open_.Assign(slot, false); }

    // The highest-numbered open slot; -1 when none is open.
    int Highest() const { return open_.Highest(); }

    void Place(int first, int second) {
        dealt_[first] = dealt_[second] = 1;
        open_.Assign(first, false);
        open_.Assign(second, false);
        for (int placed : {first, second}) {
            const BlockedSlots& blocked = blocked_[placed];
            for (int i = 0; i < blocked.count; ++i) Refresh(blocked.slots[i]);
        }
    }

private:
    // kNoSlot (-1) taken as a byte is 255, past every real slot; it counts as dealt.
    static constexpr int kNoSlotIndex = static_cast<uint8_t>(kNoSlot);

    // Nothing is dealt yet: the open slots are those free on a full board.
    // The same for every attempt, so worked out once per arrangement.
    static SlotFlags OpenOnEmptyBoard(int arrangement) {
        static const auto kOpen = [] {
            std::array<SlotFlags, kArrangementCount> open{};
            for (int a = 1; a <= kArrangementCount; ++a) {
                for (int slot = 0; slot < kSlotCount; ++slot) {
                    open[a - 1].Assign(slot, IsFreeUnder(RelationTableOf(a)[slot],
                                                         [](int other) { return other == kNoSlot; }));
                }
            }
            return open;
        }();
        return kOpen[arrangement - 1];
    }

    // The freedom rule of IsFreeUnder, spelled with bitwise operators over
    // the dealt bytes: whether a slot opens is unpredictable, so the answer
    // is computed rather than branched to.
    void Refresh(int slot) {
        const SlotRelations& r = relations_[slot];
        auto dealt = [this](int other) -> unsigned { return dealt_[static_cast<uint8_t>(other)]; };
        const unsigned free = dealt(r.cover) & ((dealt(r.left[0]) & dealt(r.left[1])) |
                                                (dealt(r.right[0]) & dealt(r.right[1])));
        open_.Assign(slot, (free & (dealt(slot) ^ 1u)) != 0);
    }

    const SlotRelations* relations_;
    const BlockedSlots* blocked_;
    SlotFlags open_;
    uint8_t dealt_[256] = {};
};

// The slot a draw names, draw modulo 144, with two multiplications instead
// of a division: the low 32 bits of draw x ceil(2^32 / 144) hold the
// fraction draw / 144, and scaling that fraction by 144 gives the remainder.
// Exact for every 15-bit draw, as the check below proves at compile time.
constexpr uint32_t kSlotFraction = 0xFFFFFFFFu / kSlotCount + 1;

constexpr unsigned SlotOfDraw(unsigned draw) {
    const uint32_t fraction = kSlotFraction * draw;
    return static_cast<unsigned>((uint64_t{fraction} * kSlotCount) >> 32);
}

static_assert([] {
    for (unsigned draw = 0; draw <= 0x7fff; ++draw) {
        if (SlotOfDraw(draw) != draw % kSlotCount) return false;
    }
    return true;
}());

// Draws until an open slot comes, counting misses against the budget; -1
// once the 1001st miss comes.
template <typename Source>
int DrawOpenSlot(const OpenSlots& open, int& misses, Source& random) {
    for (;;) {
        const unsigned slot = SlotOfDraw(static_cast<unsigned>(random.Draw()));
        if (open.IsOpen(slot)) return static_cast<int>(slot);
        if (++misses > kMissBudget) return -1;
    }
}

template <typename Source>
int TryBuildDealWith(Source& random) {
    int faceOrder[kPairCount];
    DrawFaceOrder(faceOrder, random);
    ResetSlots();
    if (!IsValidArrangement(currentArrangement)) return 0;

    OpenSlots open(currentArrangement);
    int firstMisses = 0;
    int secondMisses = 0;
    for (int position = 0; position < kPairCount; ++position) {
        // The last pairs take the highest-numbered open slots instead of
        // drawing. The second tile is chosen while the first is still
        // unplaced, so both are free at the same moment.
        const bool drawn = position < kRandomPairs;
        const int first = drawn ? DrawOpenSlot(open, firstMisses, random) : open.Highest();
        if (first < 0) return 0;
        open.Close(first);
        const int second = drawn ? DrawOpenSlot(open, secondMisses, random) : open.Highest();
        if (second < 0) return 0;

        const int pair = kPairCount - 1 - position;
        tileSlots[first] = {tileSlots[first].window, 0, pair, 1, faceOrder[position]};
        tileSlots[second] = {tileSlots[second].window, 0, pair, 1, faceOrder[position] + kPairCount};
        open.Place(first, second);
    }
    return 1;
}

}  // namespace

void RandomRanks(int* values, int n, DrawSource& random) { RankInto(values, n, random); }

int IsSlotPlaceable(int slot) {
    const SlotRelations* relations = RelationTableOf(currentArrangement);
    if (relations == nullptr || !IsValidSlot(slot)) return 0;
    return IsPlaceableUnder(relations, slot) ? 1 : 0;
}

int TryBuildDeal(DrawSource& random) {
    // The game's own sequence is a final class: calling it directly lets its
    // draws inline in the hot loop. Scripted sources go through the interface.
    if (auto* sequence = dynamic_cast<RandomSequence*>(&random)) return TryBuildDealWith(*sequence);
    return TryBuildDealWith(random);
}

int RunDealAttempts(DrawSource& random) {
    for (int attempt = 1; attempt <= kMaxDealAttempts; ++attempt) {
        if (TryBuildDeal(random)) return attempt;
    }
    return 0;
}

int BuildDeal(intptr_t ownerWindow, uint32_t seed) {
    RandomSequence random(seed);
    if (RunDealAttempts(random) > 0) return 1;
    ShowDealFailure(ownerWindow);
    return 0;
}
