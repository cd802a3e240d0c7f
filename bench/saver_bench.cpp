// Benchmarks of the screensaver's heaviest ticks: the speckle dissolve, one and
// two stages at once; the sweep; a build tick.
#include <benchmark/benchmark.h>

#include <vector>

#include "saver/animation.h"
#include "tests/support/saver_platform_recorder.h"

namespace {

// A started animation on a mat-coloured canvas, every picture a plain block;
// the ticks' effects go to the host recorder.
struct BenchAnimation {
    std::vector<uint8_t> block = std::vector<uint8_t>(kPictureBytes, 9);
    RandomSequence random{1765000000};
    SaverAnimation animation;
    BenchAnimation() {
        TilePictures pictures{};
        pictures.fill(block.data());
        const std::vector<uint8_t> pixels(kCanvasPixels, kMatColour);
        StartAnimation(animation, random, pixels, pictures, ScreenRect{0, 0, 640, 480}, 0);
    }
};

// One dissolve tick entered at `step` with kind `effect`.
void BM_DissolveTick(benchmark::State& state) {
    BenchAnimation bench;
    SaverAnimation& animation = bench.animation;
    for (auto _ : state) {
        animation.step = static_cast<int>(state.range(0));
        animation.effect = static_cast<int>(state.range(1));
        TickAnimation(animation);
        benchmark::DoNotOptimize(animation.canvas.data());
    }
}
// Step 552 enters t = 553, where two stages run; 493 enters the first stage.
BENCHMARK(BM_DissolveTick)->Args({493, 0})->Args({552, 0})->Args({552, 1})->Args({552, 2})
    ->Unit(benchmark::kMillisecond);

// One sweep tick entered at `step`: seven lines back to the mat.
void BM_SweepTick(benchmark::State& state) {
    BenchAnimation bench;
    SaverAnimation& animation = bench.animation;
    for (auto _ : state) {
        animation.step = static_cast<int>(state.range(0));
        animation.effect = 3;
        TickAnimation(animation);
        benchmark::DoNotOptimize(animation.canvas.data());
        recordedSaverCalls.clear();
    }
}
BENCHMARK(BM_SweepTick)->Arg(493)->Arg(552)->Unit(benchmark::kMicrosecond);

// One build-with-faces tick entered at `step` putting a face at `slot`: step
// 102 also clears the mat; slot 140 sits on an upper level and rearms the timer.
void BM_BuildTick(benchmark::State& state) {
    BenchAnimation bench;
    SaverAnimation& animation = bench.animation;
    for (auto _ : state) {
        animation.step = static_cast<int>(state.range(0));
        animation.slot = static_cast<int>(state.range(1));
        TickAnimation(animation);
        benchmark::DoNotOptimize(animation.canvas.data());
        recordedSaverCalls.clear();
    }
}
BENCHMARK(BM_BuildTick)->Args({102, 0})->Args({150, 140})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
