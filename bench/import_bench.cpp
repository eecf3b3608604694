// The structure readers and the tube fit. Reading XYZ and XMOL files should
// hold its MB/s from 10^4 to 10^6 atoms; the fit on a flat sheet whose every
// atom lies in the central slab should hold its time per atom. Rows report
// minor page faults per atom, and the peak memory one read into a new model
// adds beyond the model (peak_beyond_model_MiB, measured in a forked child);
// the cold rows time one read into a new model, the others read once
// untimed first and then time reads of the file again, as a user who
// reloads it meets them.

#include "bench_support.h"
#include "formats/structure_readers.h"
#include "runtime/big_buffer.h"
#include "runtime/number_format.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace tarvek;

// Answers No: the XMOL read stops after the atoms, before fit and bonds.
class DeclinePrompts : public bench::QuietPrompts {
public:
  bool yesNo(const std::string&, const std::string&, MessageIcon) override { return false; }
};

// A graphene-like sheet of n atoms in the xy plane, as an XMOL/XYZ file.
std::string sheetFile(std::int64_t n, const char* name)
{
  const auto path = bench::scratchFile(name);
  std::ofstream out(path, std::ios::binary);
  const auto side = static_cast<std::int64_t>(std::ceil(std::sqrt(static_cast<double>(n))));
  out << std::to_string(n) << "\r\nsheet\r\n";
  for (std::int64_t i = 0; i < n; ++i) {
    const double x = 1.23 * static_cast<double>(i % side) + 0.61 * static_cast<double>(i / side % 2);
    const double y = 2.13 * static_cast<double>(i / side);
    out << "C " << Format(x, "0.000000") << ' ' << Format(y, "0.000000") << " 0.000000\r\n";
  }
  return path.string();
}

// A size line of /proc/self/status, KiB.
long statusKiB(const std::string& name)
{
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(name, 0) == 0)
      return std::stol(line.substr(name.size()));
  return 0;
}

// The most memory read(model, path) adds beyond the model it fills, MiB,
// in a forked child with a new model; -1 when the child says nothing.
template <typename Read>
double peakBeyondModel(const std::string& path, Read read)
{
  int channel[2];
  if (::pipe(channel) != 0)
    return -1.0;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    // Blocks kept for reuse are resident already: the read must map anew.
    releaseFreedBlocks();
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKiB("VmRSS:");
    Model model;
    read(model, path);
    const long modelKiB = (static_cast<long>(model.atomX.capacity()) * 3 * sizeof(float)
                           + static_cast<long>(model.atomType.capacity()) * 2)
                          / 1024;
    const long beyond = statusKiB("VmHWM:") - before - modelKiB;
    static_cast<void>(::write(channel[1], &beyond, sizeof beyond));
    ::_exit(0);
  }
  ::close(channel[1]);
  long beyond = -1024;
  if (child < 0 || ::read(channel[0], &beyond, sizeof beyond) != sizeof beyond)
    beyond = -1024;
  ::close(channel[0]);
  if (child > 0)
    ::waitpid(child, nullptr, 0);
  return static_cast<double>(beyond) / 1024.0;
}

// Times read(model, path) on a sheet of state.range(0) atoms in the file
// name; a warm row reads it once untimed first.
template <typename Read>
void importRows(benchmark::State& state, const char* name, bool warm, Read read)
{
  const std::string path = sheetFile(state.range(0), name);
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
  Model model;
  if (warm)
    read(model, path);
  const bench::MinorFaults faults;
  for (auto _ : state)
    benchmark::DoNotOptimize(read(model, path));
  faults.report(state, static_cast<double>(state.range(0)));
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["time_per_atom"] = bench::timePer(static_cast<double>(state.range(0)));
  state.counters["peak_beyond_model_MiB"] = peakBeyondModel(path, read);
  std::filesystem::remove(path);
}

ImportedStructure readXYZ(Model& model, const std::string& path)
{
  return importXYZ(model, path);
}

std::optional<XmolImport> readXMOL(Model& model, const std::string& path)
{
  DeclinePrompts prompts;
  bench::NeverAbort abort;
  return importCoordinates(model, path, false, false, prompts, abort);
}

void BM_ImportXYZ(benchmark::State& state) { importRows(state, "sheet.xyz", true, readXYZ); }
BENCHMARK(BM_ImportXYZ)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond);

void BM_ImportXYZCold(benchmark::State& state) { importRows(state, "sheet.xyz", false, readXYZ); }
BENCHMARK(BM_ImportXYZCold)->Apply(bench::coldDecadeSizes);

void BM_ImportXMOL(benchmark::State& state) { importRows(state, "sheet.xmol", true, readXMOL); }
BENCHMARK(BM_ImportXMOL)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond);

void BM_ImportXMOLCold(benchmark::State& state) { importRows(state, "sheet.xmol", false, readXMOL); }
BENCHMARK(BM_ImportXMOLCold)->Apply(bench::coldDecadeSizes);

// Every atom of the flat sheet lies in the slab, so the nearest-pair search
// sees them all.
void BM_FitFlatSheet(benchmark::State& state)
{
  const std::int64_t n = state.range(0);
  const auto side = static_cast<std::int64_t>(std::ceil(std::sqrt(static_cast<double>(n))));
  Model model;
  for (std::int64_t i = 0; i < n; ++i) {
    model.atomX.push_back(static_cast<float>(1.23 * static_cast<double>(i % side)));
    model.atomY.push_back(static_cast<float>(2.13 * static_cast<double>(i / side)));
    model.atomZ.push_back(0.0f);
    model.atomType.push_back(3);
  }
  model.atomCount = static_cast<std::int32_t>(n);
  for (auto _ : state)
    benchmark::DoNotOptimize(fitTubeAxis(model.atomSet(AtomSetId::Atom), {0.0, 0.0, 0.0}));
  state.counters["time/atom"] = bench::timePer(static_cast<double>(n));
}
BENCHMARK(BM_FitFlatSheet)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond);

// 200,000 atoms at one place on the axis: the nearest-pair search sees one
// place, not the square of the heap.
void BM_FitOnePlace(benchmark::State& state)
{
  Model model;
  const std::size_t n = 200000;
  model.atomX.assign(n, 0.0f);
  model.atomY.assign(n, 0.0f);
  model.atomZ.assign(n, 0.0f);
  model.atomType.assign(n, 3);
  model.atomCount = static_cast<std::int32_t>(n);
  for (auto _ : state)
    benchmark::DoNotOptimize(fitTubeAxis(model.atomSet(AtomSetId::Atom), {0.0, 0.0, 0.0}));
}
BENCHMARK(BM_FitOnePlace)->Unit(benchmark::kMillisecond);

} // namespace
