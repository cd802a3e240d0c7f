// Tests of the solver: deals are clearable, solutions replay, small positions agree with a plain exhaustive search.
#include "play/solver/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <random>
#include <vector>

#include "board/freedom.h"
#include "deal/deal_generator.h"
#include "tests/support/environment_testing.h"
#include "tests/support/free_tiles_testing.h"

namespace {

constexpr long kBudget = 100'000'000;

// One seed for every run, so a position the solver cannot decide within the
// budget (a shortfall of strength, which the benchmark counts, not a wrong
// answer) cannot fail one run in a dozen; ZMR_SOLVER_SEED explores others.
constexpr unsigned kDefaultSeed = 20261210;

unsigned Seed(const char* test) {
    const auto seed = static_cast<unsigned>(EnvironmentNumber("ZMR_SOLVER_SEED", kDefaultSeed));
    std::printf("%s: seed %u (ZMR_SOLVER_SEED sets another)\n", test, seed);
    return seed;
}

bool IsFreeIn(int arrangement, const Position& position, int slot) {
    return IsFreeUnder(RelationsOf(arrangement, slot),
                       [&](int other) { return other == kNoSlot || position.faces[other] == kNoTile; });
}

// Empty when the solution clears the position by the rules: every pair two
// free tiles of one kind at its turn.
std::string BrokenSolution(int arrangement, Position position, const std::vector<TakenPair>& solution) {
    for (const TakenPair& take : solution) {
        const int a = take.first;
        const int b = take.second;
        if (a == b || position.faces[a] == kNoTile || position.faces[b] == kNoTile) return "a pair off the board";
        if (!FacesMatch(position.faces[a], position.faces[b])) return "a pair of two kinds";
        if (!IsFreeIn(arrangement, position, a) || !IsFreeIn(arrangement, position, b)) return "a pair not free";
        position = AfterTake(position, take);
    }
    return position.faces == EmptyPosition().faces ? "" : "tiles left";
}

// The plain search the solver is checked against: every free pair in every
// order, positions already seen lost remembered.
bool ClearsExhaustively(int arrangement, const Position& position, std::map<Position::Faces, bool>& seen) {
    if (position.faces == EmptyPosition().faces) return true;
    if (const auto known = seen.find(position.faces); known != seen.end()) return known->second;
    bool clears = false;
    for (int a = 0; a < kSlotCount && !clears; ++a) {
        if (position.faces[a] == kNoTile || !IsFreeIn(arrangement, position, a)) continue;
        for (int b = a + 1; b < kSlotCount && !clears; ++b) {
            if (position.faces[b] == kNoTile || !FacesMatch(position.faces[a], position.faces[b])) continue;
            if (!IsFreeIn(arrangement, position, b)) continue;
            clears = ClearsExhaustively(arrangement, AfterTake(position, {int16_t(a), int16_t(b)}), seen);
        }
    }
    return seen[position.faces] = clears;
}

// A deal of the generator, as the solver sees it.
Position DealtPosition(int arrangement, int harder, unsigned seed) {
    currentArrangement = arrangement;
    harderDeal = harder;
    EXPECT_EQ(BuildDeal(0, seed), 1);
    return PositionOfSlotTable();
}

TEST(Solver, EveryDealIsClearedByASolutionThatReplays) {
    std::mt19937 random(Seed("deals"));
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        for (int n = 0; n < 100; ++n) {
            const Position dealt = DealtPosition(arrangement, n % 2, random());
            const SolveResult result = Solve(arrangement, dealt, kBudget);
            ASSERT_EQ(result.outcome, SolveOutcome::Cleared) << "arrangement " << arrangement << ", deal " << n;
            ASSERT_EQ(BrokenSolution(arrangement, dealt, result.solution), "") << "arrangement " << arrangement;
        }
    }
}

// A full board thinned to `left` tiles by taking random free tiles one by
// one, faces then dealt at random over what is left, two or four of a kind.
Position ThinnedPosition(int arrangement, int left, std::mt19937& random) {
    currentArrangement = arrangement;
    for (TileSlot& slot : tileSlots) slot.state = 0;
    for (int n = kSlotCount; n > left; --n) {
        const std::vector<int> free = board_testing::FreeSlots();
        tileSlots[free[random() % free.size()]].state = 2;
    }
    std::vector<int16_t> faces;
    for (int kind = 0; static_cast<int>(faces.size()) < left; ++kind) {
        const int copies = static_cast<int>(faces.size()) + 4 <= left && random() % 3 != 0 ? 4 : 2;
        for (int copy = 0; copy < copies; ++copy) faces.push_back(static_cast<int16_t>(kind + kKindCount * copy));
    }
    std::shuffle(faces.begin(), faces.end(), random);
    Position position = EmptyPosition();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!IsTaken(slot)) position.faces[slot] = faces.back(), faces.pop_back();
    }
    return position;
}

// Up to 24 tiles.
Position SmallPosition(int arrangement, std::mt19937& random) {
    return ThinnedPosition(arrangement, 4 + 2 * static_cast<int>(random() % 11), random);
}

TEST(Solver, AgreesWithTheExhaustiveSearchOnSmallPositions) {
    std::mt19937 random(Seed("small positions"));
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        int lost = 0;
        for (int n = 0; n < 2000; ++n) {
            const Position position = SmallPosition(arrangement, random);
            std::map<Position::Faces, bool> seen;
            const bool clears = ClearsExhaustively(arrangement, position, seen);
            const SolveResult result = Solve(arrangement, position, kBudget);
            ASSERT_EQ(result.outcome, clears ? SolveOutcome::Cleared : SolveOutcome::NotClearable)
                << "arrangement " << arrangement << ", case " << n;
            if (clears) {
                ASSERT_EQ(BrokenSolution(arrangement, position, result.solution), "");
            }
            lost += clears ? 0 : 1;
        }
        // Both answers must be well represented (about 10% to 30% are lost), or the agreement says little.
        EXPECT_GT(lost, 100) << "arrangement " << arrangement;
        EXPECT_LT(lost, 1900) << "arrangement " << arrangement;
    }
}

// The search by conflicts alone proves every loss itself, with no search
// by repair guiding it: what it learns of why a node is lost, and reuses
// across branches, must never call a clearable position lost. Positions of
// up to 32 tiles, where the exhaustive search still settles every one.
TEST(Solver, TheSearchByConflictsAloneAgreesWithTheExhaustiveSearch) {
    std::mt19937 random(Seed("conflicts alone"));
    for (int arrangement = 1; arrangement <= kArrangementCount; ++arrangement) {
        int lost = 0;
        for (int n = 0; n < 500; ++n) {
            const int left =
                n % 5 == 0 ? 26 + 2 * static_cast<int>(random() % 4) : 4 + 2 * static_cast<int>(random() % 11);
            const Position position = ThinnedPosition(arrangement, left, random);
            std::map<Position::Faces, bool> seen;
            const bool clears = ClearsExhaustively(arrangement, position, seen);
            const SolveResult result = SolveByConflicts(arrangement, position, kBudget);
            ASSERT_EQ(result.outcome, clears ? SolveOutcome::Cleared : SolveOutcome::NotClearable)
                << "arrangement " << arrangement << ", case " << n << ", " << left << " tiles";
            if (clears) {
                ASSERT_EQ(BrokenSolution(arrangement, position, result.solution), "");
            }
            lost += clears ? 0 : 1;
        }
        EXPECT_GT(lost, 25) << "arrangement " << arrangement;
    }
    // Late in random games on dealt boards.
    int lateLost = 0;
    int late = 0;
    for (int n = 0; n < 400; ++n) {
        const int arrangement = 1 + n % kArrangementCount;
        DealtPosition(arrangement, n % 2, random());
        const int takes = 56 + static_cast<int>(random() % 4);
        if (static_cast<int>(board_testing::TakeRandomPairs(takes, random).size()) < takes) continue;
        const Position position = PositionOfSlotTable();
        std::map<Position::Faces, bool> seen;
        const bool clears = ClearsExhaustively(arrangement, position, seen);
        const SolveOutcome expected = clears ? SolveOutcome::Cleared : SolveOutcome::NotClearable;
        ASSERT_EQ(SolveByConflicts(arrangement, position, kBudget).outcome, expected)
            << "game " << n << ", " << takes << " takes";
        // The full solver too, whose turns share what the search by conflicts learns.
        ASSERT_EQ(Solve(arrangement, position, kBudget).outcome, expected) << "game " << n << ", " << takes << " takes";
        lateLost += clears ? 0 : 1;
        ++late;
    }
    // About two in five of these are lost: both answers are well represented.
    EXPECT_GT(lateLost, 40);
    EXPECT_GT(late - lateLost, 40);
}

// On whole boards the search by conflicts alone works far longer, and
// learns far more: it must never call lost a position along a deal's
// answer, nor a played position the full solver clears.
TEST(Solver, TheSearchByConflictsAloneNeverCallsAClearablePositionLost) {
    std::mt19937 random(Seed("conflicts alone on whole boards"));
    int proved = 0;
    for (int n = 0; n < 3 * kArrangementCount; ++n) {
        const int arrangement = 1 + n % kArrangementCount;
        Position position = DealtPosition(arrangement, n % 2, random());
        const std::vector<TakenPair> answer = AnswerOfSlotTable();
        for (std::size_t take = 0; take < answer.size(); take += 3) {
            const SolveResult result = SolveByConflicts(arrangement, position, 200'000);
            ASSERT_NE(result.outcome, SolveOutcome::NotClearable) << "arrangement " << arrangement << ", take " << take;
            if (result.outcome == SolveOutcome::Cleared) {
                ASSERT_EQ(BrokenSolution(arrangement, position, result.solution), "") << "take " << take;
            }
            for (std::size_t next = take; next < take + 3 && next < answer.size(); ++next) {
                position = AfterTake(position, answer[next]);
            }
        }
    }
    for (int n = 0; n < 200; ++n) {
        const int arrangement = 1 + n % kArrangementCount;
        DealtPosition(arrangement, n % 2, random());
        board_testing::TakeRandomPairs(10, random);
        const Position position = PositionOfSlotTable();
        const SolveOutcome alone = SolveByConflicts(arrangement, position, 2'000'000).outcome;
        if (alone != SolveOutcome::NotClearable) continue;
        EXPECT_NE(Solve(arrangement, position, kBudget / 20).outcome, SolveOutcome::Cleared) << "position " << n;
        ++proved;
    }
    // About one played position in fifteen is lost.
    EXPECT_GT(proved, 5);
}

// The search reuses the order of earlier sweeps, and the search by repair
// draws at random: nothing of one solve may leak into the next, nor differ
// between two runs.
TEST(Solver, ThePositionAndBudgetAloneDecideTheAnswerAndTheSteps) {
    std::mt19937 random(Seed("repeat"));
    for (int n = 0; n < 40; ++n) {
        const int arrangement = 1 + n % kArrangementCount;
        DealtPosition(arrangement, n % 2, random());
        board_testing::TakeRandomPairs(10, random);
        const Position position = PositionOfSlotTable();
        const long budget = 20'000 + static_cast<long>(random() % 400'000);
        const SolveResult first = Solve(arrangement, position, budget);
        const SolveResult second = Solve(arrangement, position, budget);
        ASSERT_EQ(first.outcome, second.outcome) << "position " << n;
        EXPECT_EQ(first.steps, second.steps) << "position " << n;
        EXPECT_EQ(first.solution.size(), second.solution.size()) << "position " << n;
        if (first.outcome == SolveOutcome::Cleared) {
            EXPECT_EQ(BrokenSolution(arrangement, position, first.solution), "");
        }
    }
}

// A small budget splits a solve into many turns, each coming back down to
// where the last one stopped; whatever such a solve decides, the full search
// decides the same, and its clearings replay.
// Faces shuffled over the slots: harder than dealt positions, and one in
// thirty or so cannot be cleared.
TEST(Solver, ASolveOfManyTurnsAgreesWithOneOfAmpleBudget) {
    std::mt19937 random(Seed("turns"));
    int decidedLate = 0;
    for (int n = 0; n < 40; ++n) {
        const int arrangement = 1 + n % kArrangementCount;
        Position position;
        std::iota(position.faces.begin(), position.faces.end(), int16_t{0});
        std::shuffle(position.faces.begin(), position.faces.end(), random);
        const SolveOutcome full = Solve(arrangement, position, kBudget / 5).outcome;
        if (full == SolveOutcome::Undecided) continue;
        for (const long budget : {60'000L, 300'000L, 1'500'000L}) {
            const SolveResult result = Solve(arrangement, position, budget);
            if (result.outcome == SolveOutcome::Undecided) continue;
            ASSERT_EQ(result.outcome, full) << "position " << n << ", budget " << budget;
            if (result.outcome == SolveOutcome::Cleared) {
                ASSERT_EQ(BrokenSolution(arrangement, position, result.solution), "") << "position " << n;
            }
            // Past the first two turns (20000 and 80000 steps), the later turns resumed.
            decidedLate += result.steps > 100'000 ? 1 : 0;
        }
    }
    // The positions must put the resumed turns to work, or the agreement says little.
    EXPECT_GT(decidedLate, 5);
}

// Every position along a deal's answer can be cleared: the shortcuts of the
// relaxed board must never call one of these large positions lost.
TEST(Solver, NoPositionAlongADealsAnswerIsLost) {
    std::mt19937 random(Seed("answer lines"));
    for (int n = 0; n < 5 * kArrangementCount; ++n) {
        const int arrangement = 1 + n % kArrangementCount;
        const int harder = static_cast<int>(random() % 2);
        Position position = DealtPosition(arrangement, harder, random());
        const std::vector<TakenPair> answer = AnswerOfSlotTable();
        for (std::size_t take = 0; take < answer.size(); ++take) {
            const SolveOutcome outcome = Solve(arrangement, position, kBudget).outcome;
            ASSERT_NE(outcome, SolveOutcome::NotClearable) << "arrangement " << arrangement << ", take " << take;
            position = AfterTake(position, answer[take]);
        }
    }
}

// Faces shuffled over the slots need the search by conflicts and its
// narrowing far more than dealt positions: every position along a clearing the
// solver found, replayed take by take, must not be called lost either.
TEST(Solver, NoPositionAlongAClearingOfShuffledFacesIsLost) {
    std::mt19937 random(Seed("shuffled clearings"));
    int checked = 0;
    for (int n = 0; n < 10 * kArrangementCount; ++n) {
        const int arrangement = 1 + n % kArrangementCount;
        Position position;
        std::iota(position.faces.begin(), position.faces.end(), int16_t{0});
        std::shuffle(position.faces.begin(), position.faces.end(), random);
        const SolveResult cleared = Solve(arrangement, position, kBudget / 20);
        if (cleared.outcome != SolveOutcome::Cleared) continue;
        ASSERT_EQ(BrokenSolution(arrangement, position, cleared.solution), "") << "deal " << n;
        for (std::size_t take = 0; take < cleared.solution.size(); ++take) {
            if (take % 2 == 1) {
                ASSERT_NE(Solve(arrangement, position, kBudget / 50).outcome, SolveOutcome::NotClearable)
                    << "deal " << n << ", take " << take;
                ++checked;
            }
            position = AfterTake(position, cleared.solution[take]);
        }
    }
    // Most shuffled deals clear, so most of the lines are checked.
    EXPECT_GT(checked, 1000);
}

// A take that led to a clearing would make the position before it clearable:
// no take from a position called lost may be cleared. Played positions of
// many tiles put narrowing and the search for critical kinds to work.
TEST(Solver, NoTakeFromAPositionCalledLostIsCleared) {
    std::mt19937 random(Seed("takes from lost positions"));
    int checked = 0;
    for (int n = 0; n < 240; ++n) {
        const int arrangement = 1 + n % kArrangementCount;
        DealtPosition(arrangement, n % 2, random());
        board_testing::TakeRandomPairs(10, random);
        const Position position = PositionOfSlotTable();
        if (Solve(arrangement, position, kBudget / 20).outcome != SolveOutcome::NotClearable) continue;
        const std::vector<int> free = board_testing::FreeSlots();
        for (std::size_t a = 0; a < free.size(); ++a) {
            for (std::size_t b = a + 1; b < free.size(); ++b) {
                if (!FacesMatch(position.faces[free[a]], position.faces[free[b]])) continue;
                const Position after = AfterTake(position, {int16_t(free[a]), int16_t(free[b])});
                EXPECT_NE(Solve(arrangement, after, kBudget / 20).outcome, SolveOutcome::Cleared)
                    << "position " << n << ", take " << free[a] << "-" << free[b];
                ++checked;
            }
        }
    }
    // About one played position in fifteen is lost, most with a few takes left.
    EXPECT_GT(checked, 20);
}

// Faces shuffled over arrangement A as the benchmark deals them, from its seed.
std::vector<Position> ShuffledDealsA(int count) {
    std::mt19937 random(1765000000);
    std::vector<Position> deals(static_cast<std::size_t>(count));
    for (Position& position : deals) {
        std::iota(position.faces.begin(), position.faces.end(), int16_t{0});
        std::shuffle(position.faces.begin(), position.faces.end(), random);
    }
    return deals;
}

// The steps a solve took are all it needs: given just as many, it decides
// the same in the same steps; given one fewer, it decides nothing and has
// spent them all. Played positions and shuffled faces put every search to
// work, each sweep of the board counting its steps up to the last.
TEST(Solver, TheStepsASolveTookDecideItAndOneStepFewerDoesNot) {
    std::mt19937 random(Seed("budget edge"));
    std::vector<std::pair<int, Position>> positions;
    for (int n = 0; n < 24; ++n) {
        const int arrangement = 1 + n % kArrangementCount;
        DealtPosition(arrangement, n % 2, random());
        board_testing::TakeRandomPairs(10 + static_cast<int>(random() % 30), random);
        positions.emplace_back(arrangement, PositionOfSlotTable());
    }
    for (const Position& deal : ShuffledDealsA(40)) positions.emplace_back(1, deal);
    int checked = 0;
    for (std::size_t n = 0; n < positions.size(); ++n) {
        const auto& [arrangement, position] = positions[n];
        const SolveResult full = Solve(arrangement, position, kBudget / 40);
        if (full.outcome == SolveOutcome::Undecided || full.steps == 0) continue;
        const SolveResult exact = Solve(arrangement, position, full.steps);
        ASSERT_EQ(exact.outcome, full.outcome) << "position " << n;
        EXPECT_EQ(exact.steps, full.steps) << "position " << n;
        const SolveResult cut = Solve(arrangement, position, full.steps - 1);
        EXPECT_EQ(cut.outcome, SolveOutcome::Undecided) << "position " << n;
        EXPECT_GE(cut.steps, full.steps) << "position " << n;
        ++checked;
    }
    // Nearly all are decided within the budget.
    EXPECT_GT(checked, 50);
}

// Deals of the benchmark that once withstood every search for more than 18
// million steps, yet can be cleared: the searches, each helping the other,
// clear most of them in a fraction of that.
TEST(Solver, DealsThatOnceWithstoodEverySearchAreClearedSoon) {
    const std::vector<Position> deals = ShuffledDealsA(1969);
    int cleared = 0;
    for (const int deal : {56,   98,   108,  219,  240,  332,  403,  422,  477,  486,  588,  653,  676,  763,  825, 993,
                           1070, 1134, 1157, 1324, 1335, 1435, 1449, 1499, 1567, 1617, 1668, 1688, 1736, 1740, 1968}) {
        const Position& position = deals[static_cast<std::size_t>(deal)];
        const SolveResult result = Solve(1, position, 2'500'000);
        ASSERT_NE(result.outcome, SolveOutcome::NotClearable) << "deal " << deal;
        if (result.outcome != SolveOutcome::Cleared) continue;
        EXPECT_EQ(BrokenSolution(1, position, result.solution), "") << "deal " << deal;
        ++cleared;
    }
    // 27 of the 31 clear; fewer than 20 would mean the searches lost strength.
    EXPECT_GE(cleared, 20);
}

bool SameTakes(const std::vector<TakenPair>& a, const std::vector<TakenPair>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TakenPair& x, const TakenPair& y) {
        return x.first == y.first && x.second == y.second;
    });
}

// The search by repair draws its moves at random and keeps its pairing
// across turns: however the budget cuts its turns short, two solves of a deal
// make the same moves in the same steps, a clearing it ends with replays, and
// a deal it clears is never called lost by a larger budget.
TEST(Solver, ClearingsFoundAcrossTurnsCutShortReplayAndRepeat) {
    const std::vector<Position> deals = ShuffledDealsA(1969);
    for (const int deal : {1157, 1567, 1617}) {
        const Position& position = deals[static_cast<std::size_t>(deal)];
        for (long budget = 200'000; budget <= 3'000'000; budget += 350'001) {
            const SolveResult result = Solve(1, position, budget);
            ASSERT_NE(result.outcome, SolveOutcome::NotClearable) << "deal " << deal << ", budget " << budget;
            const SolveResult again = Solve(1, position, budget);
            ASSERT_EQ(again.outcome, result.outcome) << "deal " << deal << ", budget " << budget;
            EXPECT_EQ(again.steps, result.steps) << "deal " << deal << ", budget " << budget;
            EXPECT_TRUE(SameTakes(again.solution, result.solution)) << "deal " << deal << ", budget " << budget;
            if (result.outcome == SolveOutcome::Cleared) {
                EXPECT_EQ(BrokenSolution(1, position, result.solution), "") << "deal " << deal;
            }
        }
    }
}

// A random line from a known deal played into a deadlock: the search must
// find the take a plain scan of every position along the line finds.
TEST(FirstLosingTake, FindsTheTakeAfterWhichTheLineIsLost) {
    std::mt19937 random(Seed("losing take"));
    for (int game = 0; game < 20; ++game) {
        const int arrangement = 1 + game % kArrangementCount;
        const Position start = DealtPosition(arrangement, 0, 1765000000 + game);
        const std::vector<TakenPair> answer = AnswerOfSlotTable();
        std::vector<TakenPair> line;
        for (const auto& [a, b] : board_testing::TakeRandomPairs(kPairCount, random)) {
            line.push_back({int16_t(a), int16_t(b)});
        }
        int scanned = LosingTake::kNone;
        Position position = start;
        for (std::size_t take = 0; take < line.size() && scanned == LosingTake::kNone; ++take) {
            position = AfterTake(position, line[take]);
            if (Solve(arrangement, position, kBudget).outcome == SolveOutcome::NotClearable) scanned = int(take);
        }
        // With the deal's answer as a way of clearing the start, and without.
        for (std::span<const TakenPair> startWay : {std::span<const TakenPair>(answer), std::span<const TakenPair>()}) {
            const LosingTake found = FirstLosingTake(arrangement, start, line, kBudget, startWay);
            ASSERT_TRUE(found.decided);
            EXPECT_EQ(found.take, scanned) << "game " << game << (startWay.empty() ? "" : ", from the answer");
        }
    }
}

TEST(FirstLosingTake, AnswerLinesNeverLoseAndALostStartComesBeforeTheLine) {
    const Position start = DealtPosition(2, 1, 1765000000);
    EXPECT_EQ(FirstLosingTake(2, start, AnswerOfSlotTable(), kBudget).take, LosingTake::kNone);
    // Arrangement C stacks slot 36 on slot 0: two tiles of one kind there can never both be free.
    Position stacked = EmptyPosition();
    stacked.faces[0] = 5;
    stacked.faces[36] = 5 + kKindCount;
    EXPECT_EQ(Solve(3, stacked, kBudget).outcome, SolveOutcome::NotClearable);
    EXPECT_EQ(FirstLosingTake(3, stacked, {}, kBudget).take, LosingTake::kBeforeLine);
}

}  // namespace
