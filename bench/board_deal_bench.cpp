// Benchmarks of the deal generator per arrangement and mode, and of the full-board free scan.
#include <benchmark/benchmark.h>

#include "board/freedom.h"
#include "board/tile_slots.h"
#include "deal/deal_generator.h"

namespace {

// One whole BuildDeal per iteration, seeds stepping like a clock; reports the
// attempts each deal took.
void BM_BuildDeal(benchmark::State& state) {
    currentArrangement = static_cast<int32_t>(state.range(0));
    harderDeal = static_cast<int32_t>(state.range(1));
    uint32_t seed = 1765000000;
    long attempts = 0;
    long deals = 0;
    for (auto _ : state) {
        RandomSequence random(seed++);
        const int used = RunDealAttempts(random);
        benchmark::DoNotOptimize(used);
        attempts += used;
        ++deals;
    }
    state.counters["attempts/deal"] = static_cast<double>(attempts) / static_cast<double>(deals);
    state.SetLabel(std::string("arrangement ") + "ABCD"[state.range(0) - 1] +
                   (state.range(1) ? ", harder" : ", normal"));
}
BENCHMARK(BM_BuildDeal)->ArgsProduct({{1, 2, 3, 4}, {0, 1}})->Unit(benchmark::kMicrosecond);

// IsTileFree over all 144 slots of a full board.
void BM_FreeScan(benchmark::State& state) {
    currentArrangement = static_cast<int32_t>(state.range(0));
    for (TileSlot& slot : tileSlots) slot = TileSlot{};
    for (auto _ : state) {
        int count = 0;
        for (int slot = 0; slot < kSlotCount; ++slot) count += IsTileFree(slot);
        benchmark::DoNotOptimize(count);
    }
    state.SetLabel(std::string("arrangement ") + "ABCD"[state.range(0) - 1]);
}
BENCHMARK(BM_FreeScan)->DenseRange(1, 4)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
