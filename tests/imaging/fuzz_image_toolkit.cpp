// libFuzzer entry point of the imaging toolkit: any bytes in a file go
// through the full read and the reduced read; an image of the promised size
// or a reason, never a crash.
#include "imaging/ui/image_toolkit.h"
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
    tarvek::ImageToolkit toolkit;
    const auto full = toolkit.read(path);
    if (full.has_value() != toolkit.lastErrorText().empty())
      std::abort();
    const QSize box(100, 100);
    const auto scaled = toolkit.readScaled(path, box);
    if (scaled && (scaled->width() > box.width() || scaled->height() > box.height()))
      std::abort();
    if (!scaled && toolkit.lastErrorText().empty())
      std::abort();
  });
  return 0;
}
