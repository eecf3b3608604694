// What writing a POV-Ray scene costs, on a synthetic tube of 10^4 to 10^6
// atoms (rings of 100 atoms, each bonded to its ring and axial neighbours,
// about 2 bonds per atom):
//
//   arrays: one atom list, written from the model arrays;
//   body:   the same atoms compiled as ten lists, written from the scene
//           files.
//
// Reports bytes per second and file bytes per atom. The output is streamed,
// so time per atom should hold within 1.5x from 10^4 to 10^6 atoms on both
// paths.
//
//   build/bench/povray_writer_bench

#include "model/display_settings.h"
#include "model/model.h"
#include "platform/abort.h"
#include "platform/clock.h"
#include "platform/temp_folder.h"
#include "scene/gl_recording.h"
#include "scene/scene_object.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

namespace {

using namespace tarvek;

class NeverAbort : public AbortToken, public EventPump {
public:
  void clearEscape() override {}
  bool escapePressed() override { return false; }
  void pumpEvents() override {}
};

class FixedClock : public Clock {
public:
  double seconds() override { return 0.0; }
  std::tm localDateTime() override { return std::tm{}; }
};

constexpr int kRing = 100;

// A tube of the given atom count whose rings start at ring firstRing.
void makeTube(Model& model, std::int64_t atoms, int firstRing)
{
  model.atomX.clear();
  model.atomY.clear();
  model.atomZ.clear();
  model.atomType.clear();
  model.bondAtom1.clear();
  model.bondAtom2.clear();
  model.structureKind = 1;
  model.covalentRadius[6] = 0.77f;
  const int rings = static_cast<int>(atoms / kRing);
  const double radius = kRing * 1.42 / (2 * 3.141592654);
  for (int r = 0; r < rings; ++r) {
    for (int k = 0; k < kRing; ++k) {
      const double phi = 2 * 3.141592654 * k / kRing;
      model.atomX.push_back(static_cast<float>(radius * std::cos(phi)));
      model.atomY.push_back(static_cast<float>(radius * std::sin(phi)));
      model.atomZ.push_back(static_cast<float>(1.23 * (firstRing + r)));
      model.atomType.push_back(3);
    }
  }
  model.atomCount = rings * kRing;
  for (int r = 0; r < rings; ++r) {
    for (int k = 0; k < kRing; ++k) {
      const int a = r * kRing + k;
      model.bondAtom1.push_back(k + 1 < kRing ? a : r * kRing);
      model.bondAtom2.push_back(k + 1 < kRing ? a + 1 : a);
      if (r + 1 < rings) {
        model.bondAtom1.push_back(a);
        model.bondAtom2.push_back(a + kRing);
      }
    }
  }
  model.bondCount = static_cast<std::int32_t>(model.bondAtom1.size());
}

void writeScene(benchmark::State& state, int lists)
{
  const std::int64_t atoms = state.range(0);
  TempFolder temp;
  Model model;
  DisplaySettings display;
  Preferences preferences;
  NeverAbort abort;
  RecordingGl gl;
  RecordingContext context;
  // Records only: the lists are never compiled into GL.
  context.available = false;
  FixedClock clock;
  CXXX scene(model, display, preferences, abort, abort, gl, context, temp.path("tmp.xyz"),
             temp.path("tmp.zyx"));
  if (lists == 1) {
    makeTube(model, atoms, 0);
  } else {
    const std::int64_t part = atoms / lists;
    for (int i = 0; i < lists; ++i) {
      makeTube(model, part, i * static_cast<int>(part / kRing));
      scene.setAtomData();
      scene.setBondData();
    }
  }
  const std::string target = temp.path("scene.pov");
  for (auto _ : state)
    scene.POVRAY(target, 0.5f, 0.25f, 0.5f, 0.0f, 0.005f, 0.0f, "bench", clock);
  const auto bytes = static_cast<double>(std::filesystem::file_size(target));
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
  state.counters["bytes_per_atom"] = bytes / static_cast<double>(atoms);
  state.counters["time_per_atom"] = benchmark::Counter(static_cast<double>(atoms),
                                                       benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

void BM_ArrayPath(benchmark::State& state) { writeScene(state, 1); }
void BM_BodyPath(benchmark::State& state) { writeScene(state, 10); }

BENCHMARK(BM_ArrayPath)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BodyPath)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace
