#include "runtime/number_format.h"
#include "runtime/print_form.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<float> randomFloats()
{
  std::mt19937 rng(20240611);
  std::uniform_real_distribution<float> dist(-10000.0f, 10000.0f);
  std::vector<float> values(1'000'000);
  for (float& v : values)
    v = dist(rng);
  return values;
}

// Format's decimal rounding against the library's binary fixed formatting on
// the same values; the counter "ratio" is Format's time over to_chars' time.
void BM_FormatAgainstToChars(benchmark::State& state)
{
  const std::vector<float> values = randomFloats();
  using Clock = std::chrono::steady_clock;
  Clock::duration formatTime{};
  Clock::duration toCharsTime{};
  for (auto _ : state) {
    auto start = Clock::now();
    for (float v : values)
      benchmark::DoNotOptimize(tarvek::Format(v, "0.0000"));
    formatTime += Clock::now() - start;

    start = Clock::now();
    char buf[64];
    for (float v : values) {
      const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
      benchmark::DoNotOptimize(res.ptr);
      benchmark::ClobberMemory();
    }
    toCharsTime += Clock::now() - start;
  }
  const double n = static_cast<double>(state.iterations()) * static_cast<double>(values.size());
  state.counters["format_ns"] = std::chrono::duration<double, std::nano>(formatTime).count() / n;
  state.counters["to_chars_ns"] = std::chrono::duration<double, std::nano>(toCharsTime).count() / n;
  state.counters["ratio"] = std::chrono::duration<double>(formatTime).count()
                            / std::chrono::duration<double>(toCharsTime).count();
}
BENCHMARK(BM_FormatAgainstToChars)->Unit(benchmark::kMillisecond);

// The writers' path: coordinates appended to a line in their columns, as
// XMOL ("0.000000" in 12) and POV-Ray ("0.0##") write them, and the scene
// files' print form; CPU time per number.
void BM_AppendToLine(benchmark::State& state)
{
  const std::vector<float> values = randomFloats();
  const int kind = static_cast<int>(state.range(0));
  constexpr tarvek::NumberMask xmol("0.000000");
  constexpr tarvek::NumberMask pov("0.0##");
  std::string line;
  for (auto _ : state) {
    for (float v : values) {
      line.clear();
      if (kind == 0)
        tarvek::appendFormat(line, v, xmol, 12);
      else if (kind == 1)
        tarvek::appendFormat(line, v, pov);
      else
        tarvek::appendPrintForm(line, v);
      benchmark::DoNotOptimize(line.data());
    }
  }
  state.counters["time_per_number"] = benchmark::Counter(
      static_cast<double>(values.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AppendToLine)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
