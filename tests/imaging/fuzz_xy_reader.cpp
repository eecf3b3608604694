// libFuzzer entry point of the XY point reader: any bytes give points or a
// message, never a crash, and never both.
#include "imaging/xy_file.h"
#include "support/fuzz_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  tarvek::test::withFuzzFile(data, size, [](const char* path) {
    const tarvek::XYReadResult result = tarvek::readXYPoints(path);
    if (!result.ok() && !result.points.empty())
      std::abort();
  });
  return 0;
}
