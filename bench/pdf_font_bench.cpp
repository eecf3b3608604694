// What adding a system font costs: loading fontconfig's configuration, the
// family match with reading and parsing the file, and the parse alone.

#include "pdfwriter/font_locator.h"
#include "pdfwriter/truetype_font.h"

#include <benchmark/benchmark.h>

namespace {

void BM_FontconfigConfiguration(benchmark::State& state)
{
  for (auto _ : state) {
    quillet::FontconfigLocator locator;
    benchmark::DoNotOptimize(&locator);
  }
}
BENCHMARK(BM_FontconfigConfiguration)->Unit(benchmark::kMillisecond);

void BM_LoadSystemFontArial(benchmark::State& state)
{
  const quillet::FontconfigLocator locator;
  for (auto _ : state) {
    quillet::SystemFont font;
    if (!quillet::loadSystemFont(locator, "Arial", font)) {
      state.SkipWithError("Arial does not load (install fonts-liberation2)");
      return;
    }
    benchmark::DoNotOptimize(font.metrics.widths.data());
  }
}
BENCHMARK(BM_LoadSystemFontArial)->Unit(benchmark::kMicrosecond);

void BM_ParseArialTables(benchmark::State& state)
{
  const quillet::FontconfigLocator locator;
  std::vector<std::uint8_t> file;
  if (!quillet::readFontFile(locator, "Arial", file)) {
    state.SkipWithError("Arial is not found (install fonts-liberation2)");
    return;
  }
  for (auto _ : state) {
    quillet::TrueTypeData data;
    quillet::parseTrueTypeTables(file, data);
    benchmark::DoNotOptimize(data.cmap.present);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ParseArialTables)->Unit(benchmark::kMicrosecond);

} // namespace
