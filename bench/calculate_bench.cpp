// The calculate command from the parameter fields to the status texts, over
// the view stand-in and a recording GL (run with QT_QPA_PLATFORM=offscreen).
// Atoms per second should stay about level from the middle size to the
// largest: the builders and the bond search are linear in the atom count.

#include "bench_window.h"
#include "scene/scene_object.h"

#include <QLabel>

namespace tarvek::bench {
namespace {

void BM_calculate(benchmark::State& state)
{
  BenchWindow window(state);
  Form1& form = window.form();
  for (auto _ : state) {
    window.gl().clear();
    form.CALCULATE(true);
    benchmark::DoNotOptimize(form.stbPanel[2]->text());
  }
  const double atoms = form.scene().drawnAtomCount;
  state.counters["atoms"] = atoms;
  state.counters["atoms_per_s"] =
      benchmark::Counter(atoms * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_calculate)->Apply(windowTubeRows)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarvek::bench

int main(int argc, char** argv)
{
  return tarvek::bench::runWindowBenchmarks(argc, argv);
}
