// The Special builders' multi-wall tube through the main window and the
// multi-layer graphene file writer. Time per atom should stay about level:
// 20 walls within 1.5x of 1 wall, and the file from 10^4 to 10^6 atoms (the
// builder rebuilds each wall; the writer formats each atom line once).

#include "bench_window.h"
#include "scene/scene_object.h"
#include "shell/multilayer_graphene.h"

#include <QLineEdit>

#include <filesystem>

namespace tarvek::bench {
namespace {

// Walls of 100 Å from (10,0), steps 5 and 0, over the recording GL.
void BM_multiWallTube(benchmark::State& state)
{
  BenchWindow window(state);
  Form1& form = window.form();
  form.tf[4]->setText(QString::number(state.range(3)));
  form.tf[5]->setText(QStringLiteral("5"));
  form.tf[13]->setText(QStringLiteral("0"));
  for (auto _ : state) {
    window.gl().clear();
    form.CALCULATE(true);
  }
  const double atoms = form.scene().drawnAtomCount;
  state.counters["atoms"] = atoms;
  state.counters["ns_per_atom"] = benchmark::Counter(
      atoms * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_multiWallTube)
    ->ArgNames({"n", "armchair", "length", "walls"})
    ->Args({10, 0, 100, 1})
    ->Args({10, 0, 100, 5})
    ->Args({10, 0, 100, 20})
    ->Unit(benchmark::kMillisecond);

// 100 x 100 Å layers of 3,854 atoms: 3, 26 and 260 layers.
void BM_writeMultiLayerGraphene(benchmark::State& state)
{
  GrapheneLayers layers;
  layers.width = 100.0f;
  layers.height = 100.0f;
  layers.layers = static_cast<float>(state.range(0));
  const auto path = std::filesystem::temp_directory_path() / "tarvek_bench_layers.txt";
  NeverAbort abort;
  std::int64_t atoms = 0;
  for (auto _ : state)
    atoms = writeMultiLayerGraphene(layers, 1.421f, path.string(), abort, false).value_or(0);
  std::filesystem::remove(path);
  state.counters["atoms"] = static_cast<double>(atoms);
  state.counters["ns_per_atom"] =
      benchmark::Counter(static_cast<double>(atoms) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_writeMultiLayerGraphene)
    ->ArgName("layers")
    ->Arg(3)
    ->Arg(26)
    ->Arg(260)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarvek::bench

int main(int argc, char** argv)
{
  return tarvek::bench::runWindowBenchmarks(argc, argv);
}
