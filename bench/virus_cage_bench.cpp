// Icosahedral cages: the face lattice with its marked points, and the cage
// built from it, for T = 1, 25, 75 and 100 at their default steps. The cage's
// time per cage point should stay within 3x of T = 25 at T = 100 (the merge
// search over the points placed so far grows with the cage).

#include "bench_support.h"
#include "model/model.h"
#include "tools/icosahedral_cage.h"

#include <benchmark/benchmark.h>

namespace tarvek::bench {
namespace {

constexpr std::int32_t kWidth = 383;
constexpr std::int32_t kHeight = 308;

// List entries: (1,0), (5,0), (5,5), (10,0).
constexpr std::int32_t kEntries[] = {0, 14, 44, 60};

void BM_faceLayout(benchmark::State& state)
{
  const std::int32_t index = kEntries[state.range(0)];
  const TNumberEntry e = tNumberEntry(index);
  for (auto _ : state) {
    FaceData face = layoutFace(kWidth, kHeight, defaultSliderValue(index), e.h, e.k);
    benchmark::DoNotOptimize(face.markedCount);
  }
  state.counters["T"] = e.t;
}
BENCHMARK(BM_faceLayout)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_buildCageAtoms(benchmark::State& state)
{
  const std::int32_t index = kEntries[state.range(0)];
  const TNumberEntry e = tNumberEntry(index);
  const FaceData face = layoutFace(kWidth, kHeight, defaultSliderValue(index), e.h, e.k);
  const IcosahedralRotations rotations = getMatrices();
  QuietPrompts prompts;
  NeverAbort abort;
  Model model;
  model.structureKind = 8;
  for (auto _ : state)
    buildCageAtoms(model, face, rotations, CageOptions{}, prompts, abort, abort);
  const double points = model.atomCount - 12;
  state.counters["points"] = points;
  state.counters["ns_per_point"] = benchmark::Counter(
      points * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_buildCageAtoms)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarvek::bench
