// Tube building cost by atom count. Rolling and the unit-cell generator
// should cost about the same per atom at 10^4 and 10^6 atoms; the last row
// is a whole (100,100) tube of 250 Å with its bonds. Every row reports minor
// page faults per atom; the cold rows time one build of a new model.
//
//   build/bench/tube_bench

#include "bench_support.h"
#include "model/model.h"
#include "model/tube_builder.h"
#include "model/tube_unit_cell.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using tarvek::Model;
using tarvek::bench::NeverAbort;
using tarvek::bench::QuietPrompts;

constexpr float kA = 1.42f;
// Atoms per Å² of graphene: four in a cell of sqrt(3)·a by 3a.
const double kSheetDensity = 4.0 / (3.0 * std::sqrt(3.0) * kA * kA);

// Rolled tube of about state.range(2) atoms, bond search left out (the
// parts flag makes the search keep the bond list as it is).
void rolledTube(benchmark::State& state)
{
  const auto n = static_cast<std::int16_t>(state.range(0));
  const auto m = static_cast<std::int16_t>(state.range(1));
  const double circumference = tarvek::tubeSizes(n, m, kA).circumference;
  const auto length =
      static_cast<float>(static_cast<double>(state.range(2)) / (kSheetDensity * circumference));
  QuietPrompts prompts;
  NeverAbort abort;
  Model model;
  model.structureKind = 1;
  model.partsFlag = true;
  const tarvek::bench::MinorFaults faults;
  for (auto _ : state) {
    tarvek::buildTubes(model, n, m, length, kA, prompts, abort);
    benchmark::DoNotOptimize(model.atomX.data());
  }
  faults.report(state, model.atomCount);
  state.SetComplexityN(model.atomCount);
  state.counters["atoms"] = model.atomCount;
  state.counters["per_atom"] = tarvek::bench::timePer(model.atomCount);
}

// Unit-cell tube of state.range(2) cells.
void unitCellTube(benchmark::State& state)
{
  const auto n = static_cast<std::int32_t>(state.range(0));
  const auto m = static_cast<std::int32_t>(state.range(1));
  const auto cells = static_cast<std::int32_t>(state.range(2));
  Model model;
  const tarvek::bench::MinorFaults faults;
  for (auto _ : state) {
    tarvek::buildTubeUnitCell(model, n, m, cells, kA);
    benchmark::DoNotOptimize(model.atomX.data());
  }
  faults.report(state, model.atomCount);
  state.SetComplexityN(model.atomCount);
  state.counters["atoms"] = model.atomCount;
  state.counters["per_atom"] = tarvek::bench::timePer(model.atomCount);
}

void wholeTubeWithBonds(benchmark::State& state)
{
  QuietPrompts prompts;
  NeverAbort abort;
  Model model;
  model.structureKind = 1;
  const tarvek::bench::MinorFaults faults;
  for (auto _ : state) {
    tarvek::buildTubes(model, 100, 100, 250.0f, kA, prompts, abort);
    benchmark::DoNotOptimize(model.bondAtom1.data());
  }
  faults.report(state, model.atomCount);
  state.counters["atoms"] = model.atomCount;
  state.counters["bonds"] = model.bondCount;
}

// Rows of the (n,m) tube at first, 10·first and 100·first, fitted to a cost
// linear in the atoms.
void decades(benchmark::internal::Benchmark* bench, std::int64_t n, std::int64_t m,
             std::int64_t first)
{
  for (std::int64_t size = first; size <= 100 * first; size *= 10)
    bench->Args({n, m, size});
  bench->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(rolledTube)->Apply([](auto* bench) { decades(bench, 100, 100, 10'000); });
BENCHMARK(rolledTube)->Apply([](auto* bench) { decades(bench, 60, 30, 10'000); });
// 400 atoms per cell of (100,100), 840 of (60,30).
BENCHMARK(unitCellTube)->Apply([](auto* bench) { decades(bench, 100, 100, 25); });
BENCHMARK(unitCellTube)->Apply([](auto* bench) { decades(bench, 60, 30, 12); });
BENCHMARK(wholeTubeWithBonds)->Unit(benchmark::kMillisecond);
// First builds of a new model: (60,30) at 10^4 to 10^6 atoms, rolled.
void rolledTubeCold(benchmark::State& state) { rolledTube(state); }
BENCHMARK(rolledTubeCold)->Apply([](auto* bench) {
  bench->Args({60, 30, 10'000})->Args({60, 30, 100'000})->Args({60, 30, 1'000'000});
  bench->Iterations(1)->Unit(benchmark::kMillisecond)->Setup(tarvek::bench::startCold);
});
