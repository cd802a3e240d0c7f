// The solver: decides whether a position can still be cleared, with an order of pairs when it can.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "board/tile_slots.h"

// A position: the face of the tile on each slot, or kNoTile where the slot
// holds none. Only the kinds of the faces matter to the solver.
constexpr int16_t kNoTile = -1;
struct Position {
    using Faces = std::array<int16_t, kSlotCount>;
    Faces faces;
};

// An empty board.
Position EmptyPosition();
// The tiles of the slot table that are still on the board (state 0 or 1), with their faces.
Position PositionOfSlotTable();

struct TakenPair {
    int16_t first;
    int16_t second;
};

// The deal's answer as the slot table holds it: its pairs in the order the
// answer takes them; empty when the table holds no whole deal.
std::vector<TakenPair> AnswerOfSlotTable();

// The position after a take: both slots emptied.
Position AfterTake(Position position, TakenPair take);

// Steps of work per millisecond on the development machine (one thread), as
// solver_bench measures them: a guide for turning a time into a budget.
constexpr long kSolverStepsPerMillisecond = 120000;

enum class SolveOutcome { Cleared, NotClearable, Undecided };

struct SolveResult {
    SolveOutcome outcome = SolveOutcome::Undecided;
    std::vector<TakenPair> solution;  // when Cleared: every pair, in an order that clears the board
    long steps = 0;                   // work done, in the unit of the budget
};

// Decides whether the position can be cleared in the arrangement (1..4).
// The work is counted in steps, not time, so a position always gets the same
// answer: Undecided only when budgetSteps run out. A position that can be
// cleared is never called NotClearable.
SolveResult Solve(int arrangement, const Position& position, long budgetSteps);
// The same by the search by conflicts alone: the one search that proves
// positions lost, with what it learns of why nodes are lost. For tests.
SolveResult SolveByConflicts(int arrangement, const Position& position, long budgetSteps);

// The first take of a line of play after which the position could no longer
// be cleared: positions along a line only go from clearable to lost. A way
// of clearing the start is followed along the line, and a position is solved
// again only where the line's takes leave every such way.
struct LosingTake {
    static constexpr int kNone = -1;         // the line ends on a position that can be cleared
    static constexpr int kBeforeLine = -2;   // the start itself cannot be cleared
    bool decided = true;                     // false when a solve ran out of budget
    int take = kNone;                        // index in the line of the losing take, or kNone, kBeforeLine
    long steps = 0;
};
// `startWay`, when given, holds the pairs of a way of clearing the start, in
// any order: the deal's own answer saves solving near the start.
LosingTake FirstLosingTake(int arrangement, const Position& start, std::span<const TakenPair> line,
                           long budgetStepsPerSolve, std::span<const TakenPair> startWay = {});
