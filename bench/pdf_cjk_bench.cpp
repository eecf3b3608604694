// What closing a document costs with an embedded CJK subset of 10 to 5,000
// distinct WenQuanYi characters: time per glyph should hold flat, and the
// file stays far below the 5 MB font.
#include "bench_support.h"
#include "pdfwriter/font_locator.h"
#include "pdfwriter/pdf_document.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_text.h"
#include "pdfwriter/truetype_subset.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

// The first `count` CJK ideographs from U+4E00 that the font maps, as
// UTF-16 units.
std::string mappedIdeographs(const quillet::FontRecord& font, int count)
{
  std::string units;
  for (std::uint32_t code = 0x4E00; code <= 0x9FFF && int(units.size()) < 2 * count; ++code)
    if (quillet::glyphIndexFromSystem(*font.fontFile, code) != 0) {
      units += static_cast<char>(code >> 8);
      units += static_cast<char>(code & 0xFF);
    }
  return units;
}

void BM_CloseWithCjkSubset(benchmark::State& state)
{
  const fs::path path = tarvek::bench::scratchFile("cjk.pdf");
  const auto fonts = std::make_shared<quillet::FontconfigLocator>();
  const int count = static_cast<int>(state.range(0));
  std::uintmax_t size = 0;
  for (auto _ : state) {
    state.PauseTiming();
    quillet::OpenOptions options;
    options.fontLocator = fonts;
    quillet::PdfDocument* doc = quillet::openDocument(path.string(), 13, options);
    const int font = quillet::addFont(doc, "WenQuanYi Micro Hei", true);
    if (font < 0 || !quillet::embedsCjkSubset(doc->fonts[std::size_t(font)])) {
      quillet::freeDocument(doc);
      state.SkipWithError("WenQuanYi Micro Hei is not found (install fonts-wqy-microhei)");
      return;
    }
    quillet::beginPage(doc, 595, 842);
    quillet::selectFont(doc, font, 12);
    const std::string units = mappedIdeographs(doc->fonts[std::size_t(font)], count);
    // Lines of 40 characters down the page.
    for (std::size_t at = 0; at < units.size(); at += 80)
      quillet::showTextAt(doc, units.data() + at, std::min<std::size_t>(80, units.size() - at), 40,
                          800 - float(at / 80 % 60) * 13);
    quillet::writePageObject(doc);
    state.ResumeTiming();
    quillet::closeDocument(doc);
    state.PauseTiming();
    quillet::freeDocument(doc);
    size = fs::file_size(path);
    state.ResumeTiming();
  }
  fs::remove(path);
  state.counters["per_glyph"] = tarvek::bench::timePer(count);
  state.counters["file_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_CloseWithCjkSubset)->Arg(10)->Arg(100)->Arg(1000)->Arg(5000)
    ->Unit(benchmark::kMillisecond);

} // namespace
