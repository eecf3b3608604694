// What joining 20 JPEG frames of a shaded view into an animated GIF costs at
// 320 x 240 and 1920 x 1080: time per megapixel should hold flat, and the
// peak resident size shows that one decoded frame is held at a time.

#include "bench_support.h"

#include "imaging/gif_assembly.h"

#include <sys/resource.h>

#include <cstdlib>
#include <fstream>

namespace {

constexpr int kFrames = 20;

// The peak resident size of the process so far, in megabytes.
double peakResidentMegabytes()
{
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_MakeAnimatedGif(benchmark::State& state)
{
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  const std::vector<unsigned char> pixels = tarvek::bench::gradientPixels(width, height);
  unsigned char* jpeg = nullptr;
  const std::size_t size = tarvek::bench::encodeJpeg(pixels.data(), width, height, 90, &jpeg);
  const std::string bytes(reinterpret_cast<const char*>(jpeg), size);
  std::free(jpeg);
  std::vector<std::string> frames;
  for (int i = 0; i < kFrames; ++i)
    frames.push_back(
        tarvek::bench::scratchFile(("gif_frame_" + std::to_string(i) + ".jpg").c_str()).string());
  const std::string output = tarvek::bench::scratchFile("gif_assembly.gif").string();
  tarvek::bench::QuietPrompts prompts;
  for (auto _ : state) {
    // The call deletes its frames, so they are written again, untimed.
    state.PauseTiming();
    for (const std::string& frame : frames)
      std::ofstream(frame, std::ios::binary) << bytes;
    state.ResumeTiming();
    if (!tarvek::makeAnimatedGIF(frames, output, 250, prompts))
      state.SkipWithError("the GIF was not written");
  }
  std::filesystem::remove(output);
  state.counters["per_frame"] = tarvek::bench::timePer(kFrames);
  state.counters["per_megapixel"] =
      tarvek::bench::timePer(kFrames * static_cast<double>(width) * height / 1e6);
  state.counters["peak_MB"] = peakResidentMegabytes();
}
BENCHMARK(BM_MakeAnimatedGif)->Args({320, 240})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
