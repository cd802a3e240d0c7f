// The losing take of a line of play, found by bisection over the positions
// along it, a way of clearing followed along the line where it still holds.
#include <array>
#include <vector>

#include "board/freedom.h"
#include "play/solver/solver.h"

namespace {

// A way of clearing: the slot each tile goes with, kNoSlot for no tile.
using Mates = std::array<int16_t, kSlotCount>;

Mates MatesOf(std::span<const TakenPair> solution) {
    Mates mates;
    mates.fill(kNoSlot);
    for (const TakenPair& pair : solution) {
        mates[pair.first] = pair.second;
        mates[pair.second] = pair.first;
    }
    return mates;
}

// Whether the position clears when each tile goes with its mate. A take only
// frees tiles, so taking any pair of free mates never spoils the rest: taking
// them until none is left decides it.
bool ClearsWithMates(const SlotRelations* relations, Position position, const Mates& mates) {
    auto gone = [&](int16_t slot) { return slot == kNoSlot || position.faces[slot] == kNoTile; };
    auto free = [&](int slot) { return IsFreeUnder(relations[slot], gone); };
    for (bool took = true; took;) {
        took = false;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const int16_t mate = mates[slot];
            if (gone(static_cast<int16_t>(slot)) || mate == kNoSlot || gone(mate) || !free(slot) || !free(mate)) {
                continue;
            }
            position = AfterTake(position, {static_cast<int16_t>(slot), mate});
            took = true;
        }
    }
    for (int16_t face : position.faces) {
        if (face != kNoTile) return false;
    }
    return true;
}

// The positions along a line: the start, then the position after each take.
std::vector<Position> PositionsAlong(const Position& start, std::span<const TakenPair> line) {
    std::vector<Position> positions{start};
    for (const TakenPair& take : line) positions.push_back(AfterTake(positions.back(), take));
    return positions;
}

}  // namespace

LosingTake FirstLosingTake(int arrangement, const Position& start, std::span<const TakenPair> line,
                           long budgetStepsPerSolve, std::span<const TakenPair> startWay) {
    const std::vector<Position> positions = PositionsAlong(start, line);
    const SlotRelations* relations = RelationTableOf(arrangement);
    if (relations == nullptr) return {true, LosingTake::kBeforeLine, 0};
    LosingTake result;
    // The last number of takes known to leave a clearable position, and a
    // way of clearing it once a solve has given one.
    int kept = 0;
    Mates mates = MatesOf(startWay);
    bool wayKnown = !startWay.empty() && ClearsWithMates(relations, start, mates);
    // Whether the position after `taken` takes can be cleared; an undecided
    // solve ends the search.
    auto clearable = [&](int taken) {
        const SolveResult solved = Solve(arrangement, positions[taken], budgetStepsPerSolve);
        result.steps += solved.steps;
        if (solved.outcome == SolveOutcome::Undecided) result.decided = false;
        if (solved.outcome != SolveOutcome::Cleared) return false;
        kept = taken;
        wayKnown = true;
        mates = MatesOf(solved.solution);
        return true;
    };
    // Follows the known way along the line while it still clears, short of
    // `lost`. A take of two mates keeps the rest of the way as it was;
    // otherwise their mates, of the same kind, go together instead.
    auto followWay = [&](int lost) {
        Mates followed = mates;
        for (int taken = kept; taken + 1 < lost; ++taken) {
            const auto [a, b] = line[taken];
            if (followed[a] != b) {
                const int16_t mateOfA = followed[a];
                const int16_t mateOfB = followed[b];
                if (mateOfA == kNoSlot || mateOfB == kNoSlot) return;
                followed[mateOfA] = mateOfB;
                followed[mateOfB] = mateOfA;
                if (!ClearsWithMates(relations, positions[taken + 1], followed)) return;
            }
            kept = taken + 1;
            mates = followed;
        }
    };
    int lost = static_cast<int>(line.size());
    if (clearable(lost) || !result.decided) return result;
    // Bisection between a clearable number of takes and a lost one, the
    // clearable end moved on along a known way first; without a way of its
    // own the start is taken to be clearable, and checked only when the
    // bisection reaches it.
    while (lost - kept > 1) {
        if (wayKnown) followWay(lost);
        if (lost - kept <= 1) break;
        const int middle = (kept + lost) / 2;
        if (!clearable(middle)) {
            if (!result.decided) return result;
            lost = middle;
        }
    }
    // An empty line's start was solved above.
    if (lost == 0 || (!wayKnown && !clearable(0))) {
        if (result.decided) result.take = LosingTake::kBeforeLine;
        return result;
    }
    result.take = lost - 1;
    return result;
}
