// XY point files: writing and reading back 10^4 to 10^6 points. Time per
// point should stay flat across the sizes. Wall time: the save waits for
// fsync.

#include "bench_support.h"
#include "imaging/xy_file.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace tarvek;

// A hexagonal-ish grid of digitiser points, some with a half pixel.
std::vector<XYPoint> gridPoints(std::size_t count)
{
  std::vector<XYPoint> points;
  points.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const auto row = static_cast<float>(i / 1000);
    const auto column = static_cast<float>(i % 1000);
    points.push_back({column * 12.0f + (i / 1000 % 2 ? 6.5f : 0.0f), row * 10.5f});
  }
  return points;
}

void BM_WriteXYFile(benchmark::State& state)
{
  const auto points = gridPoints(static_cast<std::size_t>(state.range(0)));
  const std::string path = bench::scratchFile("write.xy").string();
  for (auto _ : state) {
    if (!writeXYFile(path, points, false))
      state.SkipWithError("save failed");
  }
  std::filesystem::remove(path);
  state.counters["per point"] = bench::timePer(static_cast<double>(points.size()));
}
BENCHMARK(BM_WriteXYFile)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadXYFile(benchmark::State& state)
{
  const auto points = gridPoints(static_cast<std::size_t>(state.range(0)));
  const std::string path = bench::scratchFile("read.xy").string();
  if (!writeXYFile(path, points, false))
    state.SkipWithError("save failed");
  for (auto _ : state) {
    const XYReadResult result = readXYPoints(path);
    if (result.points.size() != points.size())
      state.SkipWithError("points lost");
    benchmark::DoNotOptimize(result.points.data());
  }
  std::filesystem::remove(path);
  state.counters["per point"] = bench::timePer(static_cast<double>(points.size()));
}
BENCHMARK(BM_ReadXYFile)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
