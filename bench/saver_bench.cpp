// Benchmarks of the screensaver's heaviest ticks: the speckle dissolve, one and
// two stages at once; the sweep; a build tick; each on the canvas of 100% and
// on the double-size one of higher display scales (the last argument, 1 or 2).
#include <benchmark/benchmark.h>

#include <vector>

#include "saver/animation.h"
#include "tests/support/saver_platform_recorder.h"

namespace {

// A started animation on a mat-coloured canvas at `scale`, every picture a
// plain block; the ticks' effects go to the host recorder.
struct BenchAnimation {
    CanvasLook look;
    std::vector<uint8_t> block;
    RandomSequence random{1765000000};
    SaverAnimation animation;
    explicit BenchAnimation(int64_t scale)
        : look{static_cast<int>(scale), kCanvasWidth * static_cast<int>(scale),
               kCanvasHeight * static_cast<int>(scale)},
          block(static_cast<size_t>(look.pictureStride() * look.pictureHeight()), 9) {
        TilePictures pictures{};
        pictures.fill(block.data());
        const std::vector<uint8_t> pixels(static_cast<size_t>(look.pixels()), kMatColour);
        StartAnimation(animation, random, pixels, pictures, ScreenRect{0, 0, look.width(), look.height()}, 0, look);
    }
};

// One dissolve tick entered at `step` with kind `effect`.
void BM_DissolveTick(benchmark::State& state) {
    BenchAnimation bench(state.range(2));
    SaverAnimation& animation = bench.animation;
    for (auto _ : state) {
        animation.step = static_cast<int>(state.range(0));
        animation.effect = static_cast<int>(state.range(1));
        TickAnimation(animation);
        benchmark::DoNotOptimize(animation.canvas.data());
    }
}
// Step 552 enters t = 553, where two stages run; 493 enters the first stage.
BENCHMARK(BM_DissolveTick)->ArgsProduct({{493}, {0}, {1, 2}})->ArgsProduct({{552}, {0, 1, 2}, {1, 2}})
    ->Unit(benchmark::kMillisecond);

// One sweep tick entered at `step`: seven lines back to the mat.
void BM_SweepTick(benchmark::State& state) {
    BenchAnimation bench(state.range(1));
    SaverAnimation& animation = bench.animation;
    for (auto _ : state) {
        animation.step = static_cast<int>(state.range(0));
        animation.effect = 3;
        TickAnimation(animation);
        benchmark::DoNotOptimize(animation.canvas.data());
        recordedSaverCalls.clear();
    }
}
BENCHMARK(BM_SweepTick)->ArgsProduct({{493, 552}, {1, 2}})->Unit(benchmark::kMicrosecond);

// One build-with-faces tick entered at `step` putting a face at `slot`: step
// 102 also clears the mat; slot 140 sits on an upper level and rearms the timer.
void BM_BuildTick(benchmark::State& state) {
    BenchAnimation bench(state.range(2));
    SaverAnimation& animation = bench.animation;
    for (auto _ : state) {
        animation.step = static_cast<int>(state.range(0));
        animation.slot = static_cast<int>(state.range(1));
        TickAnimation(animation);
        benchmark::DoNotOptimize(animation.canvas.data());
        recordedSaverCalls.clear();
    }
}
BENCHMARK(BM_BuildTick)->ArgsProduct({{102}, {0}, {1, 2}})->ArgsProduct({{150}, {140}, {1, 2}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
