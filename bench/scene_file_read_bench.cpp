// What reading the scene files back costs: the atom file and the bond file of
// a synthetic tube of 10^4 to 10^6 atoms (compiled as ten lists, as the
// POV-Ray body path reads them), every line split and every field read as a
// number. Reports the files' bytes per second; time per atom should hold
// within 1.5x from 10^4 to 10^6 atoms.
//
//   build/bench/scene_file_read_bench

#include "bench_support.h"
#include "model/model.h"
#include "platform/temp_folder.h"
#include "scene/scene_files.h"
#include "recording_scene.h"
#include "scene/scene_object.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace tarvek;

// Every field of every line of one scene file, summed so nothing is skipped.
double readAll(const std::string& path)
{
  SceneFileReader reader(path);
  SceneFields fields;
  double sum = 0.0;
  while (reader.next(fields))
    for (std::size_t i = 0; i < fields.size(); ++i)
      sum += reader.value(fields, i);
  if (!reader.status())
    throw SceneError(reader.status().error());
  return sum;
}

void BM_SceneFileRead(benchmark::State& state)
{
  constexpr int kLists = 10;
  const std::int64_t atoms = state.range(0);
  TempFolder temp;
  Model model;
  const std::string atomFile = temp.path("tmp.xyz");
  const std::string bondFile = temp.path("tmp.zyx");
  bench::RecordingScene recording(model, atomFile, bondFile);
  recording.recordRingTubeLists(model, atoms, kLists);
  for (auto _ : state) {
    benchmark::DoNotOptimize(readAll(atomFile));
    benchmark::DoNotOptimize(readAll(bondFile));
  }
  const auto bytes =
      static_cast<double>(std::filesystem::file_size(atomFile) + std::filesystem::file_size(bondFile));
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
  state.counters["bytes_per_atom"] = bytes / static_cast<double>(atoms);
  state.counters["time_per_atom"] = bench::timePer(static_cast<double>(atoms));
}

BENCHMARK(BM_SceneFileRead)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond);

} // namespace
