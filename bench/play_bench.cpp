// Benchmarks of the tests that follow every selecting click: deadlock and cleared board, on full, half-cleared and nearly cleared boards.
#include <benchmark/benchmark.h>

#include <string>

#include "board/freedom.h"
#include "board/positions.h"
#include "board/tile_slots.h"
#include "deal/deal_generator.h"
#include "play/outcome.h"

namespace {

// A deal of arrangement range(0) with its first range(1) answer pairs taken.
void SetUpBoard(benchmark::State& state) {
    currentArrangement = static_cast<int32_t>(state.range(0));
    harderDeal = 0;
    BuildDeal(0, 1765000000);
    const int taken = static_cast<int>(state.range(1));
    for (TileSlot& slot : tileSlots) {
        slot.state = slot.pair >= kPairCount - taken ? 2 + (slot.pair - (kPairCount - taken)) : 0;
    }
    state.SetLabel(std::string("arrangement ") + "ABCD"[state.range(0) - 1] + ", " + std::to_string(taken) +
                   " pairs taken");
}

void BM_IsDeadlocked(benchmark::State& state) {
    SetUpBoard(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(IsDeadlocked());
    }
}
BENCHMARK(BM_IsDeadlocked)->ArgsProduct({{1, 2, 3, 4}, {0, 36, 70}})->Unit(benchmark::kNanosecond);

// The slowest case: a full board where no two free tiles are of one kind,
// so every tile is looked at and the answer is yes.
void BM_IsDeadlockedStuck(benchmark::State& state) {
    currentArrangement = static_cast<int32_t>(state.range(0));
    harderDeal = 0;
    BuildDeal(0, 1765000000);
    int kind = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        tileSlots[slot].state = 0;
        if (IsTileFree(slot) == 1) tileSlots[slot].face = kind++;
    }
    if (IsDeadlocked() != 1) state.SkipWithError("the board is not stuck");
    for (auto _ : state) {
        benchmark::DoNotOptimize(IsDeadlocked());
    }
    state.SetLabel(std::string("arrangement ") + "ABCD"[state.range(0) - 1] + ", full board, stuck");
}
// B and D have 40 free tiles on a full board, more than there are kinds.
BENCHMARK(BM_IsDeadlockedStuck)->Arg(1)->Arg(3)->Unit(benchmark::kNanosecond);

void BM_IsBoardCleared(benchmark::State& state) {
    SetUpBoard(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(IsBoardCleared());
    }
}
BENCHMARK(BM_IsBoardCleared)->ArgsProduct({{1}, {0, 36, 70, 72}})->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
