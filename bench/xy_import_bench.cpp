// The XY import without the scene at 10^4 to 10^6 points of a honeycomb
// (bond length 1.3 in the file's units): reading the file, the checks with
// the scale analysis, and the sheet build with its bond search. Time per
// point should hold flat across sizes (10^6 within 2x of 10^4).
//
//   build/bench/xy_import_bench

#include "bench_support.h"
#include "imaging/xy_file.h"
#include "model/model.h"
#include "runtime/runtime_error.h"
#include "shell/xy_import.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

namespace {

using namespace tarvek;

// A roughly square honeycomb of n points, rows of two-atom cells.
std::vector<XYPoint> honeycomb(std::int64_t n)
{
  const double a = 1.3;
  const double h = a * std::sqrt(3.0);
  const auto side = static_cast<std::int64_t>(std::ceil(std::sqrt(n / 2.0)));
  std::vector<XYPoint> points;
  points.reserve(static_cast<std::size_t>(n));
  for (std::int64_t j = 0; static_cast<std::int64_t>(points.size()) < n; ++j)
    for (std::int64_t i = 0; i < side && static_cast<std::int64_t>(points.size()) < n; ++i) {
      const auto x = static_cast<float>(i * h + (j % 2) * h / 2);
      const auto y = static_cast<float>(j * 1.5 * a);
      points.push_back({x, y});
      if (static_cast<std::int64_t>(points.size()) < n)
        points.push_back({x, static_cast<float>(y + a)});
    }
  return points;
}

void xyRead(benchmark::State& state)
{
  const std::filesystem::path path = bench::scratchFile("xy_import_bench.xy");
  const FileStatus written = writeXYFile(path.string(), honeycomb(state.range(0)), false);
  if (!written) {
    state.SkipWithError(written.error().c_str());
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(readXYPoints(path.string()));
  state.counters["per_point"] = bench::timePer(static_cast<double>(state.range(0)));
  std::filesystem::remove(path);
}
BENCHMARK(xyRead)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond);

void xyCheckAndAnalyse(benchmark::State& state)
{
  const XYSheet sheet = sheetOf(honeycomb(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(checkXYSheet("bench.xy", sheet));
  state.counters["per_point"] = bench::timePer(static_cast<double>(state.range(0)));
}
BENCHMARK(xyCheckAndAnalyse)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond);

// 200,000 lines of "0 0": the repeat is found before any distance search.
void xyCheckOnePlace(benchmark::State& state)
{
  const XYSheet sheet = sheetOf(std::vector<XYPoint>(200000, XYPoint{0.0f, 0.0f}));
  for (auto _ : state) {
    try {
      checkXYSheet("bench.xy", sheet);
      state.SkipWithError("the repeated point was not refused");
    } catch (const RuntimeError& e) {
      benchmark::DoNotOptimize(e.what());
    }
  }
}
BENCHMARK(xyCheckOnePlace)->Unit(benchmark::kMillisecond);

void xyBuild(benchmark::State& state)
{
  const XYSheet sheet = sheetOf(honeycomb(state.range(0)));
  const XYScale scale = checkXYSheet("bench.xy", sheet);
  bench::QuietPrompts prompts;
  bench::NeverAbort abort;
  Model model;
  model.structureKind = 2;
  for (auto _ : state) {
    buildFromXYData(model, sheet, scale, {10, 0, 25.0f, 1.421f}, prompts, abort);
    benchmark::DoNotOptimize(model.bondCount);
  }
  state.counters["per_point"] = bench::timePer(static_cast<double>(state.range(0)));
}
BENCHMARK(xyBuild)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond);

} // namespace
