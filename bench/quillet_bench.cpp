// The library as the report drives it, through IQuillet: a hundred report
// pages in one document, and the cost of ImageOut's load-and-recompress
// against a bare libjpeg encode of the same pixels.
#include "bench_support.h"
#include "pdfwriter/image_loader.h"
#include "quillet/quillet.h"

#include <benchmark/benchmark.h>

#include <cstdio>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using tarvek::bench::encodeJpeg;
using tarvek::bench::scratchFile;
using tarvek::bench::writeGradientJpeg;

constexpr int kImageWidth = 800, kImageHeight = 600, kQuality = 100;

// The view image the report places, as a file.
const fs::path& viewJpeg()
{
  static const fs::path path = writeGradientJpeg("view.jpg", kImageWidth, kImageHeight, 90);
  return path;
}

IQuillet* makeQuillet()
{
  IClassFactory* classObject = nullptr;
  DllGetClassObject(&CLSID_Quillet, &IID_IClassFactory, reinterpret_cast<void**>(&classObject));
  IQuillet* q = nullptr;
  classObject->CreateInstance(nullptr, &IID_IQuillet, reinterpret_cast<void**>(&q));
  classObject->Release();
  return q;
}

void BM_ReportDocument(benchmark::State& state)
{
  constexpr int kPages = 100;
  const fs::path pdf = scratchFile("report.pdf");
  const std::string jpeg = viewJpeg().string();
  IQuillet* q = makeQuillet();
  std::uintmax_t size = 0;
  for (auto _ : state) {
    std::int32_t opened = 0;
    q->get_Open(pdf.c_str(), &opened);
    for (int page = 0; page < kPages; ++page) {
      q->NewPage();
      std::int32_t font = -1;
      q->get_InitFont("Arial", &font);
      q->put_FontSize(25);
      q->TextOutXY(150, 792, "Carbon Nanotube");
      q->put_FontSize(10);
      q->TextOutXY(20, 300, "Chirality Indices (6,0), Tube-Length 12.3 \xC3\x85");
      q->TextOutXY(20, 288, "CoNTub: an algorithm for connecting two nanotubes.");
      q->TextOutXY(20, 276, "Disclination Angle 60\xC2\xB0, Apex Angle 112.9\xC2\xB0");
      q->put_ImageQuality(kQuality);
      q->put_ImageScaleX(0.69375f);
      q->put_ImageScaleY(0.69375f);
      q->ImageOut(20, 350, jpeg.c_str());
      q->put_StrokeColor(0);
      q->SetRect(20, 350, 555, 416.25f);
      q->Stroke();
      q->EndPage();
    }
    q->Close();
    size = fs::file_size(pdf);
  }
  q->Release();
  fs::remove(pdf);
  state.counters["pages/s"] =
      benchmark::Counter(double(kPages), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["file_bytes"] = double(size);
}
BENCHMARK(BM_ReportDocument)->Unit(benchmark::kMillisecond);

// Both run in every iteration; the counters give each rate and how many
// times slower ImageOut is than the encode alone.
void BM_ImageOutVsRawJpeg(benchmark::State& state)
{
  const fs::path pdf = scratchFile("images.pdf");
  const std::string jpeg = viewJpeg().string();
  const auto decoded = quillet::loadImageFile(jpeg);
  IQuillet* q = makeQuillet();
  std::int32_t opened = 0;
  q->get_Open(pdf.c_str(), &opened);
  q->put_ImageQuality(kQuality);
  q->NewPage();
  double imageOutSeconds = 0, rawSeconds = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    q->ImageOut(0, 0, jpeg.c_str());
    imageOutSeconds += std::chrono::duration<double>(Clock::now() - start).count();

    start = Clock::now();
    unsigned char* bytes = nullptr;
    benchmark::DoNotOptimize(encodeJpeg(decoded->pixels.data(), kImageWidth, kImageHeight, kQuality, &bytes));
    rawSeconds += std::chrono::duration<double>(Clock::now() - start).count();
    std::free(bytes);
  }
  q->Close();
  q->Release();
  fs::remove(pdf);
  const double megapixels = double(state.iterations()) * kImageWidth * kImageHeight / 1e6;
  state.counters["imageout_MP/s"] = megapixels / imageOutSeconds;
  state.counters["raw_MP/s"] = megapixels / rawSeconds;
  state.counters["imageout/raw_time"] = imageOutSeconds / rawSeconds;
}
BENCHMARK(BM_ImageOutVsRawJpeg)->Unit(benchmark::kMillisecond);

} // namespace
