// Benchmarks of the solver: positions from play, random deals of arrangement A, the losing take of a lost game.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "deal/deal_generator.h"
#include "play/solver/solver.h"
#include "tests/support/environment_testing.h"
#include "tests/support/free_tiles_testing.h"

namespace {

// Budgets of about 50 ms and 0.2 s of this machine's steps.
const long kPlayBudget = 50 * kSolverStepsPerMillisecond;
const long kDealBudget = EnvironmentNumber("ZMR_SOLVER_DEAL_MS", 200) * kSolverStepsPerMillisecond;

const int kPlayedPositions = static_cast<int>(EnvironmentNumber("ZMR_SOLVER_POSITIONS", 1000));
const int kRandomDeals = static_cast<int>(EnvironmentNumber("ZMR_SOLVER_DEALS", 20000));
const int kLostGames = static_cast<int>(EnvironmentNumber("ZMR_SOLVER_GAMES", 1000));

std::string ArrangementName(int arrangement) { return std::string("arrangement ") + "ABCD"[arrangement - 1]; }

// A deal of the generator with `takes` random pairs taken; false when the
// game sticks before that.
bool PlayedPosition(int arrangement, uint32_t seed, int takes, Position& position) {
    currentArrangement = arrangement;
    harderDeal = static_cast<int32_t>(seed % 2);
    if (BuildDeal(0, seed) != 1) return false;
    std::mt19937 random(seed);
    if (static_cast<int>(board_testing::TakeRandomPairs(takes, random).size()) < takes) return false;
    position = PositionOfSlotTable();
    return true;
}

// The CPU time of this thread: other work on a shared machine does not count.
double ThreadMilliseconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Decided {
    SolveOutcome outcome;
    long steps;
};

// Times each solve and reports the spread in milliseconds, the share left
// undecided, the share found lost and the steps per millisecond, as counters.
class SolveTimes {
public:
    template <class Work>
    void Time(Work work) {
        const double started = ThreadMilliseconds();
        const Decided decided = work();
        milliseconds_.push_back(ThreadMilliseconds() - started);
        undecided_ += decided.outcome == SolveOutcome::Undecided;
        lost_ += decided.outcome == SolveOutcome::NotClearable;
        steps_ += decided.steps;
    }

    // `lost` adds the share found lost (not for the losing take, whose games are all lost).
    void Report(benchmark::State& state, bool lost = true) {
        std::vector<double> sorted = milliseconds_;
        std::sort(sorted.begin(), sorted.end());
        const double n = static_cast<double>(sorted.size());
        auto at = [&](double share) { return sorted[static_cast<size_t>(share * (n - 1))]; };
        state.counters["median_ms"] = at(0.5);
        state.counters["p99_ms"] = at(0.99);
        state.counters["max_ms"] = sorted.back();
        state.counters["mean_ms"] = std::accumulate(sorted.begin(), sorted.end(), 0.0) / n;
        state.counters["undecided_%"] = 100.0 * undecided_ / n;
        if (lost) state.counters["lost_%"] = 100.0 * lost_ / n;
        state.counters["n"] = n;
        // Steps do not vary with the load of a shared machine, as times do.
        state.counters["mean_steps"] = static_cast<double>(steps_) / n;
        state.counters["steps/ms"] = static_cast<double>(steps_) / std::accumulate(sorted.begin(), sorted.end(), 0.0);
    }

private:
    std::vector<double> milliseconds_;
    long undecided_ = 0;
    long lost_ = 0;
    long steps_ = 0;
};

Decided Timed(const SolveResult& result) { return {result.outcome, result.steps}; }

void BM_PlayedPositions(benchmark::State& state) {
    const int arrangement = static_cast<int>(state.range(0));
    const int takes = static_cast<int>(state.range(1));
    std::vector<Position> positions;
    for (uint32_t seed = 1765000000; static_cast<int>(positions.size()) < kPlayedPositions; ++seed) {
        Position position;
        if (PlayedPosition(arrangement, seed, takes, position)) positions.push_back(position);
    }
    SolveTimes times;
    for (auto _ : state) {
        for (const Position& position : positions) {
            times.Time([&] { return Timed(Solve(arrangement, position, kPlayBudget)); });
        }
    }
    times.Report(state);
    state.SetLabel(ArrangementName(arrangement) + ", " + std::to_string(takes) + " takes");
}
BENCHMARK(BM_PlayedPositions)
    ->ArgsProduct({{1, 2, 3, 4}, {10, 20, 40, 60}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Faces shuffled over the slots of arrangement A, as random deals were
// counted in the published figure (2.95-2.96% cannot be cleared).
void BM_RandomDealsA(benchmark::State& state) {
    std::mt19937 random(1765000000);
    SolveTimes times;
    for (auto _ : state) {
        for (int n = 0; n < kRandomDeals; ++n) {
            Position position;
            std::iota(position.faces.begin(), position.faces.end(), int16_t{0});
            std::shuffle(position.faces.begin(), position.faces.end(), random);
            times.Time([&] { return Timed(Solve(1, position, kDealBudget)); });
        }
    }
    times.Report(state);
    state.SetLabel("arrangement A, random faces");
}
BENCHMARK(BM_RandomDealsA)->Iterations(1)->Unit(benchmark::kMillisecond);

// A random game from a deal played on until no pair is free, and the take
// that lost it; games that clear the board are passed over.
void BM_LosingTake(benchmark::State& state) {
    const int arrangement = static_cast<int>(state.range(0));
    SolveTimes times;
    for (auto _ : state) {
        for (uint32_t seed = 1765000000, games = 0; static_cast<int>(games) < kLostGames; ++seed) {
            Position start;
            if (!PlayedPosition(arrangement, seed, 0, start)) continue;
            const std::vector<TakenPair> answer = AnswerOfSlotTable();
            std::mt19937 random(seed);
            std::vector<TakenPair> line;
            for (const auto& [a, b] : board_testing::TakeRandomPairs(kPairCount, random)) {
                line.push_back({static_cast<int16_t>(a), static_cast<int16_t>(b)});
            }
            if (static_cast<int>(line.size()) == kPairCount) continue;
            ++games;
            times.Time([&] {
                const LosingTake found = FirstLosingTake(arrangement, start, line, kPlayBudget, answer);
                return Decided{found.decided ? SolveOutcome::Cleared : SolveOutcome::Undecided, found.steps};
            });
        }
    }
    times.Report(state, false);
    state.SetLabel(ArrangementName(arrangement) + ", random games into a deadlock");
}
BENCHMARK(BM_LosingTake)->DenseRange(1, 4)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
