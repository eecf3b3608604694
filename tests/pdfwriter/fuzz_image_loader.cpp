// libFuzzer entry point: the readers take files, so the bytes go into one,
// named for each format the loader reads in turn.

#include "pdfwriter/image_loader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

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
    quillet::loadImageFile(path);
    std::remove(path.c_str());
  }
  return 0;
}
