// What writing a POV-Ray scene costs, on a synthetic tube of 10^4 to 10^6
// atoms (rings of 100 atoms, each bonded to its ring and axial neighbours,
// about 2 bonds per atom):
//
//   arrays: one atom list, written from the model arrays;
//   body:   the same atoms compiled as ten lists, written from the scene
//           files;
//   plain:  the body path's bytes written as they are, the ceiling.
//
// Reports bytes per second and file bytes per atom, on wall time: the body
// path makes its lines on worker threads, and every save waits for the disk.
// The output is streamed, so time per atom should hold within 1.5x from 10^4
// to 10^6 atoms on both paths. Rows report minor page faults per atom; the
// cold rows time one save of a new scene.
//
//   build/bench/povray_writer_bench

#include "bench_support.h"
#include "model/model.h"
#include "platform/clock.h"
#include "platform/temp_folder.h"
#include "runtime/atomic_file.h"
#include "runtime/file_util.h"
#include "recording_scene.h"
#include "scene/scene_object.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace tarvek;

class FixedClock : public Clock {
public:
  double seconds() override { return 0.0; }
  std::tm localDateTime() override { return std::tm{}; }
};

void writeScene(benchmark::State& state, int lists, bool plain)
{
  const std::int64_t atoms = state.range(0);
  TempFolder temp;
  Model model;
  FixedClock clock;
  bench::RecordingScene recording(model, temp.path("tmp.xyz"), temp.path("tmp.zyx"));
  CXXX& scene = recording.scene;
  if (lists == 1)
    bench::ringTube(model, atoms);
  else
    recording.recordRingTubeLists(model, atoms, lists);
  const std::string target = temp.path("scene.pov");
  const bench::MinorFaults faults;
  if (plain) {
    scene.POVRAY(target, 0.5f, 0.25f, 0.5f, 0.0f, 0.005f, 0.0f, "bench", clock);
    const std::string bytes = readFileText(target);
    for (auto _ : state) {
      if (!writeFileAtomic(target, bytes))
        state.SkipWithError("write failed");
    }
  } else {
    for (auto _ : state)
      scene.POVRAY(target, 0.5f, 0.25f, 0.5f, 0.0f, 0.005f, 0.0f, "bench", clock);
  }
  faults.report(state, static_cast<double>(atoms));
  const auto bytes = static_cast<double>(std::filesystem::file_size(target));
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
  state.counters["bytes_per_atom"] = bytes / static_cast<double>(atoms);
  state.counters["time_per_atom"] = bench::timePer(static_cast<double>(atoms));
}

void BM_ArrayPath(benchmark::State& state) { writeScene(state, 1, false); }
void BM_BodyPath(benchmark::State& state) { writeScene(state, 10, false); }
// The body path's bytes written as they are: the ceiling.
void BM_PlainBodyBytes(benchmark::State& state) { writeScene(state, 10, true); }

BENCHMARK(BM_ArrayPath)->Apply(bench::decadeSizes)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BodyPath)->Apply(bench::decadeSizes)->UseRealTime()->Unit(benchmark::kMillisecond);
void BM_ArrayPathCold(benchmark::State& state) { writeScene(state, 1, false); }
BENCHMARK(BM_ArrayPathCold)->Apply(bench::coldDecadeSizes)->UseRealTime();
void BM_BodyPathCold(benchmark::State& state) { writeScene(state, 10, false); }
BENCHMARK(BM_BodyPathCold)->Apply(bench::coldDecadeSizes)->UseRealTime();
BENCHMARK(BM_PlainBodyBytes)
    ->Apply(bench::decadeSizes)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
