// libFuzzer entry point of the digitiser's picture reading: any bytes go
// through the size check, the decode and the red levels, and a picture of
// at most 256 × 256 pixels through a ring search; never a crash.
#include "imaging/hough.h"
#include "imaging/ui/digitiser_image.h"
#include "support/fuzz_file.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
  // Qt finds its image format plugins through the application.
  static QCoreApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  tarvek::test::withFuzzFile(data, size, [](const char* path) {
    const tarvek::DigitiserImage image = tarvek::readDigitiserImage(path);
    if (!image.ok())
      return;
    const tarvek::RedLevels& red = image.red;
    const std::size_t pixels =
        static_cast<std::size_t>(red.width) * static_cast<std::size_t>(red.height);
    if (red.width != image.image.width() || red.height != image.image.height()
        || red.red.size() != pixels)
      std::abort();
    if (red.width <= 256 && red.height <= 256) {
      const tarvek::HoughResult result = tarvek::houghSearch(red, 5.0f);
      if (result.ok())
        (void)tarvek::voteMapGrey(result);
    }
  });
  return 0;
}
