// Structure files of a synthetic grid (spacing 1.42 Å, bonds to the +x and
// +y neighbours) at 10^4 to 10^6 atoms (MLM, whose IDs end at 9999: 10^3 and
// 9,999). MB/s should stay flat across sizes, and the LF plus decimal-comma
// runs match the default ones: the sink does both in its one pass. The plain
// write of the same bytes is the ceiling. Wall time: the saves wait for
// fsync. VRML 2.0 of 10^6 atoms is about 600 MB. Rows report minor page
// faults per atom; the cold rows time one save of a new structure.

#include "bench_support.h"
#include "formats/structure_writers.h"
#include "platform/temp_folder.h"
#include "runtime/atomic_file.h"
#include "runtime/file_util.h"
#include "recording_scene.h"
#include "scene/scene_object.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>

namespace {

using namespace tarvek;
using bench::QuietPrompts;

Model gridModel(std::int32_t atoms)
{
  Model m;
  m.structureKind = 1;
  const auto side = static_cast<std::int32_t>(std::ceil(std::sqrt(double(atoms))));
  for (std::int32_t i = 0; i < atoms; ++i) {
    m.atomX.push_back(1.42f * float(i % side));
    m.atomY.push_back(1.42f * float(i / side));
    m.atomZ.push_back(0.0f);
    m.atomType.push_back(3);
    if ((i + 1) % side != 0 && i + 1 < atoms) {
      m.bondAtom1.push_back(i);
      m.bondAtom2.push_back(i + 1);
    }
    if (i + side < atoms) {
      m.bondAtom1.push_back(i);
      m.bondAtom2.push_back(i + side);
    }
  }
  m.atomCount = atoms;
  m.bondCount = static_cast<std::int32_t>(m.bondAtom1.size());
  return m;
}

template <void (*Write)(const ExportContext&, const std::string&)>
void writerBench(benchmark::State& state, bool lfAndComma)
{
  const Model model = gridModel(static_cast<std::int32_t>(state.range(0)));
  QuietPrompts prompts;
  ExportContext ctx{.model = model, .prompts = prompts};
  ctx.lfLineEnds = lfAndComma;
  ctx.decimalComma = lfAndComma;
  ctx.createdText = "10,12,2026 14:00";
  TempFolder folder;
  const std::string path = folder.path("out.txt");
  const bench::MinorFaults faults;
  for (auto _ : state)
    Write(ctx, path);
  faults.report(state, static_cast<double>(state.range(0)));
  state.counters["time_per_atom"] = bench::timePer(static_cast<double>(state.range(0)));
  state.SetBytesProcessed(state.iterations()
                          * static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

// VRML 2.0 through a scene that was never compiled: the model path.
void writeVrml2(const ExportContext& ctx, const std::string& path)
{
  const bench::RecordingScene recording(ctx.model, path + ".xyz", path + ".zyx");
  exportVRML(ctx, {recording.display, recording.preferences, recording.scene}, path,
             VrmlVersion::Vrml2);
}

void BM_Xmol(benchmark::State& state) { writerBench<exportXMOL>(state, false); }
void BM_XmolLfComma(benchmark::State& state) { writerBench<exportXMOL>(state, true); }
void BM_Pdb(benchmark::State& state) { writerBench<exportPDB>(state, false); }
void BM_PdbLfComma(benchmark::State& state) { writerBench<exportPDB>(state, true); }

template <void (*Write)(const ExportContext&, const std::string&)>
void plainBench(benchmark::State& state)
{
  const Model model = gridModel(static_cast<std::int32_t>(state.range(0)));
  QuietPrompts prompts;
  const ExportContext ctx{.model = model, .prompts = prompts};
  TempFolder folder;
  const std::string path = folder.path("out.txt");
  Write(ctx, path);
  const std::string bytes = readFileText(path);
  for (auto _ : state) {
    if (!writeFileAtomic(path, bytes))
      state.SkipWithError("write failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void BM_PlainXmolBytes(benchmark::State& state) { plainBench<exportXMOL>(state); }
void BM_PlainPdbBytes(benchmark::State& state) { plainBench<exportPDB>(state); }

void BM_Cif(benchmark::State& state) { writerBench<exportCIF>(state, false); }
void BM_CifLfComma(benchmark::State& state) { writerBench<exportCIF>(state, true); }
void BM_PlainCifBytes(benchmark::State& state) { plainBench<exportCIF>(state); }
void BM_Vrml2(benchmark::State& state) { writerBench<writeVrml2>(state, false); }
void BM_Vrml2LfComma(benchmark::State& state) { writerBench<writeVrml2>(state, true); }
void BM_PlainVrml2Bytes(benchmark::State& state) { plainBench<writeVrml2>(state); }
void BM_Mlm(benchmark::State& state) { writerBench<exportMLM>(state, false); }
void BM_MlmLfComma(benchmark::State& state) { writerBench<exportMLM>(state, true); }
void BM_PlainMlmBytes(benchmark::State& state) { plainBench<exportMLM>(state); }

void mlmSizes(benchmark::internal::Benchmark* bench) { bench->Arg(1000)->Arg(9999); }

BENCHMARK(BM_Xmol)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_XmolCold(benchmark::State& state) { BM_Xmol(state); }
BENCHMARK(BM_XmolCold)->Apply(bench::coldDecadeSizes)->UseRealTime();
BENCHMARK(BM_XmolLfComma)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainXmolBytes)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Pdb)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_PdbCold(benchmark::State& state) { BM_Pdb(state); }
BENCHMARK(BM_PdbCold)->Apply(bench::coldDecadeSizes)->UseRealTime();
BENCHMARK(BM_PdbLfComma)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainPdbBytes)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Cif)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CifLfComma)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainCifBytes)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Vrml2)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Vrml2LfComma)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainVrml2Bytes)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Mlm)->Apply(mlmSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MlmLfComma)->Apply(mlmSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainMlmBytes)->Apply(mlmSizes)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
