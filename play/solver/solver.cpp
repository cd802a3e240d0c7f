// The solver: a depth-first search over free pairs, with the safe takes made at once and lost positions remembered.
#include "play/solver/solver.h"

#include <unordered_set>

#include "board/freedom.h"

namespace {

// A set of slots, three words of bits.
struct SlotSet {
    uint64_t words[3] = {};
    bool Has(int slot) const { return (words[slot >> 6] >> (slot & 63)) & 1u; }
    void Add(int slot) { words[slot >> 6] |= uint64_t{1} << (slot & 63); }
    void Remove(int slot) { words[slot >> 6] &= ~(uint64_t{1} << (slot & 63)); }
    bool Empty() const { return (words[0] | words[1] | words[2]) == 0; }
    bool operator==(const SlotSet&) const = default;
};

struct SlotSetHash {
    size_t operator()(const SlotSet& set) const {
        return (set.words[0] * 0x9E3779B97F4A7C15u) ^ (set.words[1] * 0xC2B2AE3D27D4EB4Fu) ^ set.words[2];
    }
};

class BudgetExhausted {};

class MoveSearch {
public:
    MoveSearch(int arrangement, const Position& position, long budget)
        : relations_(RelationTableOf(arrangement)), budget_(budget) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            kinds_[slot] = position.faces[slot] == kNoTile ? -1 : KindOfFace(position.faces[slot]);
            if (kinds_[slot] >= 0) on_.Add(slot);
        }
    }

    SolveResult Run() {
        SolveResult result;
        try {
            result.outcome = Clear() ? SolveOutcome::Cleared : SolveOutcome::NotClearable;
            if (result.outcome == SolveOutcome::Cleared) result.solution = moves_;
        } catch (const BudgetExhausted&) {
            result.outcome = SolveOutcome::Undecided;
        }
        result.steps = steps_;
        return result;
    }

private:
    bool IsFree(int slot) {
        if (++steps_ > budget_) throw BudgetExhausted{};
        return IsFreeUnder(relations_[slot], [this](int other) { return other == kNoSlot || !on_.Has(other); });
    }

    void Take(int a, int b) {
        on_.Remove(a);
        on_.Remove(b);
        moves_.push_back({static_cast<int16_t>(a), static_cast<int16_t>(b)});
    }

    // The free tiles of each kind, and how many tiles of each kind are left.
    struct KindTiles {
        int8_t freeCount[kKindCount] = {};
        int8_t left[kKindCount] = {};
        int16_t free[kKindCount][4] = {};
    };

    KindTiles Survey() {
        KindTiles tiles;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (!on_.Has(slot)) continue;
            const int kind = kinds_[slot];
            ++tiles.left[kind];
            if (IsFree(slot) && tiles.freeCount[kind] < 4) tiles.free[kind][tiles.freeCount[kind]++] = slot;
        }
        return tiles;
    }

    // Takes a kind whose every tile left is free: no later take can want
    // them otherwise. Returns false when there is none.
    bool TakeSafeKind(const KindTiles& tiles) {
        for (int kind = 0; kind < kKindCount; ++kind) {
            const int left = tiles.left[kind];
            if (left == 0 || left % 2 != 0 || tiles.freeCount[kind] != left) continue;
            for (int i = 0; i < left; i += 2) Take(tiles.free[kind][i], tiles.free[kind][i + 1]);
            return true;
        }
        return false;
    }

    bool Clear() {
        const SlotSet before = on_;
        const size_t movesBefore = moves_.size();
        KindTiles tiles = Survey();
        while (TakeSafeKind(tiles)) tiles = Survey();
        if (on_.Empty()) return true;
        if (lost_.count(on_) == 0) {
            for (int kind = 0; kind < kKindCount; ++kind) {
                if (TryPairsOf(tiles, kind)) return true;
            }
            lost_.insert(on_);
        }
        on_ = before;
        moves_.resize(movesBefore);
        return false;
    }

    bool TryPairsOf(const KindTiles& tiles, int kind) {
        const int count = tiles.freeCount[kind];
        for (int i = 0; i < count; ++i) {
            for (int j = i + 1; j < count; ++j) {
                const SlotSet before = on_;
                Take(tiles.free[kind][i], tiles.free[kind][j]);
                if (Clear()) return true;
                on_ = before;
                moves_.pop_back();
            }
        }
        return false;
    }

    const SlotRelations* relations_;
    int8_t kinds_[kSlotCount];
    SlotSet on_;
    std::vector<TakenPair> moves_;
    std::unordered_set<SlotSet, SlotSetHash> lost_;
    long budget_;
    long steps_ = 0;
};

}  // namespace

Position EmptyPosition() {
    Position position;
    position.faces.fill(kNoTile);
    return position;
}

Position PositionOfSlotTable() {
    Position position = EmptyPosition();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!IsTaken(slot)) position.faces[slot] = static_cast<int16_t>(tileSlots[slot].face);
    }
    return position;
}

Position AfterTake(Position position, TakenPair take) {
    position.faces[take.first] = kNoTile;
    position.faces[take.second] = kNoTile;
    return position;
}

SolveResult Solve(int arrangement, const Position& position, long budgetSteps) {
    if (!IsValidArrangement(arrangement)) return {SolveOutcome::NotClearable, {}, 0};
    return MoveSearch(arrangement, position, budgetSteps).Run();
}
