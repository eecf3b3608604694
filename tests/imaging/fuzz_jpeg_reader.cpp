// libFuzzer entry point of the JPEG reader: any bytes give a picture whose
// bytes match its size, or a message, never a crash.
#include "imaging/jpeg_file.h"
#include "support/fuzz_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  tarvek::test::withFuzzFile(data, size, [](const char* path) {
    const tarvek::JpegPicture picture = tarvek::readJpegFile(path);
    if (picture.ok()
        && picture.rgb.size() != std::size_t{3} * static_cast<std::size_t>(picture.width)
                                     * static_cast<std::size_t>(picture.height))
      std::abort();
    (void)tarvek::jpegPixelSize(path);
  });
  return 0;
}
