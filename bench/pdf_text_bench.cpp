// Text documents: what adding a font costs in a fresh document, pages of
// text lines plain and encrypted (encryption should add little), and the
// file size an embedded font adds.
#include "bench_support.h"
#include "pdfwriter/font_locator.h"
#include "pdfwriter/pdf_document.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_security.h"
#include "pdfwriter/pdf_text.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

using tarvek::bench::scratchFile;

using Fonts = std::shared_ptr<const quillet::FontLocator>;

// One fontconfig configuration for all the documents of a benchmark, so that
// its loading does not hide the cost of the pages.
Fonts systemFonts()
{
  return std::make_shared<quillet::FontconfigLocator>();
}

// A document of `pages` pages of 50 lines each; false when it fails.
bool writeTextDocument(const fs::path& path, const Fonts& fonts, int pages, bool encrypt,
                       bool embed)
{
  quillet::OpenOptions options;
  options.fontLocator = fonts;
  quillet::PdfDocument* doc = quillet::openDocument(path.string(), 13, options);
  if (encrypt)
    quillet::setupEncryption(doc, 0, 16, "owner", "user");
  const int font = quillet::addFont(doc, "Arial", embed);
  for (int page = 0; page < pages && font >= 0; ++page) {
    quillet::beginPage(doc, 595, 842);
    quillet::selectFont(doc, font, 11);
    quillet::showTextAt(doc, "Carbon nanotube, chiral vector (10, 5): radius 5.18 A", 0, 56, 790);
    for (int line = 1; line < 50; ++line)
      quillet::showTextNextLine(doc, "Atom 1234  C  12.3456  -7.8901  0.1234  bonds 3", 0);
    quillet::writePageObject(doc);
  }
  const bool closed = quillet::closeDocument(doc);
  quillet::freeDocument(doc);
  return font >= 0 && closed;
}

void BM_AddFontArialFreshDocument(benchmark::State& state)
{
  const fs::path path = scratchFile("font.pdf");
  for (auto _ : state) {
    quillet::PdfDocument* doc = quillet::openDocument(path.string(), 13);
    if (quillet::addFont(doc, "Arial", false) != 0)
      state.SkipWithError("Arial does not load (install fonts-liberation2)");
    quillet::freeDocument(doc);
  }
}
BENCHMARK(BM_AddFontArialFreshDocument)->Unit(benchmark::kMillisecond);

// Arguments: pages, encrypted.
void BM_TextPages(benchmark::State& state)
{
  const int pages = static_cast<int>(state.range(0));
  const bool encrypt = state.range(1) != 0;
  const fs::path path = scratchFile("text.pdf");
  const Fonts fonts = systemFonts();
  for (auto _ : state)
    if (!writeTextDocument(path, fonts, pages, encrypt, false))
      state.SkipWithError("document failed (is fonts-liberation2 installed?)");
  state.counters["pages/s"] =
      benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["file_bytes"] = fs::exists(path) ? double(fs::file_size(path)) : 0;
  fs::remove(path);
}
BENCHMARK(BM_TextPages)
    ->ArgsProduct({{10, 100}, {0, 1}})
    ->ArgNames({"pages", "encrypted"})
    ->Unit(benchmark::kMillisecond);

// The same pages written plain and encrypted in turn; the counter is the
// ratio of their times.
void BM_EncryptionTimeRatio(benchmark::State& state)
{
  const int pages = static_cast<int>(state.range(0));
  const fs::path path = scratchFile("ratio.pdf");
  const Fonts fonts = systemFonts();
  Clock::duration plain{}, encrypted{};
  for (auto _ : state) {
    auto start = Clock::now();
    bool ok = writeTextDocument(path, fonts, pages, false, false);
    auto middle = Clock::now();
    ok = writeTextDocument(path, fonts, pages, true, false) && ok;
    auto end = Clock::now();
    if (!ok)
      state.SkipWithError("document failed (is fonts-liberation2 installed?)");
    plain += middle - start;
    encrypted += end - middle;
  }
  fs::remove(path);
  state.counters["encrypted/plain"] =
      plain.count() > 0 ? double(encrypted.count()) / double(plain.count()) : 0;
}
BENCHMARK(BM_EncryptionTimeRatio)
    ->Arg(10)
    ->Arg(100)
    ->ArgName("pages")
    ->Unit(benchmark::kMillisecond);

// Ten pages with Arial embedded or not: the size the font file adds.
void BM_EmbeddedFontFileSize(benchmark::State& state)
{
  const bool embed = state.range(0) != 0;
  const fs::path path = scratchFile("embed.pdf");
  const Fonts fonts = systemFonts();
  for (auto _ : state)
    if (!writeTextDocument(path, fonts, 10, false, embed))
      state.SkipWithError("document failed (is fonts-liberation2 installed?)");
  state.counters["file_bytes"] = fs::exists(path) ? double(fs::file_size(path)) : 0;
  fs::remove(path);
}
BENCHMARK(BM_EmbeddedFontFileSize)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("embedded")
    ->Unit(benchmark::kMillisecond);

} // namespace
