// What framing the view costs, on the synthetic tube of 10^4 to 10^6 atoms
// (rings of 100 atoms, about 2 bonds per atom, bonds as cylinders):
//
//   measure: a new framing pose and the first eye distance in it, which
//            visits every point the lists draw;
//   resize:  the eye distance after the view's aspect changed, the pose
//            kept, as each step of a window resize asks for it.
//
//   build/bench/view_framing_bench

#include "bench_support.h"
#include "platform/temp_folder.h"
#include "recording_scene.h"
#include "scene/host_control.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarvek;

class SizedHost : public HostControl {
public:
  void Redraw() override {}
  void repaintNow() override {}
  float ViewWidth() const override { return width; }
  float ViewHeight() const override { return 600.0f; }
  void PressNotify() override {}
  void startAnimationTimer() override {}
  void stopAnimationTimer() override {}
  void setOwnsProjection(bool) override {}
  bool ownsProjection() const override { return true; }

  float width = 800.0f;
};

void frame(benchmark::State& state, bool resize)
{
  const std::int64_t atoms = state.range(0);
  TempFolder temp;
  Model model;
  bench::RecordingScene recording(model, temp.path("tmp.xyz"), temp.path("tmp.zyx"));
  CXXX& scene = recording.scene;
  SizedHost host;
  scene.attachHost(host);
  recording.recordRingTubeLists(model, atoms, 1);
  scene.zoomReset(1);
  benchmark::DoNotOptimize(scene.viewDepth());
  for (auto _ : state) {
    if (resize)
      host.width = host.width == 800.0f ? 900.0f : 800.0f;
    else
      scene.zoomReset(1);
    benchmark::DoNotOptimize(scene.viewDepth());
  }
  state.counters["time_per_atom"] = bench::timePer(static_cast<double>(atoms));
}

void BM_Measure(benchmark::State& state) { frame(state, false); }
void BM_Resize(benchmark::State& state) { frame(state, true); }

BENCHMARK(BM_Measure)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resize)->Apply(bench::decadeSizes)->Unit(benchmark::kNanosecond);

} // namespace

BENCHMARK_MAIN();
