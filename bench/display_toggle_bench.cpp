// The display boxes and the atom-radius list through the main window, over
// the view stand-in and a recording GL (run with QT_QPA_PLATFORM=offscreen).
// Toggling "Atoms" only redraws, so its time should stay level from the
// smallest tube to the largest; a new atom radius compiles the scene again,
// so its time per atom should stay about level from the middle size up.

#include "bench_window.h"
#include "scene/scene_object.h"

#include <QCheckBox>
#include <QComboBox>

#include <functional>

namespace tarvek::bench {
namespace {

// Builds the tube of the benchmark's arguments in a shown main window, then
// times step.
void runOnTube(benchmark::State& state, const std::function<void(Form1&, bool)>& step)
{
  BenchWindow window(state);
  Form1& form = window.form();
  form.CALCULATE(true);
  bool odd = false;
  for (auto _ : state) {
    window.gl().clear();
    odd = !odd;
    step(form, odd);
  }
  const double atoms = form.scene().drawnAtomCount;
  state.counters["atoms"] = atoms;
  state.counters["s_per_atom"] = benchmark::Counter(
      atoms * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_toggleAtoms(benchmark::State& state)
{
  runOnTube(state, [](Form1& form, bool odd) { form.cbOP[0]->setChecked(!odd); });
}

void BM_atomRadius(benchmark::State& state)
{
  runOnTube(state, [](Form1& form, bool odd) { form.cmbRAD[0]->setCurrentIndex(odd ? 5 : 4); });
}

BENCHMARK(BM_toggleAtoms)->Apply(windowTubeRows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_atomRadius)->Apply(windowTubeRows)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarvek::bench

int main(int argc, char** argv)
{
  return tarvek::bench::runWindowBenchmarks(argc, argv);
}
