// The solver: a search over how each kind's four tiles pair up, after the method Michiel de Bondt published
// for this kind of solitaire (arXiv 1203.6559): a relaxed board as the cut, the most constrained kind first.
#include "play/solver/solver.h"

#include <algorithm>
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
};

// The four tiles of a kind pair up in one of three ways; with the tiles
// numbered 0..3 in slot order, way w (1..3) pairs tile i with tile i ^ w.
// A kind with two tiles on the board pairs them as way 1. Way 0: not decided.
constexpr int kWays = 3;
constexpr uint8_t kUndecided = 0;

// Which tiles are on the board and how each kind pairs up: all the search
// needs to know of a node.
struct Node {
    SlotSet on;
    uint8_t way[kKindCount] = {};

    bool operator==(const Node& other) const {
        return std::equal(on.words, on.words + 3, other.on.words) && std::equal(way, way + kKindCount, other.way);
    }
};

struct NodeHash {
    size_t operator()(const Node& node) const {
        uint64_t hash = node.on.words[0] * 0x9E3779B97F4A7C15u ^ node.on.words[1] * 0xC2B2AE3D27D4EB4Fu ^
                        node.on.words[2] * 0x165667B19E3779F9u;
        for (uint8_t way : node.way) hash = (hash ^ way) * 0x100000001B3u;
        return static_cast<size_t>(hash);
    }
};

class BudgetExhausted {};

class PairingSearch {
public:
    PairingSearch(int arrangement, const Position& position, long budget);

    SolveResult Run();

private:
    // Takes pairs as long as some can be taken safely: a decided pair whose
    // tiles are both free, or a kind whose four tiles are all free (so no
    // way of pairing them can matter). Records the takes when `moves` is given.
    void TakeSafePairs(Node& node, std::vector<TakenPair>* moves);
    // The relaxed board: a tile of an undecided kind goes alone once it and
    // another tile of its kind are free (or that one has gone). Every real
    // clearing consistent with the node's decisions clears the relaxed board
    // too, so a relaxed board that sticks proves the node lost.
    bool RelaxedClears(Node node);
    bool Clears(Node node);
    // The ways of pairing an undecided kind that the relaxed board allows.
    int ViableWays(const Node& node, int kind, uint8_t (&ways)[kWays]);
    bool IsFree(const Node& node, int slot);
    int PartnerOf(const Node& node, int slot) const {
        return tiles_[kinds_[slot]][index_[slot] ^ node.way[kinds_[slot]]];
    }

    const SlotRelations* relations_;
    const BlockedSlots* blocked_;
    int8_t kinds_[kSlotCount];
    int8_t index_[kSlotCount];           // a tile's number within its kind, in slot order
    int16_t tiles_[kKindCount][4] = {};  // each kind's tiles on the board, in slot order
    int8_t counts_[kKindCount] = {};
    Node start_;
    std::vector<TakenPair> moves_;
    std::unordered_set<Node, NodeHash> lost_;
    long budget_;
    long steps_ = 0;
};

PairingSearch::PairingSearch(int arrangement, const Position& position, long budget)
    : relations_(RelationTableOf(arrangement)), blocked_(BlockedTableOf(arrangement)), budget_(budget) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        kinds_[slot] = position.faces[slot] == kNoTile ? -1 : static_cast<int8_t>(KindOfFace(position.faces[slot]));
        index_[slot] = 0;
        if (kinds_[slot] < 0) continue;
        start_.on.Add(slot);
        int8_t& count = counts_[kinds_[slot]];
        if (count < 4) tiles_[kinds_[slot]][count] = static_cast<int16_t>(slot);
        index_[slot] = count++;
    }
    for (int kind = 0; kind < kKindCount; ++kind) start_.way[kind] = counts_[kind] == 2 ? 1 : kUndecided;
}

SolveResult PairingSearch::Run() {
    SolveResult result;
    for (int8_t count : counts_) {
        // Faces on a board are distinct, so no kind has more than four tiles.
        if (count > 4) return result;
        if (count % 2 != 0) return {SolveOutcome::NotClearable, {}, 0};
    }
    try {
        result.outcome = Clears(start_) ? SolveOutcome::Cleared : SolveOutcome::NotClearable;
        if (result.outcome == SolveOutcome::Cleared) result.solution = moves_;
    } catch (const BudgetExhausted&) {
        result.outcome = SolveOutcome::Undecided;
    }
    result.steps = steps_;
    return result;
}

bool PairingSearch::IsFree(const Node& node, int slot) {
    if (++steps_ > budget_) throw BudgetExhausted{};
    return IsFreeUnder(relations_[slot], [&node](int other) { return other == kNoSlot || !node.on.Has(other); });
}

// Both sweeps share one shape: a stack of tiles to look at again, pushed
// when a tile beside or on them goes.
void PairingSearch::TakeSafePairs(Node& node, std::vector<TakenPair>* moves) {
    int16_t stack[kSlotCount * (BlockedSlots::kCapacity + 1)];
    int top = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (node.on.Has(slot)) stack[top++] = static_cast<int16_t>(slot);
    }
    auto take = [&](int a, int b) {
        for (int slot : {a, b}) {
            node.on.Remove(slot);
            const BlockedSlots& blocked = blocked_[slot];
            for (int i = 0; i < blocked.count; ++i) stack[top++] = blocked.slots[i];
        }
        if (moves != nullptr) moves->push_back({static_cast<int16_t>(a), static_cast<int16_t>(b)});
    };
    while (top > 0) {
        const int slot = stack[--top];
        if (!node.on.Has(slot) || !IsFree(node, slot)) continue;
        const int kind = kinds_[slot];
        if (node.way[kind] != kUndecided) {
            const int partner = PartnerOf(node, slot);
            if (IsFree(node, partner)) take(slot, partner);
            continue;
        }
        const int16_t* tiles = tiles_[kind];
        if (!IsFree(node, tiles[0]) || !IsFree(node, tiles[1]) || !IsFree(node, tiles[2]) || !IsFree(node, tiles[3])) {
            continue;
        }
        node.way[kind] = 1;
        take(tiles[0], tiles[1]);
        take(tiles[2], tiles[3]);
    }
}

bool PairingSearch::RelaxedClears(Node node) {
    TakeSafePairs(node, nullptr);
    int16_t stack[kSlotCount * (BlockedSlots::kCapacity + 4)];
    int top = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (node.on.Has(slot)) stack[top++] = static_cast<int16_t>(slot);
    }
    auto remove = [&](int slot) {
        node.on.Remove(slot);
        const BlockedSlots& blocked = blocked_[slot];
        for (int i = 0; i < blocked.count; ++i) stack[top++] = blocked.slots[i];
    };
    while (top > 0) {
        const int slot = stack[--top];
        if (!node.on.Has(slot) || !IsFree(node, slot)) continue;
        const int kind = kinds_[slot];
        if (node.way[kind] != kUndecided) {
            const int partner = PartnerOf(node, slot);
            if (!IsFree(node, partner)) continue;
            remove(slot);
            remove(partner);
            continue;
        }
        const int16_t* tiles = tiles_[kind];
        const bool mate = std::any_of(tiles, tiles + 4, [&](int other) {
            return other != slot && (!node.on.Has(other) || IsFree(node, other));
        });
        if (!mate) continue;
        remove(slot);
        // The kind's other free tiles may have waited for a mate.
        for (int i = 0; i < 4; ++i) {
            if (node.on.Has(tiles[i])) stack[top++] = tiles[i];
        }
    }
    return node.on.Empty();
}

int PairingSearch::ViableWays(const Node& node, int kind, uint8_t (&ways)[kWays]) {
    int viable = 0;
    for (uint8_t way = 1; way <= kWays; ++way) {
        Node decided = node;
        decided.way[kind] = way;
        if (RelaxedClears(decided)) ways[viable++] = way;
    }
    return viable;
}

bool PairingSearch::Clears(Node node) {
    const size_t movesBefore = moves_.size();
    TakeSafePairs(node, &moves_);
    if (node.on.Empty()) return true;
    const Node entry = node;
    if (lost_.count(entry) != 0) {
        moves_.resize(movesBefore);
        return false;
    }
    // Kinds that the relaxed board allows one way only are decided at once;
    // the rest are branched on, the kind with the fewest ways first.
    bool lost = !RelaxedClears(node);
    int branchKind = -1;
    uint8_t branchWays[kWays] = {};
    int branchCount = kWays + 1;
    for (int kind = 0; kind < kKindCount && !lost; ++kind) {
        if (node.way[kind] != kUndecided || !node.on.Has(tiles_[kind][0]) || counts_[kind] != 4) continue;
        uint8_t ways[kWays];
        const int viable = ViableWays(node, kind, ways);
        if (viable == 0) lost = true;
        if (viable == 1) {
            node.way[kind] = ways[0];
            kind = -1;  // a decision can narrow kinds already looked at
            branchCount = kWays + 1;
        } else if (viable > 1 && viable < branchCount) {
            branchKind = kind;
            branchCount = viable;
            std::copy(ways, ways + viable, branchWays);
        }
    }
    if (!lost && branchKind < 0) {
        if (Clears(node)) return true;
    } else if (!lost) {
        for (int i = 0; i < branchCount; ++i) {
            Node child = node;
            child.way[branchKind] = branchWays[i];
            if (Clears(child)) return true;
        }
    }
    lost_.insert(entry);
    moves_.resize(movesBefore);
    return false;
}

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
    return PairingSearch(arrangement, position, budgetSteps).Run();
}
