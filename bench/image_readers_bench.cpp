// What reading a picture costs with each of the library's own readers, at
// 1 and 4 megapixels, beside libpng on the same pixels: time per pixel should
// hold flat, and the ratio to PNG shows what the own code costs.

#include "bench_support.h"

#include "pdfwriter/image_fixtures.h"
#include "pdfwriter/image_format_fixtures.h"
#include "pdfwriter/image_loader.h"

#include <png.h>

#include <fstream>

namespace {

namespace qt = quillet::test;

// Square-ish sizes of 1 and 4 megapixels.
constexpr int kSides[][2] = {{1024, 1024}, {2048, 2048}};

qt::Picture photo(int width, int height)
{
  const std::vector<unsigned char> pixels = tarvek::bench::gradientPixels(width, height);
  return {width, height, qt::Bytes(pixels.begin(), pixels.end())};
}

qt::IndexedPicture indexedPhoto(int width, int height)
{
  qt::IndexedPicture out = qt::sampleIndexed(width, height, 256);
  const qt::Picture p = photo(width, height);
  for (std::size_t i = 0; i < out.indices.size(); ++i)
    out.indices[i] = p.rgb[i * 3];
  return out;
}

// The picture in the format, written to a scratch file.
std::filesystem::path fileFor(const std::string& format, int width, int height)
{
  const std::string name = std::string("reader.") + format;
  const std::filesystem::path path = tarvek::bench::scratchFile(name.c_str());
  const qt::Picture p = photo(width, height);
  qt::Bytes bytes;
  if (format == "png") {
    qt::PngFixture png{width, height, PNG_COLOR_TYPE_RGB, 8, false, {}, {}, {}};
    png.samples.assign(p.rgb.begin(), p.rgb.end());
    qt::writePngFile(path, png);
    return path;
  }
  if (format == "bmp")
    bytes = qt::bmpFile(p, false);
  else if (format == "tga")
    bytes = qt::tgaFile(p, 24, true, 0);
  else if (format == "cel")
    bytes = qt::simpleCelFile(indexedPhoto(width, height));
  else if (format == "rgb")
    bytes = qt::sgiFile(width, height, 3, p.rgb, true);
  else if (format == "psd")
    bytes = qt::psdFile(width, height, 3, 3, p.rgb, true, {});
  else if (format == "iff")
    bytes = qt::ilbmFile(indexedPhoto(width, height), false);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path;
}

void BM_ReadImage(benchmark::State& state, const char* format)
{
  const int width = kSides[state.range(0)][0], height = kSides[state.range(0)][1];
  const std::filesystem::path path = fileFor(format, width, height);
  for (auto _ : state) {
    auto image = quillet::loadImageFile(path.string());
    if (!image) {
      std::filesystem::remove(path);
      state.SkipWithError("the file does not load");
      return;
    }
    benchmark::DoNotOptimize(image->pixels.data());
  }
  std::filesystem::remove(path);
  state.counters["per_pixel"] = tarvek::bench::timePer(double(width) * height);
}

} // namespace

BENCHMARK_CAPTURE(BM_ReadImage, png, "png")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadImage, bmp, "bmp")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadImage, tga_rle, "tga")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadImage, cel, "cel")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadImage, sgi_rle, "rgb")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadImage, psd_rle, "psd")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadImage, iff_ilbm, "iff")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
