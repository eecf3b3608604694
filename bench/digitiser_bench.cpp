// One drag step of the manual assembly (dragDisc with its resolveOverlaps)
// on graphene sheets of about 1,000, 4,000 and 16,000 discs, the dragged
// disc pushed into its neighbour. The pass visits every pair once, so the
// time per pair should hold flat across the sizes: what a large "Reuse Sheet
// Data" costs per mouse move.

#include "bench_support.h"
#include "imaging/disc_markers.h"
#include "runtime/random_source.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

namespace {

using namespace tarvek;

void BM_DragStep(benchmark::State& state)
{
  RandomSource random;
  DiscAssembly assembly(random);
  assembly.setArea(4000, 3000);
  // About 0.33 discs per square ångström, 4 wide to 3 high.
  const double side = std::sqrt(static_cast<double>(state.range(0)) / 0.327 / 12.0);
  assembly.makeGrapheneSheet(static_cast<float>(4 * side), static_cast<float>(3 * side), 15.0f,
                             1.42f);
  const std::vector<clBALL> start = assembly.discs;
  // Disc 0 at (15, 15) moved 10 px towards disc 2 at (15, 48).
  for (auto _ : state) {
    assembly.discs = start;
    assembly.pickOrAddDisc(15.0f, 15.0f);
    assembly.dragDisc(15.0f, 25.0f);
    if (assembly.discs[2].y < 54.0f)
      state.SkipWithError("the neighbour was not pushed");
    benchmark::DoNotOptimize(assembly.discs.data());
  }
  const double n = static_cast<double>(start.size());
  state.counters["discs"] = n;
  state.counters["per step"] = bench::timePer(1);
  state.counters["per pair"] = bench::timePer(n * (n - 1) / 2);
}
BENCHMARK(BM_DragStep)->Arg(1'000)->Arg(4'000)->Arg(16'000)->Unit(benchmark::kMillisecond);

} // namespace
