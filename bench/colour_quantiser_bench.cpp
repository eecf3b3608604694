// What reducing a 1920 x 1080 picture to 256 colours costs: a smooth
// gradient, and a shaded ball on a plain background carrying a decoder's
// noise, whose fullest histogram cell holds hundreds of colours.
//
//   build/bench/colour_quantiser_bench

#include "bench_support.h"
#include "imaging/colour_quantiser.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

std::vector<unsigned char> noisyBackground()
{
  std::mt19937 noise(7);
  std::vector<unsigned char> pixels(std::size_t(kWidth) * kHeight * 3);
  const double radius = kHeight / 3.0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      unsigned char* p = &pixels[(std::size_t(y) * kWidth + x) * 3];
      const double r = std::hypot(x - kWidth / 2.0, y - kHeight / 2.0);
      if (r < radius) {
        p[0] = static_cast<unsigned char>(200 * (1 - r / radius));
        p[1] = p[0] / 2;
        p[2] = 40;
      } else {
        p[0] = static_cast<unsigned char>(8 + noise() % 8);
        p[1] = static_cast<unsigned char>(64 + noise() % 8);
        p[2] = static_cast<unsigned char>(96 + noise() % 8);
      }
    }
  return pixels;
}

// Argument: 0 the gradient, 1 the noisy background.
void BM_Quantise(benchmark::State& state)
{
  const std::vector<unsigned char> pixels =
      state.range(0) == 0 ? tarvek::bench::gradientPixels(kWidth, kHeight) : noisyBackground();
  for (auto _ : state)
    benchmark::DoNotOptimize(tarvek::quantiseColours(pixels.data(), kWidth, kHeight));
  state.counters["per_megapixel"] = tarvek::bench::timePer(kWidth * static_cast<double>(kHeight) / 1e6);
}
BENCHMARK(BM_Quantise)->ArgName("noisy")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
