// Writer throughput: whole documents of growing length (time per page must
// stay flat), and image compression against a bare libjpeg encode.
#include "bench_support.h"
#include "pdfwriter/pdf_document.h"
#include "pdfwriter/pdf_image.h"
#include "pdfwriter/pdf_page.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

void BM_Document(benchmark::State& state)
{
  const int pages = static_cast<int>(state.range(0));
  const auto pixels = tarvek::bench::gradientPixels(320, 240);
  const fs::path path = tarvek::bench::scratchFile("doc.pdf");
  std::uintmax_t size = 0;
  for (auto _ : state) {
    quillet::PdfDocument* doc = quillet::openDocument(path.string(), 13);
    for (int page = 0; page < pages; ++page) {
      quillet::beginPage(doc, 595, 842);
      quillet::setStrokeRGB(doc, 0.2f, 0.4f, float(page % 2));
      quillet::pathMoveTo(doc, 50, 50);
      for (int i = 1; i <= 20; ++i)
        quillet::pathLineTo(doc, 50 + 24.5f * i, 50 + 30 * float(i % 2) + 5.25f * i);
      quillet::strokePath(doc);
      int slot = quillet::addImage(doc, "raw", "memory", pixels.data(), std::int64_t(pixels.size()), 320, 240, 3,
                                   8, "", 75);
      quillet::placeImage(doc, slot, 100, 400, 1, 1, 0);
      quillet::writePageObject(doc);
    }
    if (!quillet::closeDocument(doc))
      state.SkipWithError("close failed");
    quillet::freeDocument(doc);
    size = fs::file_size(path);
  }
  fs::remove(path);
  state.counters["pages/s"] = benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["s/page"] = tarvek::bench::timePer(double(pages));
  state.counters["file_bytes"] = double(size);
}
BENCHMARK(BM_Document)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The reference: libjpeg alone, writing to its own memory buffer.
std::size_t rawEncode(const std::vector<unsigned char>& pixels, int w, int h, int quality)
{
  unsigned char* out = nullptr;
  const std::size_t size = tarvek::bench::encodeJpeg(pixels.data(), w, h, quality, &out);
  std::free(out);
  return size;
}

// Both encodes run in every iteration; the counters give each rate and the
// writer's rate as a fraction of the bare encode.
void BM_AddImageVsRawJpeg(benchmark::State& state)
{
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  const int quality = static_cast<int>(state.range(2));
  const auto pixels = tarvek::bench::gradientPixels(w, h);
  const fs::path path = tarvek::bench::scratchFile("images.pdf");
  quillet::PdfDocument* doc = quillet::openDocument(path.string(), 13);
  Clock::duration writer{}, raw{};
  for (auto _ : state) {
    quillet::beginPage(doc, 595, 842);
    auto t0 = Clock::now();
    int slot = quillet::addImage(doc, "raw", "memory", pixels.data(), std::int64_t(pixels.size()), w, h, 3, 8, "",
                                 quality);
    auto t1 = Clock::now();
    benchmark::DoNotOptimize(rawEncode(pixels, w, h, quality));
    auto t2 = Clock::now();
    writer += t1 - t0;
    raw += t2 - t1;
    quillet::placeImage(doc, slot, 0, 0, 0.1f, 0.1f, 0);
    quillet::writePageObject(doc);
  }
  quillet::closeDocument(doc);
  quillet::freeDocument(doc);
  fs::remove(path);
  double megapixels = double(w) * h * double(state.iterations()) / 1e6;
  double writerSeconds = std::chrono::duration<double>(writer).count();
  double rawSeconds = std::chrono::duration<double>(raw).count();
  state.counters["writer_MP/s"] = megapixels / writerSeconds;
  state.counters["raw_MP/s"] = megapixels / rawSeconds;
  state.counters["writer/raw"] = rawSeconds / writerSeconds;
}
BENCHMARK(BM_AddImageVsRawJpeg)
  ->Args({640, 480, 75})
  ->Args({640, 480, 100})
  ->Args({1920, 1080, 75})
  ->Args({1920, 1080, 100})
  ->Unit(benchmark::kMillisecond);

} // namespace
