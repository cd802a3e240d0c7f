// The relation tables of the four arrangements, compiled from their rows, side
// exceptions and covers, and the freedom rule over them.
#include "board/freedom.h"

#include <array>

#include "board/arrangement_rows.h"

namespace {

constexpr int16_t N = kNoSlot;

// A slot whose sides are not its row neighbours: single tiles standing
// half a row between two rows touch both of them.
struct SideException {
    int16_t slot;
    int16_t left[2];
    int16_t right[2];
};

// Slots first..last are covered: by one slot each, coverFirst + i, or, when
// coverFirst == coverLast and the run is longer, all by that one slot.
struct CoverRun {
    int16_t first;
    int16_t last;
    int16_t coverFirst;
    int16_t coverLast;
};

struct ArrangementRules {
    std::span<const PositionRow> rows;  // neighbours in a row are side by side
    std::span<const SideException> sides;
    std::span<const CoverRun> covers;
};

// Arrangement A: a pyramid of five levels.
constexpr SideException kSidesA[] = {
    {30, {N, N}, {31, 43}}, {31, {30, N}, {32, N}}, {43, {30, N}, {44, N}},
    {42, {41, N}, {55, N}}, {54, {53, N}, {55, N}}, {55, {42, 54}, {56, N}},
};
constexpr CoverRun kCoversA[] = {
    {13, 18, 87, 92},    {22, 27, 93, 98},    {34, 39, 99, 104},   {46, 51, 105, 110},
    {59, 64, 111, 116},  {68, 73, 117, 122},  {94, 97, 123, 126},  {100, 103, 127, 130},
    {106, 109, 131, 134}, {112, 115, 135, 138}, {128, 129, 139, 140}, {132, 133, 141, 142},
    {139, 142, 143, 143},
};

// Arrangement B: two pyramids on one base.
constexpr SideException kSidesB[] = {
    {21, {N, N}, {22, 35}}, {22, {21, N}, {23, N}}, {35, {21, N}, {36, N}},
    {34, {33, N}, {48, N}}, {47, {46, N}, {48, N}}, {48, {34, 47}, {N, N}},
};
constexpr CoverRun kCoversB[] = {
    {13, 20, 70, 77},     {22, 27, 78, 83},     {29, 34, 90, 95},     {35, 40, 84, 89},
    {42, 47, 96, 101},    {49, 56, 102, 109},   {71, 72, 110, 111},   {75, 76, 112, 113},
    {79, 82, 114, 117},   {85, 88, 122, 125},   {91, 94, 118, 121},   {97, 100, 126, 129},
    {103, 104, 130, 131}, {107, 108, 132, 133}, {115, 116, 134, 135}, {119, 120, 136, 137},
    {123, 124, 138, 139}, {127, 128, 140, 141},
    {134, 135, 142, 142}, {138, 139, 142, 142}, {136, 137, 143, 143}, {140, 141, 143, 143},
};

// Arrangement C: four equal frames, each slot covered by the one 36 above it; no exceptions.
constexpr CoverRun kCoversC[] = {{0, 107, 36, 143}};

// Arrangement D: three levels with gaps and a wing on the right.
constexpr SideException kSidesD[] = {
    {31, {30, N}, {43, N}}, {42, {41, N}, {43, N}}, {43, {31, 42}, {44, N}},
    {44, {43, N}, {45, 46}}, {45, {44, N}, {N, N}}, {46, {44, N}, {N, N}},
};
constexpr CoverRun kCoversD[] = {
    {0, 30, 68, 98},     {32, 41, 99, 108},   {47, 67, 109, 129},  {90, 94, 130, 134},
    {96, 97, 135, 136},  {100, 104, 137, 141}, {106, 107, 142, 143},
};

constexpr ArrangementRules kRules[kArrangementCount] = {
    {kArrangementRows[0], kSidesA, kCoversA},
    {kArrangementRows[1], kSidesB, kCoversB},
    {kArrangementRows[2], {}, kCoversC},
    {kArrangementRows[3], kSidesD, kCoversD},
};

using RelationTable = std::array<SlotRelations, kSlotCount>;

// Rows give the plain neighbours, side exceptions replace them, covers add the slot above.
constexpr RelationTable CompileRelations(const ArrangementRules& rules) {
    RelationTable table{};
    for (const PositionRow& row : rules.rows) {
        for (int slot = row.first; slot <= row.last; ++slot) {
            if (slot > row.first) table[slot].left[0] = static_cast<int16_t>(slot - 1);
            if (slot < row.last) table[slot].right[0] = static_cast<int16_t>(slot + 1);
        }
    }
    for (const SideException& side : rules.sides) {
        SlotRelations& r = table[side.slot];
        for (int i = 0; i < 2; ++i) {
            r.left[i] = side.left[i];
            r.right[i] = side.right[i];
        }
    }
    for (const CoverRun& run : rules.covers) {
        const bool oneCover = run.coverFirst == run.coverLast;
        for (int slot = run.first; slot <= run.last; ++slot) {
            table[slot].cover = static_cast<int16_t>(oneCover ? run.coverFirst
                                                              : run.coverFirst + (slot - run.first));
        }
    }
    return table;
}

constexpr RelationTable kRelations[kArrangementCount] = {
    CompileRelations(kRules[0]), CompileRelations(kRules[1]),
    CompileRelations(kRules[2]), CompileRelations(kRules[3]),
};

using BlockedTable = std::array<BlockedSlots, kSlotCount>;

// Inverts the relations: a slot blocks the slots it covers and, since the
// side relations are mutual, the slots beside it.
constexpr BlockedTable CompileBlocked(const RelationTable& relations) {
    BlockedTable table{};
    auto add = [&table](int blocker, int blocked) {
        BlockedSlots& entry = table[blocker];
        entry.slots[entry.count++] = static_cast<int16_t>(blocked);
    };
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const SlotRelations& r = relations[slot];
        if (r.cover != kNoSlot) add(r.cover, slot);
        for (int16_t side : {r.left[0], r.left[1], r.right[0], r.right[1]}) {
            if (side != kNoSlot) add(side, slot);
        }
    }
    return table;
}

constexpr BlockedTable kBlocked[kArrangementCount] = {
    CompileBlocked(kRelations[0]), CompileBlocked(kRelations[1]),
    CompileBlocked(kRelations[2]), CompileBlocked(kRelations[3]),
};

constexpr SlotRelations kNoRelations{};

}  // namespace

const SlotRelations* RelationTableOf(int arrangement) {
    if (!IsValidArrangement(arrangement)) return nullptr;
    return kRelations[arrangement - 1].data();
}

const BlockedSlots* BlockedTableOf(int arrangement) {
    if (!IsValidArrangement(arrangement)) return nullptr;
    return kBlocked[arrangement - 1].data();
}

const SlotRelations& RelationsOf(int arrangement, int slot) {
    if (!IsValidArrangement(arrangement) || !IsValidSlot(slot)) return kNoRelations;
    return kRelations[arrangement - 1][slot];
}

int IsTileFree(int slot) {
    if (!IsValidArrangement(currentArrangement) || !IsValidSlot(slot)) return 0;
    return IsFreeUnder(kRelations[currentArrangement - 1][slot], IsGoneInPlay);
}
