// The one-page report of a (6,0) tube, written by the report through an
// object made by its ProgID, against the same page written by libharu.
#include "bench_support.h"
#include "imaging/pdf_report.h"
#include "libharu_report_page.h"
#include "pdfwriter/font_locator.h"
#include "pdfwriter/image_loader.h"
#include "pdfwriter/jpeg_memory.h"
#include "platform/shell_open.h"
#include "quillet/quillet.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using tarvek::bench::scratchFile;
using tarvek::bench::writeGradientJpeg;

constexpr int kWidth = 555, kHeight = 400;
const char* const kTitle = "Carbon Nanotube";
const char* const kHome = "https://tarvek.example.org/";

// The saved view: a quality-100 JPEG.
const fs::path& viewJpeg()
{
  static const fs::path path = writeGradientJpeg("tmp.jpg", kWidth, kHeight, 100);
  return path;
}

// Answers No to "do you want view it ?".
class AnswerNo : public tarvek::bench::QuietPrompts {
public:
  bool yesNo(const std::string&, const std::string&, tarvek::MessageIcon) override { return false; }
};

class NoShell : public tarvek::ShellOpen {
public:
  bool openAddress(const std::string&) override { return false; }
  bool openFile(const std::string&) override { return false; }
  bool openFolder(const std::string&) override { return false; }
};

void reportCounters(benchmark::State& state, double seconds, const fs::path& pdf)
{
  state.counters["ms_per_page"] = 1000.0 * seconds / static_cast<double>(state.iterations());
  state.counters["file_bytes"] = static_cast<double>(fs::file_size(pdf));
}

void BM_ReportByProgId(benchmark::State& state)
{
  const fs::path pdf = scratchFile("report-ours.pdf");
  AnswerNo prompts;
  NoShell shell;
  tarvek::PdfReport report(prompts, shell, tarvek::quilletServer({QUILLET_LIBRARY_DIR}));
  tarvek::ReportContext& c = report.context();
  c.structureKind = 1;
  c.tubeN = 6;
  c.tubeLength = 12.3f;
  c.atomTypeLabel1 = c.atomTypeLabel2 = "C";
  c.imageFile = viewJpeg().string();
  c.imageWidth = kWidth;
  c.imageHeight = kHeight;
  c.homeAddress = kHome;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    if (!report.openPDF(pdf.string(), 1)) {
      state.SkipWithError("the report could not open its file");
      return;
    }
    report.writePDF(1);
    seconds += std::chrono::duration<double>(Clock::now() - start).count();
  }
  reportCounters(state, seconds, pdf);
}
BENCHMARK(BM_ReportByProgId)->Unit(benchmark::kMillisecond);

// The font file libharu loads, or empty with the benchmark skipped.
std::string libharuFontFile(benchmark::State& state)
{
  const auto font = quillet::FontconfigLocator().fileOf("Liberation Sans");
  if (!font) {
    state.SkipWithError("fontconfig finds no Liberation Sans (fonts-liberation2)");
    return {};
  }
  return font->path;
}

void BM_ReportByLibharu(benchmark::State& state)
{
  const fs::path pdf = scratchFile("report-libharu.pdf");
  const std::string font = libharuFontFile(state);
  if (font.empty())
    return;
  const std::string jpeg = viewJpeg().string();
  const std::string description =
      "Chirality Indices (6,0), Tube-Length 12.3 \xC5 (zig-zag structure)";
  const std::string footer = std::string("tarvek (") + kHome + ")";
  double seconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    if (libharuReportPage(pdf.c_str(), font.c_str(), jpeg.c_str(), kTitle,
                          description.c_str(), footer.c_str()) != 0) {
      state.SkipWithError("libharu could not write the page");
      return;
    }
    seconds += std::chrono::duration<double>(Clock::now() - start).count();
  }
  reportCounters(state, seconds, pdf);
}
BENCHMARK(BM_ReportByLibharu)->Unit(benchmark::kMillisecond);

// A page of one TrueType font, not embedded, a 1000 x 750 picture and 30
// lines of text, written 50 times.
constexpr int kPageImageWidth = 1000, kPageImageHeight = 750, kPageLines = 30;

const fs::path& pageJpeg()
{
  static const fs::path path =
      writeGradientJpeg("page.jpg", kPageImageWidth, kPageImageHeight, 100);
  return path;
}

std::vector<std::string> pageLines()
{
  std::vector<std::string> lines;
  for (int i = 0; i < kPageLines; ++i)
    lines.push_back("Line " + std::to_string(i + 1) +
                    ": Chirality Indices (6,0), Tube-Length 12.3, zig-zag structure");
  return lines;
}

void BM_TextPageByProgId(benchmark::State& state)
{
  const fs::path pdf = scratchFile("page-ours.pdf");
  const std::string jpeg = pageJpeg().string();
  const std::vector<std::string> lines = pageLines();
  const tarvek::QuilletServer server = tarvek::quilletServer({QUILLET_LIBRARY_DIR});
  double seconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    const tarvek::CreatedObject created = server.create();
    auto* q = static_cast<IQuillet*>(created.object);
    std::int32_t opened = -1, font = -1;
    if (!q || q->get_Open(pdf.c_str(), &opened) != S_OK || opened != 1) {
      state.SkipWithError("the library could not open the file");
      return;
    }
    q->NewPage();
    q->get_InitFont("Arial", &font);
    q->put_FontID(font);
    q->put_FontSize(10);
    q->put_ImageQuality(100);
    q->put_ImageScaleX(0.5f);
    q->put_ImageScaleY(0.5f);
    const bool placed = q->ImageOut(47, 420, jpeg.c_str()) == S_OK;
    for (int i = 0; i < kPageLines; ++i)
      q->TextOutXY(47, 400 - 12.0f * float(i), lines[std::size_t(i)].c_str());
    const bool closed = q->Close() == S_OK;
    q->Release();
    if (!placed || !closed) {
      state.SkipWithError("the library could not write the page");
      return;
    }
    seconds += std::chrono::duration<double>(Clock::now() - start).count();
  }
  reportCounters(state, seconds, pdf);
}
BENCHMARK(BM_TextPageByProgId)->Unit(benchmark::kMillisecond)->Iterations(50);

// The page's picture alone, read and compressed again at quality 100 in
// memory as ImageOut does it, the rows compressed while they are decoded:
// the share of the page that the re-encoding of every placed image costs,
// which libharu, copying the file's bytes, does not pay.
void BM_TextPageImageOnly(benchmark::State& state)
{
  const std::string jpeg = pageJpeg().string();
  for (auto _ : state) {
    quillet::ImageRows image(jpeg);
    const quillet::JpegData data =
        quillet::compressJpeg({nullptr, image.width(), image.height(), 3, 100, &image});
    if (image.finish() != quillet::kImageOk || !data.bytes) {
      state.SkipWithError("the picture could not be read");
      return;
    }
    benchmark::DoNotOptimize(data.size);
  }
}
BENCHMARK(BM_TextPageImageOnly)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_TextPageByLibharu(benchmark::State& state)
{
  const fs::path pdf = scratchFile("page-libharu.pdf");
  const std::string font = libharuFontFile(state);
  if (font.empty())
    return;
  const std::string jpeg = pageJpeg().string();
  const std::vector<std::string> lines = pageLines();
  std::vector<const char*> texts;
  for (const std::string& line : lines)
    texts.push_back(line.c_str());
  double seconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    if (libharuTextPage(pdf.c_str(), font.c_str(), jpeg.c_str(), texts.data(),
                        kPageLines) != 0) {
      state.SkipWithError("libharu could not write the page");
      return;
    }
    seconds += std::chrono::duration<double>(Clock::now() - start).count();
  }
  reportCounters(state, seconds, pdf);
}
BENCHMARK(BM_TextPageByLibharu)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace
