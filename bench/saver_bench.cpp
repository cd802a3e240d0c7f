// Benchmarks of the screensaver's heaviest ticks: the speckle dissolve, one and two stages at once.
#include <benchmark/benchmark.h>

#include <vector>

#include "saver/animation.h"

namespace {

// One dissolve tick entered at `step` with kind `effect`; the tick's own
// effects go to the host recorder.
void BM_DissolveTick(benchmark::State& state) {
    const int step = static_cast<int>(state.range(0));
    const int effect = static_cast<int>(state.range(1));
    std::vector<uint8_t> block(kPictureBytes, 9);
    TilePictures pictures{};
    pictures.fill(block.data());
    const std::vector<uint8_t> pixels(kCanvasPixels, kMatColour);
    RandomSequence random(1765000000);
    SaverAnimation animation;
    StartAnimation(animation, random, pixels, pictures, 640, 480, 0);
    for (auto _ : state) {
        animation.step = step;
        animation.effect = effect;
        TickAnimation(animation);
        benchmark::DoNotOptimize(animation.canvas.data());
    }
}
// Step 552 enters t = 553, where two stages run; 493 enters the first stage.
BENCHMARK(BM_DissolveTick)->Args({493, 0})->Args({552, 0})->Args({552, 1})->Args({552, 2})->Args({552, 3})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
