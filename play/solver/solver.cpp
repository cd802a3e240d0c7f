// The solver: a search over how each kind's four tiles pair up, after the method Michiel de Bondt published for
// this kind of solitaire (arXiv 1203.6559): a relaxed board as the cut, critical kinds as the branching order;
// beside it, a local search over whole pairings that re-pairs the kinds where the board sticks.
#include "play/solver/solver.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <numeric>
#include <optional>
#include <random>
#include <unordered_map>
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
    bool Intersects(const SlotSet& other) const {
        return ((words[0] & other.words[0]) | (words[1] & other.words[1]) | (words[2] & other.words[2])) != 0;
    }
};

// Calls `visit` with each slot of the set, in slot order.
template <class Visit>
void ForEachSlot(const SlotSet& set, Visit visit) {
    for (int word = 0; word < 3; ++word) {
        for (uint64_t bits = set.words[word]; bits != 0; bits &= bits - 1) visit(64 * word + std::countr_zero(bits));
    }
}

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

// The tiles a sweep has yet to look at again: every tile on the board at
// first, then those beside or under each tile that goes (and, in the relaxed
// sweep, the rest of a kind whose tile goes).
class SweepStack {
public:
    SweepStack() = default;
    explicit SweepStack(const SlotSet& on) { PushAll(on); }
    void Clear() { top_ = 0; }
    void PushAll(const SlotSet& on) {
        // In slot order, as the sweep's steps depend on the order of the pops.
        ForEachSlot(on, [this](int slot) { Push(slot); });
    }
    bool Empty() const { return top_ == 0; }
    int Pop() { return slots_[--top_]; }
    void Push(int slot) { slots_[top_++] = static_cast<int16_t>(slot); }

    // The next slot that `keep` accepts, or -1; the top stays in a register meanwhile.
    template <class Keep>
    int PopUntil(Keep keep) {
        int top = top_;
        while (top > 0) {
            const int slot = slots_[--top];
            if (keep(slot)) {
                top_ = top;
                return slot;
            }
        }
        top_ = 0;
        return -1;
    }

private:
    int16_t slots_[kSlotCount * (BlockedSlots::kCapacity + 4)];
    int top_ = 0;
};

// The searches take turns in rounds; a turn gets a share of the round's
// slice of steps, and every round doubles the slice.
constexpr long kFirstSlice = 20000;
// The search by repair finds most of the clearings the search by conflicts
// needs thousands of nodes for in a few hundred moves, and most easy ones at
// once: it opens each round. The search by conflicts, which proves losses,
// follows with a larger share, but in the first round with as much: enough
// for the losses it proves in a few nodes. From the second round on, once
// that search has proved most lost positions, the search by repair ends
// each round too, with as much. From the fifth round on, past 3 million
// steps, most positions still undecided are lost: the search by conflicts
// gets three times its share.
constexpr long kRepairOpening = 2;
constexpr long kFirstConflictShare = 2;
constexpr long kConflictShare = 4;
constexpr long kLateConflictShare = 12;
constexpr long kRepairShare = 4;
constexpr long kRepairFrom = 2 * kFirstSlice;
constexpr long kLateFrom = 16 * kFirstSlice;
// The search by repair: how many of the kinds it might change it tries at a
// move (a few at random make many more moves than all of them in as many
// steps, and find more clearings), the share of its moves made at random,
// how long a changed kind stays as it is (at least), how many moves without
// a gain send it back to a start, and how many kinds a restart pairs at random.
constexpr int kRepairSample = 4;
constexpr unsigned kRepairWalkPercent = 5;
constexpr int kRepairTabu = 4;
constexpr int kRepairStale = 60;
constexpr int kRepairShake = 8;

// Why a node is lost, kept as what the loss needs: some tiles on the board
// and some kinds paired as given (way 0: however they pair). Every node with
// all these tiles on and these kinds so paired is lost too. For that a
// clearing of a node, left with only the pairs of some of its tiles, is a
// clearing of those tiles: tiles going only frees the rest.
struct Nogood {
    SlotSet tiles;
    uint8_t way[kKindCount] = {};
    // Kept as a relaxed board left it, with all the swept node's ways: the
    // part that is reason enough is worked out when the reason is first used.
    bool raw = false;

    void Join(const Nogood& other) {
        for (int word = 0; word < 3; ++word) tiles.words[word] |= other.tiles.words[word];
        for (int kind = 0; kind < kKindCount; ++kind) {
            if (other.way[kind] != 0) way[kind] = other.way[kind];
        }
    }
    bool Holds(const Node& node) const {
        for (int word = 0; word < 3; ++word) {
            if ((tiles.words[word] & ~node.on.words[word]) != 0) return false;
        }
        for (int kind = 0; kind < kKindCount; ++kind) {
            if (way[kind] != 0 && way[kind] != node.way[kind]) return false;
        }
        return true;
    }
};

// The ways each undecided kind may still pair up: bit w - 1 for way w. A way
// the relaxed board rules out at a node stays ruled out below it, for the
// reason kept with it.
struct Ways {
    uint8_t left[kKindCount];
    int32_t why[kKindCount][kWays];  // for a way ruled out, the index of its reason

    // Whether the kind may still pair up the way; never for way 0.
    bool Has(int kind, uint8_t way) const { return way != kUndecided && ((left[kind] >> (way - 1)) & 1u) != 0; }
};
constexpr uint8_t kEveryWay = 0b111;

// The tiles in the order a relaxed sweep took them off.
struct RemovalOrder {
    int16_t slots[kSlotCount];
    int count = 0;
    uint8_t way[kKindCount];  // how the swept node paired its kinds
};

// The slots that block a slot, with no slot written as kOffBoard: a bit that
// is never set in a node's tiles, so the freedom rule needs no test for it.
constexpr uint8_t kOffBoard = kSlotCount;
static_assert(kSlotCount < 3 * 64, "kOffBoard must be a bit of SlotSet");
struct Blockers {
    uint8_t cover;
    uint8_t left[2];
    uint8_t right[2];
};

// The tiles of one sweep, a byte a slot (kOffBoard, past the last, never
// on): the freedom rule reads five bytes. Each look at the rule is a step,
// counted here. A sweep changes nothing of the search until it returns, so
// whether the steps ran out is asked once, at its end: the search stops just
// as if they had run out on the step past the limit.
class SweepBoard {
public:
    SweepBoard(const SlotSet& on, const Blockers* blockers, long steps) : blockers_(blockers), steps_(steps) {
        static_assert(kSlotCount % 8 == 0);
        // Eight slots at a time: each bit of a byte of the set spread to a byte of its own.
        for (int byte = 0; byte < kSlotCount / 8; ++byte) {
            const auto bits = static_cast<uint8_t>(on.words[byte / 8] >> (8 * (byte % 8)));
            const uint64_t spread = kSpread[bits];
            std::memcpy(on_ + 8 * byte, &spread, sizeof spread);
        }
        on_[kOffBoard] = 0;
        left_ = std::popcount(on.words[0]) + std::popcount(on.words[1]) + std::popcount(on.words[2]);
    }
    bool Has(int slot) const { return on_[slot] != 0; }
    // The tiles still on, eight bytes of 0 and 1 at a time gathered into eight bits.
    SlotSet On() const {
        SlotSet on;
        for (int byte = 0; byte < kSlotCount / 8; ++byte) {
            uint64_t eight;
            std::memcpy(&eight, on_ + 8 * byte, sizeof eight);
            on.words[byte / 8] |= ((eight * 0x0102040810204080u) >> 56) << (8 * (byte % 8));
        }
        return on;
    }
    void Remove(int slot) {
        on_[slot] = 0;
        --left_;
    }
    bool Empty() const { return left_ == 0; }
    bool IsFree(int slot) {
        CountStep();
        const Blockers& b = blockers_[slot];
        // Without branches: the outcome of the rule is hard to guess.
        const int left = on_[b.left[0]] | on_[b.left[1]];
        const int right = on_[b.right[0]] | on_[b.right[1]];
        return (on_[b.cover] | (left & right)) == 0;
    }
    void CountStep() { ++steps_; }
    long Steps() const { return steps_; }

private:
    static constexpr std::array<uint64_t, 256> kSpread = [] {
        std::array<uint64_t, 256> spread{};
        for (int bits = 0; bits < 256; ++bits) {
            for (int bit = 0; bit < 8; ++bit) spread[bits] |= uint64_t{(bits >> bit) & 1u} << (8 * bit);
        }
        return spread;
    }();
    const Blockers* blockers_;
    uint8_t on_[kSlotCount + 1];
    int left_;
    long steps_;
};

// The slots each slot blocks, as sets, in an arrangement (1..4); worked out once.
const SlotSet* BlockingTableOf(int arrangement) {
    using Table = std::array<SlotSet, kSlotCount>;
    static const std::array<Table, kArrangementCount> tables = [] {
        std::array<Table, kArrangementCount> all{};
        for (int number = 1; number <= kArrangementCount; ++number) {
            const SlotRelations* relations = RelationTableOf(number);
            for (int slot = 0; slot < kSlotCount; ++slot) {
                const SlotRelations& r = relations[slot];
                for (const int16_t near : {r.cover, r.left[0], r.left[1], r.right[0], r.right[1]}) {
                    if (near != kNoSlot) all[number - 1][near].Add(slot);
                }
            }
        }
        return all;
    }();
    return tables[arrangement - 1].data();
}

class PairingSearch {
public:
    PairingSearch(int arrangement, const Position& position, long budget);

    SolveResult Run();
    // The search by conflicts alone, with the whole budget.
    SolveResult RunByConflicts();

private:
    // The answer when the position's kinds cannot be searched: an odd
    // number of tiles of a kind, or more than four.
    std::optional<SolveResult> Unsearchable() const;
    // One search up to `limit` steps; true when it ran out of them.
    enum class Searcher { ByConflicts, ByRepair };
    // Whether the relaxed board of the start, after its safe takes, sticks:
    // then the position is lost before any search spends a turn on it.
    bool StartIsRelaxedLost();
    bool Attempt(Searcher searcher, long limit, SolveResult& result);
    // Takes pairs as long as some can be taken safely: a decided pair whose
    // tiles are both free, or a kind whose four tiles are all free (so no
    // way of pairing them can matter). Records the takes when `moves` is given.
    // `settled`, when given, has the node's tiles and took every safe pair it
    // had: only the kinds decided since can start new takes.
    void TakeSafePairs(Node& node, std::vector<TakenPair>* moves, const Node* settled = nullptr);
    // The relaxed board: a tile of an undecided kind goes alone once it and
    // another tile of its kind are free (or that one has gone). Every real
    // clearing consistent with the node's decisions clears the relaxed board
    // too, so a relaxed board that sticks proves the node lost. `level`, when
    // given, receives the round in which each tile went.
    // `order`, when given, receives the tiles in the order they went. With
    // `along`, the tiles first go in the order a sweep of a like node took (one
    // with every tile the node has, and maybe more):
    // the tiles a relaxed board takes off do not depend on the order it takes
    // them in, and that order spares the sweep most of its looks.
    bool RelaxedClears(const Node& node, uint8_t* level = nullptr, RemovalOrder* order = nullptr,
                       const RemovalOrder* along = nullptr) {
        RemovalOrder unwanted;  // written all the same
        if (order == nullptr) order = &unwanted;
        return level != nullptr ? Relax<true>(node, level, *order, along) : Relax<false>(node, nullptr, *order, along);
    }
    // The relaxed board, with the rounds worked out only when asked for: the cut needs none.
    template <bool kLeveled>
    bool Relax(const Node& node, uint8_t* levels, RemovalOrder& order, const RemovalOrder* along);
    bool RelaxedClearsAlong(const Node& node, const RemovalOrder& along) {
        return RelaxedClears(node, nullptr, nullptr, &along);
    }
    // The free tiles of the node.
    SlotSet FreeTiles(const Node& node) {
        SweepBoard board = Board(node);
        SlotSet free;
        ForEachSlot(node.on, [&](int slot) {
            if (board.IsFree(slot)) free.Add(slot);
        });
        EndSweep(board);
        return free;
    }
    // Takes a tile off and queues the tiles it blocked.
    void Remove(SweepBoard& board, int slot, SweepStack& stack) const;
    SweepBoard Board(const Node& node) const { return SweepBoard(node.on, blockers_, steps_); }
    // Takes the steps of a sweep that ended; stops the search on the step
    // past the limit, where it would have stopped counting them one by one.
    void EndSweep(const SweepBoard& board) {
        if (board.Steps() > limit_) [[unlikely]] {
            steps_ = std::max(steps_, limit_) + 1;
            Exhausted();
        }
        steps_ = board.Steps();
    }
    // The search by conflicts: gives every undecided kind its preferred way
    // (see AnalyseConflict), in order, until the relaxed board sticks; keeps
    // of those the kinds the sticking needs (the critical ones), and branches
    // on which of them is the first to pair up another way.
    // `lost`, when given, receives why the node is lost; `along`: the order
    // of the parent's relaxed board.
    bool ClearsByConflicts(Node node, Ways ways, const Node* settled = nullptr, Nogood* lost = nullptr,
                           const RemovalOrder* along = nullptr);
    // The search by repair: plays a whole pairing out and, where the board
    // sticks, pairs one kind near the sticking another way, the change that
    // leaves the fewest tiles; kept across turns.
    bool ClearsByRepair();
    // The tiles a whole pairing leaves on the board, played out from the start.
    Node PlayedOut(const Node& pairing, std::vector<TakenPair>* moves);
    // The same for the search by repair's pairing with one kind changed: the
    // takes before the kind's first stay as they were.
    Node PlayedOutChanged(Node changed, int kind, const Node& left, std::vector<TakenPair>& takes);
    // The relaxed board's pairing of the start, where the search by repair sets out.
    void StartRepair();
    // Back to a start with a few kinds paired at random: out of a dead end.
    // The start is the pairing the search by conflicts last preferred, once
    // it has one: a pairing its narrowing and branching hold to.
    void ShakeRepair();
    // Pairs together two free tiles of a kind the stuck board left apart: a
    // sure gain, as every take before stays. False when there were none.
    bool PairFreeTilesTogether(const SlotSet& free);
    // Changes the way of one kind of a free tile, or of a tile that blocks a
    // free tile's partner: mostly the change that leaves the fewest tiles of
    // a few such kinds, now and then one at random.
    void RepairOnce(const Node& left, const SlotSet& free);
    bool BestRepair(const Node& left, const int* candidates, int count, int& bestKind, uint8_t& bestWay);
    // One of the two ways the search by repair does not pair the kind, at random.
    uint8_t OtherWay(int kind) {
        return static_cast<uint8_t>(1 + (repair_.pairing.way[kind] + repair_.random() % 2) % kWays);
    }
    // Moves a few candidates, drawn at random, to the front; returns how many.
    int SampleRepairs(int* candidates, int count);
    // What the search by conflicts works out at a node before it branches,
    // kept across turns while the search by repair's closest pairing stays
    // as it was: a later turn comes back down to where an earlier one
    // stopped without working it all out again.
    struct ConflictBranching {
        Node narrowed;  // the node with the kinds that narrowing left one way decided
        Ways ways;
        int8_t narrowedKinds[kKindCount] = {};  // those kinds, in the order narrowing decided them
        int narrowedCount = 0;
        uint8_t preferred[kKindCount] = {};
        int8_t critical[kKindCount] = {};
        int criticalCount = 0;
        Nogood conflict;  // why the critical kinds' preferred ways are lost
        RemovalOrder swept;  // the order of the narrowed node's relaxed board
    };
    enum class Analysis { Clears, Lost, Branches };
    // Narrows the node, finds its critical kinds; Clears when the preferred
    // ways clear the board, with the takes recorded. When Lost, `lost` says why.
    Analysis AnalyseConflict(Node node, Ways ways, const Node& entry, ConflictBranching& branching, Nogood& lost,
                             const RemovalOrder* along);
    bool BranchOnConflict(const ConflictBranching& branching, const Node& entry, Nogood& lost);
    // The order of a relaxed board with the kind paired as in the node, each
    // later tile of a pair moved up to the earlier: `at` places the tiles in `order`.
    RemovalOrder PairedAlong(const RemovalOrder& order, const int16_t* at, const Node& node, int kind);
    // Places each tile where it went in the order: those gone before it at -1.
    void Place(const RemovalOrder& order, int16_t* at);
    // When the last of what blocks a tile went in the order `at` places the tiles in.
    // Counted as a step, as it weighs about as much as a freedom test.
    int FreedAt(int slot, const int16_t* at);
    // Whether the relaxed board, with the kind paired the way, clears
    // in the order `at` places the tiles in, with a few tiles moved.
    bool ClearsInOrder(const Node& node, int kind, uint8_t way, const int16_t* at);
    // Rules out the ways the relaxed board sticks on; decides the kinds left
    // one way, noting them in `branching`. False when some kind has none
    // left, with `lost` saying why.
    bool Narrow(Node& node, Ways& ways, RemovalOrder order, ConflictBranching& branching, Nogood& lost);
    // Why a relaxed board stuck: of the tiles it left, those that hold each
    // other back, and how their kinds were paired.
    Nogood StuckOn(const Node& swept, const RemovalOrder& order) { return StuckOn(swept, LeftBy(swept, order)); }
    Nogood StuckOn(const Node& swept, const SlotSet& left);
    static SlotSet LeftBy(const Node& swept, const RemovalOrder& order) {
        SlotSet left = swept.on;
        for (int i = 0; i < order.count; ++i) left.Remove(order.slots[i]);
        return left;
    }
    // Keeps why a relaxed board stuck, to be worked out if it is ever used.
    int32_t KeepStuck(const Node& swept, const RemovalOrder& order) {
        Nogood raw;
        raw.tiles = LeftBy(swept, order);
        std::copy(swept.way, swept.way + kKindCount, raw.way);
        raw.raw = true;
        return Keep(raw);
    }
    const Nogood& ReasonOf(int32_t index) {
        Nogood& reason = reasons_[index];
        if (reason.raw) {
            Node swept;
            swept.on = reason.tiles;
            std::copy(reason.way, reason.way + kKindCount, swept.way);
            reason = StuckOn(swept, swept.on);
        }
        return reason;
    }
    // Keeps a reason; its index.
    int32_t Keep(const Nogood& reason) {
        reasons_.push_back(reason);
        return static_cast<int32_t>(reasons_.size() - 1);
    }
    // Makes a reason that may need the ways narrowing decided at a node need
    // instead what ruled out their other ways: then it holds at the node
    // before narrowing. The latest decided first, as the reasons of a way
    // may need the ways decided before it.
    void WithoutNarrowing(Nogood& reason, const ConflictBranching& branching);
    // Whether the node is known lost, and why.
    bool KnownLost(const Node& node, Nogood& lost);
    // The undecided kinds, those whose tiles come free sooner first.
    int UndecidedKinds(const Node& node, const uint8_t* level, int8_t* kinds) const;
    // A step of work outside the sweeps.
    void CountStep() {
        if (++steps_ > limit_) [[unlikely]] Exhausted();
    }
    [[noreturn]] static void Exhausted() { throw BudgetExhausted{}; }
    bool IsUndecided(const Node& node, int kind) const { return counts_[kind] == 4 && node.way[kind] == kUndecided; }
    int PartnerOf(const Node& node, int slot) const { return PartnerOf(node.way, slot); }
    int PartnerOf(const uint8_t* way, int slot) const { return tiles_[kinds_[slot]][index_[slot] ^ way[kinds_[slot]]]; }
    // The way that pairs the two tiles of a kind that went first on the relaxed board.
    uint8_t WayByLevel(int kind, const uint8_t* level) const;

    const SlotRelations* relations_;
    Blockers blockers_[kSlotCount];
    const SlotSet* blocking_;  // the slots each slot blocks
    const BlockedSlots* blocked_;
    int8_t kinds_[kSlotCount];
    int8_t index_[kSlotCount];           // a tile's number within its kind, in slot order
    int16_t tiles_[kKindCount][4] = {};  // each kind's tiles on the board, in slot order
    SlotSet kindZones_[kKindCount];      // each kind's tiles and the slots that block them
    int8_t counts_[kKindCount] = {};
    Node start_;
    std::vector<TakenPair> moves_;
    std::unordered_map<Node, int32_t, NodeHash> lost_;  // the nodes known lost, with their reasons
    std::vector<Nogood> reasons_;
    std::vector<int32_t> lostReasons_;  // the reasons lost nodes of the search by conflicts have
    std::unordered_map<Node, ConflictBranching, NodeHash> branchings_;  // nodes the search by conflicts is still in
    int branchingsFollow_ = -1;  // the tiles the closest pairing left when those nodes were worked out
    long lastNarrowedOut_[kKindCount] = {};  // when narrowing last found the kind with no way left, 0 never
    long narrowedOutCount_ = 0;
    long budget_;
    long limit_ = 0;  // where the current search stops
    int round_ = 0;  // the round of turns, 0 the first
    // The search by repair's state, kept across its turns.
    struct Repair {
        bool started = false;
        Node first;    // the pairing the relaxed board suggests at the start
        Node pairing;  // the pairing being repaired
        bool playedOut = false;        // whether the two below are the pairing's
        std::vector<TakenPair> takes;  // what the pairing plays out to
        Node left;                     // and the tiles it leaves
        // The change a move tries, and the best so far, played out.
        std::vector<TakenPair> trialTakes;
        std::vector<TakenPair> bestTakes;
        Node bestLeft;
        int moves = 0;
        int fewest = kSlotCount + 1;  // the fewest tiles left since the last shake
        int gainedAt = 0;             // the move that left them
        int tabu[kKindCount] = {};    // the move before which a kind may not change again
        // The pairing that left the fewest tiles of all, and how many: the
        // search by conflicts prefers its ways, and dives where this search
        // came close.
        Node closest;
        int fewestOfAll = kSlotCount + 1;
        std::minstd_rand random;
    } repair_;
    // The pairing the search by conflicts last preferred at a node, whole;
    // `on` left empty until there is one.
    Node conflictPairing_;
    long steps_ = 0;
};

PairingSearch::PairingSearch(int arrangement, const Position& position, long budget)
    : relations_(RelationTableOf(arrangement)),
      blocking_(BlockingTableOf(arrangement)),
      blocked_(BlockedTableOf(arrangement)),
      budget_(budget) {
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
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (kinds_[slot] < 0) continue;
        SlotSet& zone = kindZones_[kinds_[slot]];
        const SlotRelations& r = relations_[slot];
        for (const int16_t near : {static_cast<int16_t>(slot), r.cover, r.left[0], r.left[1], r.right[0], r.right[1]}) {
            if (near != kNoSlot) zone.Add(near);
        }
    }
    auto blocker = [](int16_t slot) { return slot == kNoSlot ? kOffBoard : static_cast<uint8_t>(slot); };
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const SlotRelations& r = relations_[slot];
        blockers_[slot] = {blocker(r.cover), {blocker(r.left[0]), blocker(r.left[1])},
                           {blocker(r.right[0]), blocker(r.right[1])}};
    }
}

bool PairingSearch::Attempt(Searcher searcher, long limit, SolveResult& result) {
    limit_ = std::min(limit, budget_);
    try {
        Ways ways;
        std::fill(ways.left, ways.left + kKindCount, kEveryWay);
        if (searcher == Searcher::ByConflicts && branchingsFollow_ != repair_.fewestOfAll) {
            // The search by repair came closer: the nodes are worked out afresh, to follow it.
            branchings_.clear();
            branchingsFollow_ = repair_.fewestOfAll;
        }
        const bool clears = searcher == Searcher::ByConflicts ? ClearsByConflicts(start_, ways) : ClearsByRepair();
        result.outcome = clears ? SolveOutcome::Cleared : SolveOutcome::NotClearable;
        if (clears) result.solution = moves_;
        return false;
    } catch (const BudgetExhausted&) {
        moves_.clear();
        return true;
    }
}

std::optional<SolveResult> PairingSearch::Unsearchable() const {
    for (int8_t count : counts_) {
        // Faces on a board are distinct, so no kind has more than four tiles.
        if (count > 4) return SolveResult{};
        if (count % 2 != 0) return SolveResult{SolveOutcome::NotClearable, {}, 0};
    }
    return std::nullopt;
}

SolveResult PairingSearch::RunByConflicts() {
    if (const std::optional<SolveResult> answer = Unsearchable()) return *answer;
    SolveResult result;
    Attempt(Searcher::ByConflicts, budget_, result);
    result.steps = steps_;
    return result;
}

long ConflictShare(long slice) {
    return slice < kRepairFrom ? kFirstConflictShare : slice < kLateFrom ? kConflictShare : kLateConflictShare;
}

SolveResult PairingSearch::Run() {
    if (const std::optional<SolveResult> answer = Unsearchable()) return *answer;
    SolveResult result;
    if (StartIsRelaxedLost()) result.outcome = SolveOutcome::NotClearable;
    // The search by repair finds most clearings, easy or hard; the search by
    // conflicts proves most losses and finds the clearings left. Each helps
    // the other: the search by conflicts prefers the ways of the pairing the
    // search by repair came closest with, and starts afresh from the top when
    // that changed, knowing the lost nodes it has met; the search by repair
    // restarts from the pairing the search by conflicts last preferred.
    for (long slice = kFirstSlice; result.outcome == SolveOutcome::Undecided && steps_ < budget_; slice *= 2) {
        if (Attempt(Searcher::ByRepair, steps_ + kRepairOpening * slice, result) &&
            Attempt(Searcher::ByConflicts, steps_ + ConflictShare(slice) * slice, result) &&
            (slice < kRepairFrom || Attempt(Searcher::ByRepair, steps_ + kRepairShare * slice, result))) {
            ++round_;
        }
    }
    result.steps = steps_;
    return result;
}

bool PairingSearch::StartIsRelaxedLost() {
    limit_ = budget_;
    try {
        Node settled = start_;
        TakeSafePairs(settled, nullptr);
        return !RelaxedClears(settled);
    } catch (const BudgetExhausted&) {
        return false;
    }
}

void PairingSearch::Remove(SweepBoard& board, int slot, SweepStack& stack) const {
    board.Remove(slot);
    const BlockedSlots& blocked = blocked_[slot];
    for (int i = 0; i < blocked.count; ++i) stack.Push(blocked.slots[i]);
}

void PairingSearch::TakeSafePairs(Node& node, std::vector<TakenPair>* moves, const Node* settled) {
    SweepBoard board = Board(node);
    SweepStack stack;
    if (settled == nullptr) stack.PushAll(node.on);
    for (int kind = 0; settled != nullptr && kind < kKindCount; ++kind) {
        if (node.way[kind] == settled->way[kind]) continue;
        for (int i = 0; i < 4; ++i) {
            if (board.Has(tiles_[kind][i])) stack.Push(tiles_[kind][i]);
        }
    }
    auto take = [&](int a, int b) {
        Remove(board, a, stack);
        Remove(board, b, stack);
        node.on.Remove(a);
        node.on.Remove(b);
        if (moves != nullptr) moves->push_back({static_cast<int16_t>(a), static_cast<int16_t>(b)});
    };
    for (int slot; (slot = stack.PopUntil([&](int next) { return board.Has(next) && board.IsFree(next); })) >= 0;) {
        const int kind = kinds_[slot];
        if (node.way[kind] != kUndecided) {
            if (const int partner = PartnerOf(node, slot); board.IsFree(partner)) take(slot, partner);
            continue;
        }
        const int16_t* tiles = tiles_[kind];
        if (!board.IsFree(tiles[0]) || !board.IsFree(tiles[1]) || !board.IsFree(tiles[2]) ||
            !board.IsFree(tiles[3])) {
            continue;
        }
        node.way[kind] = 1;
        take(tiles[0], tiles[1]);
        take(tiles[2], tiles[3]);
    }
    EndSweep(board);
}

template <bool kLeveled>
bool PairingSearch::Relax(const Node& node, uint8_t* levels, RemovalOrder& order, const RemovalOrder* along) {
    SweepBoard board = Board(node);
    const uint8_t* way = node.way;
    // The round in which each tile went, 255 for a tile still on; 0 for one
    // gone before and for kOffBoard, past the last slot.
    uint8_t level[kSlotCount + 1];
    if constexpr (kLeveled) {
        for (int slot = 0; slot <= kSlotCount; ++slot) level[slot] = board.Has(slot) ? 255 : 0;
    }
    // The round in which a tile came free: after what lies on it, and after
    // the side that went sooner.
    auto freedAt = [&](int slot) {
        const Blockers& b = blockers_[slot];
        const int left = std::max(level[b.left[0]], level[b.left[1]]);
        const int right = std::max(level[b.right[0]], level[b.right[1]]);
        return std::max<int>(level[b.cover], std::min(left, right));
    };
    SweepStack stack;
    bool following = along != nullptr;  // going in the like node's order, where only held back tiles are queued
    SlotSet heldBack;                    // tiles gone there by now, still on here
    int heldCount = 0;                   // how many; none most of the time
    int taken = order.count;
    // Without rounds, the order the tiles go in is free: a held back tile is
    // looked at again as soon as a tile that blocks it goes, and goes as soon
    // as it can, so it holds back fewer of the tiles after it.
    constexpr bool kRelook = !kLeveled;
    // Queues the held back tiles that a tile gone blocked.
    auto queueHeldBlockedBy = [&](int slot) {
        if (heldCount != 0 && heldBack.Intersects(blocking_[slot])) {
            ForEachSlot(blocking_[slot], [&](int blocked) {
                if (heldBack.Has(blocked)) stack.Push(blocked);
            });
        }
    };
    auto remove = [&](int slot, int round) {
        if (following) {
            board.Remove(slot);
            if (heldCount == 0) {
                // Nothing held back to drop or to look at again.
            } else if (heldBack.Has(slot)) {
                heldBack.Remove(slot);
                --heldCount;
            }
            if constexpr (kRelook) queueHeldBlockedBy(slot);
        } else {
            Remove(board, slot, stack);
        }
        if constexpr (kLeveled) level[slot] = static_cast<uint8_t>(round + 1);
        order.slots[taken++] = static_cast<int16_t>(slot);
    };
    // Takes the tile off, with its partner when its kind is decided.
    auto take = [&](int slot) {
        const int kind = kinds_[slot];
        if (way[kind] != kUndecided) {
            const int partner = PartnerOf(way, slot);
            const int round = kLeveled ? std::max(freedAt(slot), freedAt(partner)) : 0;
            remove(slot, round);
            if (board.Has(partner)) remove(partner, round);
            return;
        }
        remove(slot, kLeveled ? freedAt(slot) : 0);
        // The kind's other free tiles may have waited for a mate.
        const int16_t* tiles = tiles_[kind];
        for (int i = 0; i < 4; ++i) {
            if (following ? kRelook && heldCount != 0 && heldBack.Has(tiles[i]) : board.Has(tiles[i])) {
                stack.Push(tiles[i]);
            }
        }
    };
    // Whether another tile of an undecided tile's kind is free or gone.
    auto hasMate = [&](int slot) {
        const int16_t* tiles = tiles_[kinds_[slot]];
        return std::any_of(tiles, tiles + 4,
                           [&](int other) { return other != slot && (!board.Has(other) || board.IsFree(other)); });
    };
    // Takes the free tile off if the relaxed rule lets it go now.
    auto tryRemove = [&](int slot) {
        const bool goes = way[kinds_[slot]] != kUndecided ? board.IsFree(PartnerOf(way, slot)) : hasMate(slot);
        if (goes) take(slot);
    };
    // The held back tiles queued again go if they can.
    auto relook = [&] {
        if (stack.Empty()) return;
        auto freeHeld = [&](int held) { return heldBack.Has(held) && board.IsFree(held); };
        for (int again; (again = stack.PopUntil(freeHeld)) >= 0;) tryRemove(again);
    };
    std::copy(way, way + kKindCount, order.way);
    // The tiles first go in the order a sweep of a like node took them. A
    // tile whose kind is paired as there, with no tile of its kind nor what
    // blocks them held back, is as free and has its mate or partner as free
    // as it had there: it goes unasked. Only the others are looked at, with
    // the outcome a look at all would have.
    bool looked = false;  // steps count from the first look on
    const int count = along != nullptr ? along->count : 0;
    for (int next = 0; next < count; ++next) {
        if constexpr (kRelook) {
            // The tiles that go unasked, in a tight loop up to the first to
            // look at: each alone, a partner on its own turn, as it comes
            // next in the order. Neither is held back, nor is a tile of their
            // kind; what they blocked may be.
            for (; next < count; ++next) {
                const int slot = along->slots[next];
                if (!board.Has(slot)) continue;
                const int kind = kinds_[slot];
                if (way[kind] != along->way[kind] || (heldCount != 0 && heldBack.Intersects(kindZones_[kind]))) break;
                if (looked) board.CountStep();
                board.Remove(slot);
                order.slots[taken++] = static_cast<int16_t>(slot);
                queueHeldBlockedBy(slot);
                relook();
            }
            if (next == count) break;
        }
        const int slot = along->slots[next];
        if (!board.Has(slot)) continue;
        const int kind = kinds_[slot];
        if (way[kind] == along->way[kind] && (heldCount == 0 || !heldBack.Intersects(kindZones_[kind]))) {
            if (looked) board.CountStep();
            take(slot);
        } else {
            looked = true;
            if (board.IsFree(slot)) tryRemove(slot);
            if (board.Has(slot)) {
                heldBack.Add(slot);
                ++heldCount;
            }
        }
        if constexpr (kRelook) relook();
    }
    following = false;  // the full sweep below looks at every tile left anyway
    // What the earlier order left, and what its takes may have freed, gets a full sweep.
    if (!board.Empty()) stack.PushAll(board.On());
    for (int slot; (slot = stack.PopUntil([&](int next) { return board.Has(next) && board.IsFree(next); })) >= 0;) {
        tryRemove(slot);
    }
    EndSweep(board);
    if constexpr (kLeveled) {
        // A tile left on reads as round 0.
        for (int slot = 0; slot < kSlotCount; ++slot) levels[slot] = level[slot] == 255 ? 0 : level[slot];
    }
    order.count = taken;
    return board.Empty();
}

uint8_t PairingSearch::WayByLevel(int kind, const uint8_t* level) const {
    const int16_t* tiles = tiles_[kind];
    int first = 0;
    for (int i = 1; i < 4; ++i) {
        if (level[tiles[i]] < level[tiles[first]]) first = i;
    }
    int second = first == 0 ? 1 : 0;
    for (int i = 0; i < 4; ++i) {
        if (i != first && level[tiles[i]] < level[tiles[second]]) second = i;
    }
    return static_cast<uint8_t>(first ^ second);
}

int PairingSearch::UndecidedKinds(const Node& node, const uint8_t* level, int8_t* kinds) const {
    int count = 0;
    int soonest[kKindCount];
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (!IsUndecided(node, kind)) continue;
        const int16_t* tiles = tiles_[kind];
        soonest[kind] = std::min({level[tiles[0]], level[tiles[1]], level[tiles[2]], level[tiles[3]]});
        kinds[count++] = static_cast<int8_t>(kind);
    }
    std::stable_sort(kinds, kinds + count, [&soonest](int a, int b) { return soonest[a] < soonest[b]; });
    return count;
}

// Of the parts of a stuck board that hold themselves back, the few first
// found are weighed: more cost more than their better choice saves.
constexpr int kMaxParts = 3;

Nogood PairingSearch::StuckOn(const Node& swept, const SlotSet& left) {
    // Each tile left is blocked by tiles left, or waits for a mate or partner
    // that is left and blocked: on any board with these tiles, paired so,
    // none of them is the first to go. A part of them that holds each of its
    // tiles back by itself is reason enough; the one found from a tile
    // follows what holds it back. Of those found, the one that needs the
    // fewest ways (then the fewest tiles) is kept.
    auto has = [&](int slot) { return left.Has(slot); };
    Nogood best;
    int bestWays = kKindCount + 1;
    int bestTiles = kSlotCount + 1;
    SlotSet seen;
    SweepStack stack;
    int parts = 0;
    auto blocked = [&](int slot) {
        CountStep();
        const Blockers& b = blockers_[slot];
        return has(b.cover) || ((has(b.left[0]) || has(b.left[1])) && (has(b.right[0]) || has(b.right[1])));
    };
    ForEachSlot(left, [&](int seed) {
        if (bestWays == 0 || seen.Has(seed) || blocked(seed) || parts >= kMaxParts) return;
        ++parts;
        Nogood part;
        int ways = 0;
        int tiles = 0;
        auto add = [&](int slot) {
            if (part.tiles.Has(slot)) return;
            part.tiles.Add(slot);
            seen.Add(slot);
            stack.Push(slot);
            ++tiles;
        };
        add(seed);
        while (!stack.Empty()) {
            const int slot = stack.Pop();
            CountStep();
            const Blockers& b = blockers_[slot];
            if (has(b.cover)) {
                add(b.cover);
                continue;
            }
            const int leftSide = has(b.left[0]) ? b.left[0] : has(b.left[1]) ? b.left[1] : -1;
            const int rightSide = has(b.right[0]) ? b.right[0] : has(b.right[1]) ? b.right[1] : -1;
            if (leftSide >= 0 && rightSide >= 0) {
                add(leftSide);
                add(rightSide);
                continue;
            }
            // Free: its kind's other tiles are all left and blocked, or its partner is.
            const int kind = kinds_[slot];
            const int16_t* kindTiles = tiles_[kind];
            const bool mates = counts_[kind] == 4 && std::all_of(kindTiles, kindTiles + 4, [&](int other) {
                return other == slot || (has(other) && blocked(other));
            });
            if (mates) {
                for (int i = 0; i < 4; ++i) add(kindTiles[i]);
            } else {
                if (part.way[kind] == kUndecided) ++ways;
                part.way[kind] = swept.way[kind];
                add(PartnerOf(swept, slot));
            }
        }
        if (ways < bestWays || (ways == bestWays && tiles < bestTiles)) {
            best = part;
            bestWays = ways;
            bestTiles = tiles;
        }
    });
    // Some tile of any tiles is free; were none found, all the tiles left are the reason.
    if (parts == 0) {
        best.tiles = left;
        ForEachSlot(left, [&](int slot) { best.way[kinds_[slot]] = swept.way[kinds_[slot]]; });
    }
    return best;
}

void PairingSearch::WithoutNarrowing(Nogood& reason, const ConflictBranching& branching) {
    for (int i = branching.narrowedCount - 1; i >= 0; --i) {
        const int kind = branching.narrowedKinds[i];
        if (reason.way[kind] == kUndecided) continue;
        // Whichever way the kind pairs, its reason holds.
        for (uint8_t way = 1; way <= kWays; ++way) {
            if (branching.ways.Has(kind, way)) continue;
            reason.Join(ReasonOf(branching.ways.why[kind][way - 1]));
        }
        reason.way[kind] = kUndecided;
    }
}

bool PairingSearch::KnownLost(const Node& node, Nogood& lost) {
    if (const auto known = lost_.find(node); known != lost_.end()) {
        lost = reasons_[known->second];
        return true;
    }
    // A look at a reason costs about a quarter of a freedom test.
    for (size_t i = 0; i < lostReasons_.size(); ++i) {
        if (i % 4 == 0) CountStep();
        const Nogood& reason = reasons_[lostReasons_[i]];
        if (reason.Holds(node)) {
            lost = reason;
            lost_.emplace(node, lostReasons_[i]);
            return true;
        }
    }
    return false;
}

void PairingSearch::Place(const RemovalOrder& order, int16_t* at) {
    std::fill(at, at + kSlotCount + 1, int16_t{-1});
    for (int i = 0; i < order.count; ++i) {
        // A place costs about a sixteenth of a freedom test.
        if (i % 16 == 0) CountStep();
        at[order.slots[i]] = static_cast<int16_t>(i);
    }
}

int PairingSearch::FreedAt(int slot, const int16_t* at) {
    CountStep();
    const Blockers& b = blockers_[slot];
    const int left = std::max(at[b.left[0]], at[b.left[1]]);
    const int right = std::max(at[b.right[0]], at[b.right[1]]);
    return std::max<int>(at[b.cover], std::min(left, right));
}

bool PairingSearch::ClearsInOrder(const Node& node, int kind, uint8_t way, const int16_t* at) {
    // A pair can go when its earlier tile went if the later was free by
    // then: the later tile going sooner holds no other back. Else the
    // earlier tile waits for the later to come free, if it blocks no tile of
    // its own kind, and every tile that goes meanwhile of a kind it blocks a
    // tile of can still go then: free, and with a mate free or gone, or its
    // partner free.
    const int16_t* tiles = tiles_[kind];
    const int firsts[2] = {0, way == 1 ? 2 : 1};  // the first tiles of the way's pairs
    int waiting[2];
    int waitingCount = 0;
    int16_t goes[kSlotCount + 1];  // where each tile goes with the pairs that wait
    for (const int first : firsts) {
        int earlier = tiles[first];
        int later = tiles[first ^ way];
        if (at[later] < at[earlier]) std::swap(earlier, later);
        const int freed = FreedAt(later, at);
        if (freed < at[earlier]) continue;
        const BlockedSlots& blocked = blocked_[earlier];
        for (int i = 0; i < blocked.count; ++i) {
            if (kinds_[blocked.slots[i]] == kind) return false;
        }
        if (waitingCount == 0) std::copy(at, at + kSlotCount + 1, goes);
        goes[earlier] = static_cast<int16_t>(freed);
        waiting[waitingCount++] = earlier;
    }
    for (int w = 0; w < waitingCount; ++w) {
        const int earlier = waiting[w];
        const BlockedSlots& blocked = blocked_[earlier];
        for (int i = 0; i < blocked.count; ++i) {
            const int near = kinds_[blocked.slots[i]];
            if (near < 0) continue;
            const int16_t* nearTiles = tiles_[near];
            const int count = counts_[near];
            for (int t = 0; t < count; ++t) {
                const int tile = nearTiles[t];
                if (at[tile] <= at[earlier] || at[tile] > goes[earlier]) continue;
                auto freeOrGone = [&](int other) { return goes[other] < at[tile] || FreedAt(other, goes) < at[tile]; };
                const bool goesStill =
                    FreedAt(tile, goes) < at[tile] &&
                    (node.way[near] != kUndecided
                         ? freeOrGone(PartnerOf(node, tile))
                         : std::any_of(nearTiles, nearTiles + count,
                                       [&](int other) { return other != tile && freeOrGone(other); }));
                if (!goesStill) return false;
            }
        }
    }
    return true;
}

RemovalOrder PairingSearch::PairedAlong(const RemovalOrder& order, const int16_t* at, const Node& node, int kind) {
    // Each pair goes when its earlier tile went, or once its later tile came free.
    int goesAfter[kSlotCount + 1];  // the place after which a pair goes, by its earlier tile
    for (const int16_t slot : tiles_[kind]) {
        const int partner = PartnerOf(node, slot);
        if (at[slot] < at[partner]) goesAfter[slot] = std::max<int>(at[slot], FreedAt(partner, at));
    }
    RemovalOrder paired;
    std::copy(node.way, node.way + kKindCount, paired.way);
    auto emit = [&paired](int slot) { paired.slots[paired.count++] = static_cast<int16_t>(slot); };
    for (int i = 0; i < order.count; ++i) {
        if (i % 2 == 0) CountStep();
        const int slot = order.slots[i];
        if (kinds_[slot] != kind) emit(slot);
        // A pair that goes where its earlier tile went, before one that waited till then.
        for (const bool waited : {false, true}) {
            for (const int16_t earlier : tiles_[kind]) {
                const int partner = PartnerOf(node, earlier);
                if (at[earlier] < at[partner] && goesAfter[earlier] == i && (at[earlier] < i) == waited) {
                    emit(earlier);
                    emit(partner);
                }
            }
        }
    }
    return paired;
}

bool PairingSearch::Narrow(Node& node, Ways& ways, RemovalOrder order, ConflictBranching& branching, Nogood& lost) {
    // A node that is lost to narrowing is mostly lost to a kind that lost
    // some node of late: those kinds go first, so such a node costs few sweeps.
    int8_t kinds[kKindCount];
    std::iota(kinds, kinds + kKindCount, int8_t{0});
    std::stable_sort(kinds, kinds + kKindCount,
                     [this](int a, int b) { return lastNarrowedOut_[a] > lastNarrowedOut_[b]; });
    RemovalOrder swept;
    // Where each tile went in the order: tiles gone before it at -1.
    int16_t at[kSlotCount + 1];
    int16_t atSwept[kSlotCount + 1];  // the same for a sweep of a kind's way
    Place(order, at);
    for (const int kind : kinds) {
        if (!IsUndecided(node, kind)) continue;
        uint8_t seenClearing = 0;
        for (uint8_t way = 1; way <= kWays; ++way) {
            if (!ways.Has(kind, way)) continue;
            if (ClearsInOrder(node, kind, way, at)) seenClearing |= static_cast<uint8_t>(1u << (way - 1));
        }
        if (std::popcount(seenClearing) >= 2) {
            continue;
        }
        // Once two ways clear the relaxed board, the kind stays undecided
        // whatever the last one does: it is left untried.
        // A way's sweep that cleared is an order other ways may clear in too.
        RemovalOrder lastClearing;
        for (uint8_t way = 1, clearing = 0; way <= kWays && clearing < 2; ++way) {
            const auto bit = static_cast<uint8_t>(1u << (way - 1));
            if ((ways.left[kind] & bit) == 0) continue;
            if ((seenClearing & bit) != 0 || (lastClearing.count > 0 && ClearsInOrder(node, kind, way, atSwept))) {
                ++clearing;
                continue;
            }
            Node decided = node;
            decided.way[kind] = way;
            swept.count = 0;
            if (RelaxedClears(decided, nullptr, &swept, &order)) {
                ++clearing;
                lastClearing = swept;
                Place(lastClearing, atSwept);
            } else {
                ways.left[kind] &= static_cast<uint8_t>(~bit);
                ways.why[kind][way - 1] = KeepStuck(decided, swept);
            }
        }
        if (ways.left[kind] == 0) {
            lastNarrowedOut_[kind] = ++narrowedOutCount_;
            lost = Nogood{};
            for (int way = 0; way < kWays; ++way) lost.Join(ReasonOf(ways.why[kind][way]));
            lost.way[kind] = kUndecided;
            branching.ways = ways;
            WithoutNarrowing(lost, branching);
            return false;
        }
        if (std::popcount(ways.left[kind]) == 1) {
            node.way[kind] = static_cast<uint8_t>(std::countr_zero(ways.left[kind]) + 1);
            branching.narrowedKinds[branching.narrowedCount++] = static_cast<int8_t>(kind);
            // The one way that cleared swept the node as it now is: the later kinds go along that.
            if (seenClearing != 0) {
                order = PairedAlong(order, at, node, kind);
            } else {
                order = lastClearing;
            }
            Place(order, at);
        }
    }
    return true;
}

PairingSearch::Analysis PairingSearch::AnalyseConflict(Node node, Ways ways, const Node& entry,
                                                       ConflictBranching& branching, Nogood& lost,
                                                       const RemovalOrder* along) {
    uint8_t level[kSlotCount];
    // The relaxed board once for the cut, and again after narrowing for the levels.
    RemovalOrder order;
    RemovalOrder narrowed;
    if (!RelaxedClears(node, nullptr, &order, along)) {
        lost = StuckOn(node, order);
        return Analysis::Lost;
    }
    if (!Narrow(node, ways, order, branching, lost)) return Analysis::Lost;
    branching.ways = ways;
    if (!RelaxedClears(node, level, &narrowed)) {
        lost = StuckOn(node, narrowed);
        WithoutNarrowing(lost, branching);
        return Analysis::Lost;
    }
    int8_t kinds[kKindCount];
    const int count = UndecidedKinds(node, level, kinds);
    uint8_t* preferred = branching.preferred;
    for (int i = 0; i < count; ++i) {
        const int kind = kinds[i];
        // The way of the search by repair's closest pairing, else the
        // relaxed board's; a way already ruled out is never preferred: else
        // the first left.
        const uint8_t closest = repair_.closest.way[kind];
        const uint8_t byLevel = WayByLevel(kind, level);
        const auto firstLeft = static_cast<uint8_t>(std::countr_zero(ways.left[kind]) + 1);
        preferred[kind] = ways.Has(kind, closest) ? closest : ways.Has(kind, byLevel) ? byLevel : firstLeft;
    }
    auto withPreferred = [&](int n) {
        Node decided = node;
        for (int i = 0; i < n; ++i) decided.way[kinds[i]] = preferred[kinds[i]];
        return decided;
    };
    // Each sweep below goes along the last one that cleared: the nodes they
    // sweep differ from it in a few kinds' ways, so most tiles go unasked.
    branching.swept = narrowed;
    RemovalOrder lastClearing = narrowed;
    RemovalOrder stuckSweep;  // the last sweep that stuck
    auto clears = [&](const Node& decided) {
        RemovalOrder swept;
        if (!RelaxedClears(decided, nullptr, &swept, &lastClearing)) {
            stuckSweep = swept;
            return false;
        }
        lastClearing = swept;
        return true;
    };
    // The fewest kinds given their way that stick the relaxed board.
    int kept = 0;
    int stuck = count;
    if (clears(withPreferred(count))) {
        Node decided = withPreferred(count);
        TakeSafePairs(decided, &moves_, &entry);
        return Analysis::Clears;
    }
    conflictPairing_ = withPreferred(count);
    conflictPairing_.on = start_.on;
    while (stuck - kept > 1) {
        const int middle = (kept + stuck) / 2;
        (clears(withPreferred(middle)) ? kept : stuck) = middle;
    }
    // Kinds before the last that the sticking does without go back to
    // undecided: at once those whose ways the reason it stuck does not need,
    // then one by one those that still stick it without their way.
    Node conflict = withPreferred(stuck);
    branching.conflict = StuckOn(conflict, stuckSweep);
    bool restuck = false;  // whether a later sweep stuck, with a reason of its own
    for (int i = 0; i < stuck - 1; ++i) {
        if (branching.conflict.way[kinds[i]] == kUndecided) conflict.way[kinds[i]] = kUndecided;
    }
    branching.criticalCount = 0;
    branching.critical[branching.criticalCount++] = kinds[stuck - 1];
    for (int i = stuck - 2; i >= 0; --i) {
        if (conflict.way[kinds[i]] == kUndecided) continue;
        Node without = conflict;
        without.way[kinds[i]] = kUndecided;
        if (clears(without)) {
            branching.critical[branching.criticalCount++] = kinds[i];
        } else {
            conflict = without;
            restuck = true;
        }
    }
    // The last sweep that stuck was the conflict's.
    if (restuck) branching.conflict = StuckOn(conflict, stuckSweep);
    branching.narrowed = node;
    return Analysis::Branches;
}

bool PairingSearch::BranchOnConflict(const ConflictBranching& branching, const Node& entry, Nogood& lost) {
    // Every clearing pairs some critical kind another way: branch on the
    // first. The kinds go from the one whose way stuck the board back to
    // those that come free soonest, and the other way round every other
    // round: on played positions the first order costs fewer steps, and
    // alternating decides the costliest positions sooner than either order
    // alone. Any order covers every clearing. The node is lost for the
    // reasons of all branches together, whatever way the critical kinds pair.
    Nogood all = branching.conflict;
    Node child = branching.narrowed;
    const bool back = round_ % 2 == 1;
    for (int n = 0; n < branching.criticalCount; ++n) {
        const int i = back ? branching.criticalCount - 1 - n : n;
        const int kind = branching.critical[i];
        for (uint8_t way = 1; way <= kWays; ++way) {
            if (way == branching.preferred[kind]) continue;
            if (!branching.ways.Has(kind, way)) {
                all.Join(ReasonOf(branching.ways.why[kind][way - 1]));
                continue;
            }
            Node branch = child;
            branch.way[kind] = way;
            Nogood branchLost;
            if (ClearsByConflicts(branch, branching.ways, &entry, &branchLost, &branching.swept)) return true;
            WithoutNarrowing(branchLost, branching);
            // A branch lost for a reason the node has is not lost for its way:
            // every other branch is lost for that reason too.
            if (branchLost.Holds(entry)) {
                lost = branchLost;
                return false;
            }
            all.Join(branchLost);
        }
        child.way[kind] = branching.preferred[kind];
    }
    WithoutNarrowing(all, branching);
    for (int i = 0; i < branching.criticalCount; ++i) all.way[branching.critical[i]] = kUndecided;
    lost = all;
    return false;
}

bool PairingSearch::ClearsByConflicts(Node node, Ways ways, const Node* settled, Nogood* lost,
                                      const RemovalOrder* along) {
    const size_t movesBefore = moves_.size();
    TakeSafePairs(node, &moves_, settled);
    if (node.on.Empty()) return true;
    const Node entry = node;
    Nogood reason;
    if (!KnownLost(entry, reason)) {
        auto known = branchings_.find(entry);
        if (known == branchings_.end()) {
            ConflictBranching branching;
            const Analysis analysis = AnalyseConflict(node, ways, entry, branching, reason, along);
            if (analysis == Analysis::Clears) return true;
            if (analysis == Analysis::Branches) known = branchings_.emplace(entry, branching).first;
        }
        if (known != branchings_.end()) {
            if (BranchOnConflict(known->second, entry, reason)) return true;
            branchings_.erase(entry);
        }
        const int32_t kept = Keep(reason);
        lost_.emplace(entry, kept);
        lostReasons_.push_back(kept);
    }
    if (lost != nullptr) *lost = reason;
    moves_.resize(movesBefore);
    return false;
}

Node PairingSearch::PlayedOut(const Node& pairing, std::vector<TakenPair>* moves) {
    Node node = pairing;
    TakeSafePairs(node, moves);
    return node;
}

Node PairingSearch::PlayedOutChanged(Node changed, int kind, const Node& left, std::vector<TakenPair>& takes) {
    takes.clear();
    for (const TakenPair& take : repair_.takes) {
        if (kinds_[take.first] == kind) break;
        CountStep();
        changed.on.Remove(take.first);
        changed.on.Remove(take.second);
        takes.push_back(take);
    }
    // With every take kept, the board is the one that stuck: only the changed kind can take more.
    TakeSafePairs(changed, &takes, takes.size() == repair_.takes.size() ? &left : nullptr);
    return changed;
}

int TilesOn(const Node& node) {
    return std::popcount(node.on.words[0]) + std::popcount(node.on.words[1]) + std::popcount(node.on.words[2]);
}

void PairingSearch::StartRepair() {
    uint8_t level[kSlotCount] = {};
    RelaxedClears(start_, level);
    repair_.pairing = start_;
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (IsUndecided(start_, kind)) repair_.pairing.way[kind] = WayByLevel(kind, level);
    }
    repair_.first = repair_.pairing;
    repair_.started = true;
}

void PairingSearch::ShakeRepair() {
    repair_.pairing = conflictPairing_.on.Empty() ? repair_.first : conflictPairing_;
    for (int i = 0; i < kRepairShake; ++i) {
        const int kind = static_cast<int>(repair_.random() % kKindCount);
        if (counts_[kind] == 4) repair_.pairing.way[kind] = static_cast<uint8_t>(1 + repair_.random() % kWays);
    }
    repair_.fewest = kSlotCount + 1;
    repair_.gainedAt = repair_.moves;
    repair_.playedOut = false;
}

bool PairingSearch::PairFreeTilesTogether(const SlotSet& free) {
    int8_t freeIndex[kKindCount][4];
    int freeCount[kKindCount] = {};
    ForEachSlot(free, [&](int slot) {
        const int kind = kinds_[slot];
        freeIndex[kind][freeCount[kind]++] = index_[slot];
    });
    bool paired = false;
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (freeCount[kind] < 2) continue;
        repair_.pairing.way[kind] = static_cast<uint8_t>(freeIndex[kind][0] ^ freeIndex[kind][1]);
        paired = true;
    }
    return paired;
}

bool PairingSearch::BestRepair(const Node& left, const int* candidates, int count, int& bestKind,
                              uint8_t& bestWay) {
    int bestLeft = kSlotCount + 1;
    int ties = 0;
    std::vector<TakenPair>& takes = repair_.trialTakes;
    for (int i = 0; i < count; ++i) {
        const int kind = candidates[i];
        if (repair_.tabu[kind] > repair_.moves) continue;
        // One other way of each kind: trying both would halve the kinds tried in as many steps.
        const uint8_t way = OtherWay(kind);
        Node changed = repair_.pairing;
        changed.way[kind] = way;
        const Node played = PlayedOutChanged(changed, kind, left, takes);
        const int tilesLeft = TilesOn(played);
        if (tilesLeft > bestLeft) continue;
        ties = tilesLeft == bestLeft ? ties + 1 : 1;
        bestLeft = tilesLeft;
        if (ties == 1 || repair_.random() % ties == 0) {
            bestKind = kind;
            bestWay = way;
            repair_.bestLeft = played;
            std::swap(repair_.bestTakes, takes);
        }
    }
    return ties > 0;
}

int PairingSearch::SampleRepairs(int* candidates, int count) {
    const int sample = std::min(count, kRepairSample);
    for (int i = 0; i < sample; ++i) {
        std::swap(candidates[i], candidates[i + static_cast<int>(repair_.random() % (count - i))]);
    }
    return sample;
}

void PairingSearch::RepairOnce(const Node& left, const SlotSet& free) {
    // The kinds of the free tiles, and of what blocks their partners.
    bool candidate[kKindCount] = {};
    ForEachSlot(free, [&](int slot) {
        candidate[kinds_[slot]] = true;
        const Blockers& b = blockers_[PartnerOf(left, slot)];
        for (const uint8_t near : {b.cover, b.left[0], b.left[1], b.right[0], b.right[1]}) {
            if (near != kOffBoard && left.on.Has(near)) candidate[kinds_[near]] = true;
        }
    });
    int candidates[kKindCount];
    int candidateCount = 0;
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (candidate[kind] && counts_[kind] == 4) candidates[candidateCount++] = kind;
    }
    // A move is counted even when none is made, so a board with nothing to change gets shaken.
    ++repair_.moves;
    if (candidateCount == 0) return;
    int bestKind = -1;
    uint8_t bestWay = 0;
    if (repair_.random() % 100 < kRepairWalkPercent) {
        bestKind = candidates[repair_.random() % candidateCount];
        bestWay = OtherWay(bestKind);
        repair_.playedOut = false;
    } else if (BestRepair(left, candidates, SampleRepairs(candidates, candidateCount), bestKind, bestWay)) {
        // The best change was played out already.
        std::swap(repair_.takes, repair_.bestTakes);
        repair_.left = repair_.bestLeft;
    } else {
        return;
    }
    repair_.pairing.way[bestKind] = bestWay;
    repair_.tabu[bestKind] = repair_.moves + kRepairTabu + static_cast<int>(repair_.random() % kRepairTabu);
}

bool PairingSearch::ClearsByRepair() {
    if (!repair_.started) StartRepair();
    for (;;) {
        if (!repair_.playedOut) {
            repair_.takes.clear();
            repair_.left = PlayedOut(repair_.pairing, &repair_.takes);
            repair_.playedOut = true;
        }
        const Node left = repair_.left;
        if (left.on.Empty()) {
            moves_ = repair_.takes;
            return true;
        }
        if (const int tilesLeft = TilesOn(left); tilesLeft < repair_.fewest) {
            repair_.fewest = tilesLeft;
            repair_.gainedAt = repair_.moves;
            if (tilesLeft < repair_.fewestOfAll) {
                repair_.fewestOfAll = tilesLeft;
                repair_.closest = repair_.pairing;
            }
        }
        if (repair_.moves - repair_.gainedAt > kRepairStale) {
            ShakeRepair();
            continue;
        }
        const SlotSet free = FreeTiles(left);
        if (PairFreeTilesTogether(free)) {
            // Every take stays: the board plays on from where it stuck, the kinds paired anew first.
            repair_.playedOut = false;
            Node next = repair_.pairing;
            next.on = left.on;
            TakeSafePairs(next, &repair_.takes, &left);
            repair_.left = next;
            repair_.playedOut = true;
        } else {
            RepairOnce(left, free);
        }
    }
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

std::vector<TakenPair> AnswerOfSlotTable() {
    std::vector<TakenPair> answer(kPairCount, TakenPair{kNoTile, kNoTile});
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int pair = tileSlots[slot].pair;
        if (pair < 0 || pair >= kPairCount) return {};
        TakenPair& take = answer[static_cast<std::size_t>(kPairCount - 1 - pair)];
        (take.first == kNoTile ? take.first : take.second) = static_cast<int16_t>(slot);
    }
    for (const TakenPair& take : answer) {
        if (take.second == kNoTile) return {};
    }
    return answer;
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

SolveResult SolveByConflicts(int arrangement, const Position& position, long budgetSteps) {
    if (!IsValidArrangement(arrangement)) return {SolveOutcome::NotClearable, {}, 0};
    return PairingSearch(arrangement, position, budgetSteps).RunByConflicts();
}
