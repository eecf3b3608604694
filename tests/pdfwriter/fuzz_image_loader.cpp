// libFuzzer entry point: the readers take files, so the bytes go into one,
// named for each format the loader reads in turn. A JPEG is read a second
// time as rows from the reader's worker thread, which must agree with the
// whole load row for row and in its verdict.

#include "pdfwriter/image_loader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

void compareRows(const std::string& path, const quillet::LoadedImage* whole)
{
  const int code = quillet::lastImageError();
  quillet::ImageRows rows(path);
  const std::size_t stride = std::size_t(rows.width()) * 3;
  bool everyRow = rows.width() > 0;
  for (int y = 0; everyRow && y < rows.height(); ++y) {
    const unsigned char* row = rows.row(y);
    everyRow = row != nullptr;
    if (row && whole && std::memcmp(row, whole->pixels.data() + y * stride, stride) != 0)
      std::abort();
  }
  if (rows.finish() != code || everyRow != (code == quillet::kImageOk))
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string base = "/tmp/quillet-fuzz-" + std::to_string(::getpid());
  for (const char* extension : {".jpg", ".png", ".gif", ".tif", ".bmp", ".tga", ".cel", ".rgb", ".psd",
                                ".iff"}) {
    const std::string path = base + extension;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
      return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    const std::unique_ptr<quillet::LoadedImage> image = quillet::loadImageFile(path);
    if (std::strcmp(extension, ".jpg") == 0)
      compareRows(path, image.get());
    std::remove(path.c_str());
  }
  return 0;
}
