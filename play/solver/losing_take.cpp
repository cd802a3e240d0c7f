// The losing take of a line of play, found by bisection over the positions along it.
#include <vector>

#include "play/solver/solver.h"

namespace {

// The positions along a line: the start, then the position after each take.
std::vector<Position> PositionsAlong(const Position& start, std::span<const TakenPair> line) {
    std::vector<Position> positions{start};
    for (const TakenPair& take : line) positions.push_back(AfterTake(positions.back(), take));
    return positions;
}

}  // namespace

LosingTake FirstLosingTake(int arrangement, const Position& start, std::span<const TakenPair> line,
                           long budgetStepsPerSolve) {
    const std::vector<Position> positions = PositionsAlong(start, line);
    LosingTake result;
    // Whether the position after `taken` takes can be cleared; an undecided
    // solve ends the search.
    auto clearable = [&](int taken) {
        const SolveResult solved = Solve(arrangement, positions[taken], budgetStepsPerSolve);
        result.steps += solved.steps;
        if (solved.outcome == SolveOutcome::Undecided) result.decided = false;
        return solved.outcome == SolveOutcome::Cleared;
    };
    int lost = static_cast<int>(line.size());
    if (clearable(lost) || !result.decided) return result;
    // Bisection between a clearable number of takes and a lost one; the start
    // is taken to be clearable and checked only when the bisection reaches it.
    int kept = 0;
    while (lost - kept > 1) {
        const int middle = (kept + lost) / 2;
        const bool keeps = clearable(middle);
        if (!result.decided) return result;
        (keeps ? kept : lost) = middle;
    }
    if (kept == 0 && !clearable(0)) {
        if (result.decided) result.take = LosingTake::kBeforeLine;
        return result;
    }
    result.take = result.decided ? lost - 1 : LosingTake::kNone;
    return result;
}
