// The image browser's thumbnails: a 4000 x 3000 JPEG decoded at reduced size
// against a full decode and a resample (per thumbnail, the first should be
// 4x faster or more), and scrolling a strip of 1,000 and 10,000 ready
// thumbnails by one page with its painting (per step, the same at both
// sizes: scrolling never decodes). Runs offscreen.

#include "bench_support.h"

#include "imaging/image_browser.h"
#include "imaging/ui/image_toolkit.h"
#include "imaging/ui/thumbnail_strip.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>

#include <cstdlib>
#include <fstream>

namespace {

constexpr int kPictures = 20;
constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// The 20 JPEG files, written once outside the timing and removed at exit.
class PictureFiles {
public:
  PictureFiles()
  {
    const std::vector<unsigned char> pixels = tarvek::bench::gradientPixels(kWidth, kHeight);
    unsigned char* jpeg = nullptr;
    const std::size_t size = tarvek::bench::encodeJpeg(pixels.data(), kWidth, kHeight, 90, &jpeg);
    for (int i = 0; i < kPictures; ++i) {
      paths.push_back(
          tarvek::bench::scratchFile(("browser_" + std::to_string(i) + ".jpg").c_str()).string());
      std::ofstream(paths.back(), std::ios::binary)
          .write(reinterpret_cast<const char*>(jpeg), static_cast<std::streamsize>(size));
    }
    std::free(jpeg);
  }
  ~PictureFiles()
  {
    for (const std::string& path : paths)
      std::filesystem::remove(path);
  }
  PictureFiles(const PictureFiles&) = delete;
  PictureFiles& operator=(const PictureFiles&) = delete;

  std::vector<std::string> paths;
};

const std::vector<std::string>& pictures()
{
  static const PictureFiles files;
  return files.paths;
}

const QSize kBox(tarvek::kThumbnailSize, tarvek::kThumbnailSize);

void BM_ThumbnailReducedDecode(benchmark::State& state)
{
  const std::vector<std::string>& paths = pictures();
  tarvek::ImageToolkit toolkit;
  for (auto _ : state)
    for (const std::string& path : paths)
      if (!toolkit.readScaled(path, kBox))
        state.SkipWithError("a picture did not decode");
  state.counters["per_thumbnail"] = tarvek::bench::timePer(kPictures);
}
BENCHMARK(BM_ThumbnailReducedDecode)->Unit(benchmark::kMillisecond);

void BM_ThumbnailFullDecodeThenScale(benchmark::State& state)
{
  const std::vector<std::string>& paths = pictures();
  tarvek::ImageToolkit toolkit;
  for (auto _ : state)
    for (const std::string& path : paths) {
      const std::optional<QImage> full = toolkit.read(path);
      if (!full) {
        state.SkipWithError("a picture did not decode");
        break;
      }
      const QSize fit = tarvek::fittedSize(full->size(), kBox);
      benchmark::DoNotOptimize(tarvek::ImageToolkit::resample(*full, fit.width(), fit.height()));
    }
  state.counters["per_thumbnail"] = tarvek::bench::timePer(kPictures);
}
BENCHMARK(BM_ThumbnailFullDecodeThenScale)->Unit(benchmark::kMillisecond);

void BM_ScrollStripByOnePage(benchmark::State& state)
{
  const auto count = static_cast<std::int32_t>(state.range(0));
  tarvek::ImageToolkit toolkit;
  tarvek::bench::NeverAbort abort;
  tarvek::ThumbnailStrip strip(toolkit, abort);
  strip.resize(630, 124);
  QImage thumbnail(kBox, QImage::Format_RGB888);
  thumbnail.fill(Qt::darkCyan);
  // One shared picture: the strip's cost, not the memory, is measured.
  for (std::int32_t i = 1; i <= count; ++i)
    strip.appendThumbnail(thumbnail, QStringLiteral("picture.jpg [%1/%2]").arg(i).arg(count));
  strip.scr->setRange(1, count);
  const std::int32_t page = tarvek::visibleThumbnails(strip.width());
  QImage target(strip.size(), QImage::Format_RGB32);
  for (auto _ : state) {
    const int next = strip.scr->value() + page;
    strip.scr->setValue(next > count ? 1 : next);
    strip.render(&target);
  }
  state.counters["per_step"] = tarvek::bench::timePer(1);
}
BENCHMARK(BM_ScrollStripByOnePage)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
