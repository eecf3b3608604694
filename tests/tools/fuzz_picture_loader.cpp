// libFuzzer entry point of the complex image workspace's picture loader: any
// bytes as a file go onto a 512 × 512 canvas or are refused; never a crash.
#include "runtime/runtime_error.h"
#include "support/fuzz_file.h"
#include "tools/picture_loader.h"
#include "tools/pixel_canvas.h"

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
    tarvek::PixelCanvas canvas(512, 512);
    canvas.clear(0x123456);
    try {
      tarvek::loadPictureOntoCanvas(path, canvas);
    } catch (const tarvek::RuntimeError&) {
      // A refused picture leaves the canvas as it was.
      for (const std::uint32_t word : canvas.words())
        if ((word & 0xFFFFFFu) != 0x123456u)
          std::abort();
    }
  });
  return 0;
}
