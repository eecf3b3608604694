// Capped-tube presets at 25, 250 and 999 Å with both caps. The merge of the
// half-C60 caps (55, 90) and of the (10,0) cap runs over all atom pairs, so
// those rows grow with the square of the length; at 999 Å (about 9,400
// atoms for (10,0)) they should stay under a second. The stored caps of
// (6,6), (10,10) and (11,11) add a fixed number of atoms and grow linearly.
// The bond search is left out (the parts flag keeps the bond list).
//
//   build/bench/cap_bench

#include "bench_support.h"
#include "model/model.h"
#include "model/tube_builder.h"

#include <benchmark/benchmark.h>

namespace {

using tarvek::Model;
using tarvek::bench::NeverAbort;
using tarvek::bench::QuietPrompts;

// state.range(0): cap code, state.range(1): length in Å.
void cappedTube(benchmark::State& state)
{
  QuietPrompts prompts;
  NeverAbort abort;
  Model model;
  model.structureKind = 1;
  model.partsFlag = true;
  model.tubeVariant = static_cast<std::int16_t>(state.range(0));
  for (auto _ : state) {
    tarvek::buildTubes(model, 1, 0, static_cast<float>(state.range(1)), 1.42f, prompts, abort);
    benchmark::DoNotOptimize(model.atomCount);
  }
  state.counters["atoms"] = model.atomCount;
}

BENCHMARK(cappedTube)
    ->ArgsProduct({{55, 90, 100, 66, 1010, 1111}, {25, 250, 999}})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
