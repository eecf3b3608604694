// libFuzzer entry point of the XY import's reading and checks: any bytes give
// a refusal or a sheet whose scale is sound, never a crash.
#include "shell/xy_import.h"
#include "runtime/runtime_error.h"
#include "support/fuzz_file.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  tarvek::test::withFuzzFile(data, size, [](const char* path) {
    const tarvek::XYReadResult read = tarvek::readXYPoints(path);
    if (!read.ok())
      return;
    const tarvek::XYSheet sheet = tarvek::sheetOf(read.points);
    const tarvek::XYScale plain = tarvek::analyseXYPoints(sheet);
    if (plain.pairs < 0 || plain.dmin < 0.0)
      std::abort();
    try {
      const tarvek::XYScale scale = tarvek::checkXYSheet(path, sheet);
      if (!(scale.dmin > 0.0) || scale.pairs < 1 || !std::isfinite(scale.mean) ||
          scale.mean < scale.dmin || scale.mean >= scale.cutoff)
        std::abort();
    } catch (const tarvek::RuntimeError&) {
    }
  });
  return 0;
}
