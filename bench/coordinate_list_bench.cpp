// The coordinate list at 10^4 to 10^6 atoms: rows from the model and from a
// scene atom file, the copied text and the saved table. Time per row should
// hold flat across sizes (10^6 within 1.5x of 10^4); bytes per held row stay
// near 18. The list model's cells for the 40 rows at the end of a 10^6-row
// list cost what the first 40 cost: no per-row work before a cell is shown.
//
//   build/bench/coordinate_list_bench

#include "bench_support.h"
#include "scene/scene_files.h"
#include "shell/coordinate_list.h"
#include "shell/coordinate_rows.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace tarvek;

Model tubeModel(std::int64_t atoms)
{
  Model model;
  model.structureKind = 1;
  bench::ringTube(model, atoms);
  return model;
}

XyzRowSource modelSource(const Model& model)
{
  return {model, "C", "C", 1, false, {}};
}

void rowsFromModel(benchmark::State& state)
{
  const Model model = tubeModel(state.range(0));
  std::size_t held = 0;
  for (auto _ : state) {
    const XyzRows rows = buildXyzRows(modelSource(model));
    held = rows.heldBytes();
    benchmark::DoNotOptimize(held);
  }
  state.counters["per_row"] = bench::timePer(static_cast<double>(state.range(0)));
  state.counters["bytes_per_row"] =
      static_cast<double>(held) / static_cast<double>(state.range(0));
}
BENCHMARK(rowsFromModel)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond);

void rowsFromSceneFile(benchmark::State& state)
{
  const Model model = tubeModel(state.range(0));
  const std::filesystem::path path = bench::scratchFile("coordinate_list_bench.xyz");
  {
    std::ofstream out(path, std::ios::binary);
    for (std::int32_t i = 0; i < model.atomCount; ++i)
      out << atomLine(model.atomX[i], model.atomY[i], model.atomZ[i], 3, i, 7) << "\r\n";
  }
  const XyzRowSource source{model, "C", "C", 2, false, path.string()};
  for (auto _ : state)
    benchmark::DoNotOptimize(buildXyzRows(source));
  state.counters["per_row"] = bench::timePer(static_cast<double>(state.range(0)));
  std::filesystem::remove(path);
}
BENCHMARK(rowsFromSceneFile)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond);

void copyText(benchmark::State& state)
{
  const XyzRows rows = buildXyzRows(modelSource(tubeModel(state.range(0))));
  for (auto _ : state)
    benchmark::DoNotOptimize(xyzTableText(rows));
  state.counters["per_row"] = bench::timePer(static_cast<double>(state.range(0)));
}
BENCHMARK(copyText)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond);

// Wall time: the save waits for fsync.
void tableFile(benchmark::State& state)
{
  const XyzRows rows = buildXyzRows(modelSource(tubeModel(state.range(0))));
  const std::filesystem::path path = bench::scratchFile("coordinate_list_bench.txt");
  for (auto _ : state)
    writeXyzTable(path.string(), rows, false);
  state.counters["per_row"] = bench::timePer(static_cast<double>(state.range(0)));
  std::filesystem::remove(path);
}
BENCHMARK(tableFile)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();

// The 40 rows a view shows, all five columns, at the start (0) or the end
// (1) of a 10^6-row list.
void modelCells(benchmark::State& state)
{
  constexpr int kRows = 1000000;
  XyzTableModel model;
  model.setRows(buildXyzRows(modelSource(tubeModel(kRows))));
  const int first = state.range(0) == 0 ? 0 : kRows - 40;
  for (auto _ : state)
    for (int r = first; r < first + 40; ++r)
      for (int c = 0; c < 5; ++c)
        benchmark::DoNotOptimize(model.data(model.index(r, c)));
  state.counters["per_cell"] = bench::timePer(200.0);
}
BENCHMARK(modelCells)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
