// Structure files of a synthetic grid (spacing 1.42 Å, bonds to the +x and
// +y neighbours) at 10^4 to 10^6 atoms. MB/s should stay flat across sizes,
// and the LF plus decimal-comma runs match the default ones: the sink does
// both in its one pass. The plain write of the same bytes is the ceiling.
// Wall time: the saves wait for fsync.

#include "formats/structure_writers.h"
#include "runtime/atomic_file.h"
#include "runtime/file_util.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace {

using namespace tarvek;

class BenchFolder {
public:
  BenchFolder()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvek-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("cannot create a folder for the benchmark files");
    m_path = pattern;
  }
  ~BenchFolder()
  {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  std::string file(const char* name) const { return (m_path / name).string(); }

private:
  std::filesystem::path m_path;
};

// Answers every question with the default and Yes.
class QuietPrompts : public Prompts {
public:
  void message(const std::string&, const std::string&, MessageIcon) override {}
  bool yesNo(const std::string&, const std::string&, MessageIcon) override { return true; }
  std::optional<std::string> input(const std::string&, const std::string&,
                                   const std::string& defaultText) override
  {
    return defaultText;
  }
  void beep() override {}
  void beginWait() override {}
  void endWait() override {}
};

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
  BenchFolder folder;
  const std::string path = folder.file("out.txt");
  for (auto _ : state)
    Write(ctx, path);
  state.SetBytesProcessed(state.iterations()
                          * static_cast<std::int64_t>(std::filesystem::file_size(path)));
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
  BenchFolder folder;
  const std::string path = folder.file("out.txt");
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

BENCHMARK(BM_Xmol)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_XmolLfComma)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainXmolBytes)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Pdb)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PdbLfComma)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainPdbBytes)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
