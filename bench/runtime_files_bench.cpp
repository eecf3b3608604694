// Text files at scene-file sizes: writing and reading back lines, and the two
// fix-ups. Time per line should stay flat from 10^4 to 10^6 lines, time per
// MB flat from 1 to 100 MB. Wall time: the saves wait for fsync.

#include "bench_support.h"
#include "platform/temp_folder.h"
#include "runtime/atomic_file.h"
#include "runtime/line_reader.h"
#include "runtime/number_parse.h"
#include "runtime/print_form.h"
#include "runtime/split.h"
#include "runtime/text_file_writer.h"
#include "runtime/text_fixups.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tarvek;

// A pool of scene-style lines (x, y, z, type, list index, radius in print
// zones) cycled through while writing, so formatting stays out of the
// measurement.
std::vector<std::string> sceneLines()
{
  std::mt19937 random(7);
  std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
  std::vector<std::string> lines;
  for (std::int32_t i = 0; i < 4096; ++i) {
    PrintLine line;
    line << coordinate(random) << coordinate(random) << coordinate(random)
         << static_cast<std::int16_t>(1 + i % 3) << i << 0.7f;
    lines.push_back(line.str());
  }
  return lines;
}

void BM_WriteAndReadSceneLines(benchmark::State& state)
{
  const auto count = static_cast<std::size_t>(state.range(0));
  const auto pool = sceneLines();
  TempFolder folder;
  const std::string path = folder.path("scene.dat");
  for (auto _ : state) {
    TextFileWriter writer(path);
    for (std::size_t i = 0; i < count; ++i)
      writer.writeLine(pool[i % pool.size()]);
    if (!writer.commit())
      state.SkipWithError("commit failed");

    double sum = 0;
    LineReader reader(path);
    for (std::string line; reader.next(line);)
      for (const auto& field : splitSpaces(line))
        sum += Val(field);
    benchmark::DoNotOptimize(sum);
  }
  state.counters["per_line"] = bench::timePer(static_cast<double>(count));
}
BENCHMARK(BM_WriteAndReadSceneLines)->Apply(bench::decadeSizes)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each round needs a file that still has something to fix.
template <FileStatus (*Fixup)(const std::string&, bool)>
void BM_Fixup(benchmark::State& state)
{
  const auto megabytes = state.range(0);
  const auto pool = sceneLines();
  std::string bytes;
  for (std::size_t i = 0; bytes.size() < static_cast<std::size_t>(megabytes) << 20; ++i) {
    std::string line = pool[i % pool.size()];
    for (char& c : line)
      if (c == '.')
        c = ',';
    bytes += line + "\r\n";
  }
  TempFolder folder;
  const std::string path = folder.path("export.xyz");
  for (auto _ : state) {
    state.PauseTiming();
    if (!writeFileAtomic(path, bytes))
      state.SkipWithError("cannot write the input file");
    state.ResumeTiming();
    if (!Fixup(path, true))
      state.SkipWithError("fix-up failed");
  }
  state.counters["per_MB"] = bench::timePer(static_cast<double>(megabytes));
}
BENCHMARK(BM_Fixup<stripCarriageReturns>)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Fixup<fixDecimalComma>)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
