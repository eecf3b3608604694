// Page extras, outlines and colour tables: documents with every annotation
// type per page (time per page must stay flat), outlines of growing size
// (time per item flat: no sibling walks), and a page of many spot colours
// and patterns.
#include "bench_support.h"
#include "pdfwriter/pdf_annotations.h"
#include "pdfwriter/pdf_colour.h"
#include "pdfwriter/pdf_document.h"
#include "pdfwriter/pdf_outlines.h"
#include "pdfwriter/pdf_page.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// Opens, fills and closes a document at path; returns the file's size.
template <typename Body>
std::uintmax_t writeFile(const fs::path& path, benchmark::State& state, Body body)
{
  quillet::PdfDocument* doc = quillet::openDocument(path.string(), 13);
  body(doc);
  if (!quillet::closeDocument(doc))
    state.SkipWithError("close failed");
  quillet::freeDocument(doc);
  return fs::file_size(path);
}

void BM_AnnotatedPages(benchmark::State& state)
{
  const int pages = static_cast<int>(state.range(0));
  const fs::path path = tarvek::bench::scratchFile("annotated.pdf");
  const fs::path attached = tarvek::bench::scratchFile("attached.txt");
  std::ofstream(attached) << std::string(2000, 'x');
  const quillet::BoxRecord r{50, 50, 150, 70};
  const quillet::BorderStyle dashed{1, 2, {1, 0, 0}, {3, 3}};
  std::uintmax_t size = 0;
  for (auto _ : state) {
    size = writeFile(path, state, [&](quillet::PdfDocument* doc) {
      quillet::setTransition(doc, 4);
      quillet::setDisplayDuration(doc, 5);
      for (int page = 1; page <= pages; ++page) {
        quillet::beginPage(doc, 595, 842);
        quillet::setPageBox(doc, quillet::kCropBox, {10, 10, 585, 832});
        quillet::setPageBox(doc, quillet::kBleedBox, {5, 5, 590, 837});
        quillet::setPageBox(doc, quillet::kTrimBox, {20, 20, 575, 822});
        quillet::setPageBox(doc, quillet::kArtBox, {30, 30, 565, 812});
        quillet::addTextNote(doc, r, "A note on this page", "Reviewer");
        quillet::addPageLink(doc, r, page, quillet::kDestFit, dashed);
        quillet::addRemoteLink(doc, r, "other.pdf", page, quillet::kDestFitH);
        quillet::addUriLink(doc, r, "http://example.org/page");
        quillet::addLaunchLink(doc, r, "run.sh");
        quillet::addFileAttachment(doc, r, attached.string(), "Data", "");
        quillet::writePageObject(doc);
      }
    });
  }
  fs::remove(path);
  fs::remove(attached);
  state.counters["pages/s"] =
      benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["s/page"] = tarvek::bench::timePer(double(pages));
  state.counters["file_bytes"] = double(size);
}
BENCHMARK(BM_AnnotatedPages)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// A chapter per hundred items, a section per ten, details under the sections.
void BM_Outline(benchmark::State& state)
{
  const int items = static_cast<int>(state.range(0));
  const fs::path path = tarvek::bench::scratchFile("outline.pdf");
  for (auto _ : state) {
    writeFile(path, state, [&](quillet::PdfDocument* doc) {
      quillet::beginPage(doc, 595, 842);
      quillet::writePageObject(doc);
      int added = 0;
      int chapter = 0, section = 0;
      while (added < items) {
        if (added % 100 == 0)
          chapter = quillet::addOutlineItem(doc, 0, "Chapter", 1, quillet::kDestFit, added % 200 == 0);
        else if (added % 10 == 1)
          section = quillet::addOutlineItem(doc, chapter, "Section", 1, quillet::kDestXYZ, true);
        else
          quillet::addOutlineItem(doc, section, "Detail", 1, quillet::kDestFitH, false);
        ++added;
      }
    });
  }
  fs::remove(path);
  state.counters["s/item"] = tarvek::bench::timePer(double(items));
}
BENCHMARK(BM_Outline)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SpotsAndPatterns(benchmark::State& state)
{
  const fs::path path = tarvek::bench::scratchFile("colours.pdf");
  std::uintmax_t size = 0;
  for (auto _ : state) {
    size = writeFile(path, state, [&](quillet::PdfDocument* doc) {
      quillet::beginPage(doc, 595, 842);
      for (int i = 0; i < 200; ++i) {
        quillet::setRGBColor(doc, "fill", float(i % 10) / 10, 0.5f, float(i % 7) / 7);
        const int entry = quillet::addColorSpace(doc, quillet::kSeparation, "Spot_" + std::to_string(i));
        quillet::setSpotColor(doc, "fill", entry, 0.75f);
        quillet::pathRectangle(doc, float(i % 20) * 25, float(i / 20) * 25, 20, 20);
        quillet::fillPath(doc);
      }
      for (int i = 0; i < 50; ++i) {
        const int pattern = quillet::definePattern(doc, 1 + i % 2, 10, 10, "0 0 5 5 re f\n");
        quillet::setRGBColor(doc, "fill", 0, 0, 1);
        quillet::setPatternColor(doc, "fill", pattern);
        quillet::pathRectangle(doc, float(i % 10) * 50, 300 + float(i / 10) * 50, 45, 45);
        quillet::fillPath(doc);
      }
      quillet::writePageObject(doc);
    });
  }
  fs::remove(path);
  state.counters["file_bytes"] = double(size);
}
BENCHMARK(BM_SpotsAndPatterns)->Unit(benchmark::kMillisecond);

} // namespace
