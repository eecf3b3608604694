// Cost of the nano-hole engine: the FFT against FFTW, spectrum repaints and tiling generation.
#include "bench_support.h"

#include "runtime/random_source.h"
#include "tools/complex_image.h"
#include "tools/fourier_transform.h"
#include "tools/multigrid_tiling.h"
#include "tools/pixel_canvas.h"

#include <fftw3.h>

#include <cmath>
#include <vector>

namespace {

using namespace tarvek;

// A seeded N × N picture of levels 0..255 in fourn's layout.
std::vector<float> picture(int n)
{
  RandomSource random(17);
  const auto total = static_cast<std::size_t>(n) * n;
  std::vector<float> data(2 * total + 1, 0.0f);
  for (std::size_t k = 0; k < total; ++k)
    data[2 * k + 1] = static_cast<float>(std::floor(random.uniform() * 256.0));
  return data;
}

// Time per N² log₂ N, the FFT's unit of work, at N = 64 .. 1024.
void BM_fourn(benchmark::State& state)
{
  const auto n = static_cast<std::int32_t>(state.range(0));
  const std::vector<float> source = picture(n);
  std::vector<float> data = source;
  const std::int32_t nn[2] = {n, n};
  for (auto _ : state) {
    state.PauseTiming();
    data = source;
    state.ResumeTiming();
    fourn(data, nn, 1);
    benchmark::DoNotOptimize(data.data());
  }
  state.counters["per_N2log2N"] = bench::timePer(static_cast<double>(n) * n * std::log2(n));
}
BENCHMARK(BM_fourn)->RangeMultiplier(2)->Range(64, 1024)->Unit(benchmark::kMillisecond);

// FFTW's in-place 2-D plan on the same 512 × 512 data; flag 0 is
// FFTW_ESTIMATE (the comparison of the goal), 1 FFTW_MEASURE (reported only).
void BM_fftw512(benchmark::State& state)
{
  constexpr int n = 512;
  constexpr std::size_t total = static_cast<std::size_t>(n) * n;
  const std::vector<float> source = picture(n);
  fftwf_complex* data = fftwf_alloc_complex(total);
  const unsigned flags = state.range(0) == 0 ? FFTW_ESTIMATE : FFTW_MEASURE;
  fftwf_plan plan = fftwf_plan_dft_2d(n, n, data, data, FFTW_BACKWARD, flags);
  for (auto _ : state) {
    state.PauseTiming();
    for (std::size_t k = 0; k < total; ++k) {
      data[k][0] = source[2 * k + 1];
      data[k][1] = 0.0f;
    }
    state.ResumeTiming();
    fftwf_execute(plan);
    benchmark::DoNotOptimize(data);
  }
  fftwf_destroy_plan(plan);
  fftwf_free(data);
}
BENCHMARK(BM_fftw512)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One repaint of the spectrum view per view kind at 512 × 512, as each tick
// of the window's brightness repeat does.
void BM_RedrawFT(benchmark::State& state)
{
  bench::QuietPrompts prompts;
  PixelCanvas holes(512, 512);
  PixelCanvas spectrum(512, 512);
  PixelCanvas result(512, 512);
  RandomSource random;
  generateTiling(TilingParameters{}, holes, random);
  clComplexImage workspace(prompts, random);
  workspace.SetMessageLabel([](const std::string&) {});
  workspace.SetCanvas(holes, spectrum, result);
  workspace.SetDimensionFFT(512);
  workspace.runFOURN(1, false);
  workspace.SetFTView(static_cast<std::int16_t>(state.range(0)), true);
  for (auto _ : state)
    workspace.RedrawFT(1, 0.0f);
}
BENCHMARK(BM_RedrawFT)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The largest pattern: F 20, N 40, zoom 1.
void BM_generateTiling(benchmark::State& state)
{
  TilingParameters p;
  p.foldCount = 20;
  p.loopOrder = 40;
  p.zoom = 1;
  PixelCanvas holes(p.canvasWidth, p.canvasHeight);
  RandomSource random;
  for (auto _ : state)
    benchmark::DoNotOptimize(generateTiling(p, holes, random));
}
BENCHMARK(BM_generateTiling)->Unit(benchmark::kMillisecond);

} // namespace
