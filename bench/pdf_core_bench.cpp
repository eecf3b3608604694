// Writer throughput: whole documents of growing length (time per page must
// stay flat), and image compression against a bare libjpeg encode.
#include "pdfwriter/pdf_document.h"
#include "pdfwriter/pdf_image.h"
#include "pdfwriter/pdf_page.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <jpeglib.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::vector<unsigned char> pixelBlock(int w, int h)
{
  std::vector<unsigned char> pixels(std::size_t(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &pixels[(std::size_t(y) * w + x) * 3];
      p[0] = static_cast<unsigned char>(x * 255 / w);
      p[1] = static_cast<unsigned char>(y * 255 / h);
      p[2] = static_cast<unsigned char>(128 + 100 * std::sin(x * 0.05) * std::cos(y * 0.07));
    }
  return pixels;
}

fs::path scratchFile(const char* name)
{
  return fs::temp_directory_path() / ("quillet-bench-" + std::to_string(::getpid()) + "-" + name);
}

void BM_Document(benchmark::State& state)
{
  const int pages = static_cast<int>(state.range(0));
  const auto pixels = pixelBlock(320, 240);
  const fs::path path = scratchFile("doc.pdf");
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
  state.counters["s/page"] = benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate
                                                                  | benchmark::Counter::kInvert);
  state.counters["file_bytes"] = double(size);
}
BENCHMARK(BM_Document)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The reference: libjpeg alone, writing to its own memory buffer.
std::size_t rawEncode(const std::vector<unsigned char>& pixels, int w, int h, int quality)
{
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&cinfo, &out, &outSize);
  cinfo.image_width = JDIMENSION(w);
  cinfo.image_height = JDIMENSION(h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, FALSE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + std::size_t(cinfo.next_scanline) * w * 3);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::free(out);
  return outSize;
}

// Both encodes run in every iteration; the counters give each rate and the
// writer's rate as a fraction of the bare encode.
void BM_AddImageVsRawJpeg(benchmark::State& state)
{
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  const int quality = static_cast<int>(state.range(2));
  const auto pixels = pixelBlock(w, h);
  const fs::path path = scratchFile("images.pdf");
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
