// libFuzzer entry point of the scene-file reader: any bytes as a scene file,
// every line split and every field read as a number, without a crash; a
// number too large for a double is the reader's documented RuntimeError.
#include "runtime/runtime_error.h"
#include "scene/scene_files.h"
#include "support/fuzz_file.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  tarvek::test::withFuzzFile(data, size, [](const char* path) {
    tarvek::SceneFileReader reader(path);
    tarvek::SceneFields fields;
    double sum = 0;
    try {
      while (reader.next(fields))
        for (std::size_t i = 0; i < fields.size(); ++i)
          sum += reader.value(fields, i);
    } catch (const tarvek::RuntimeError&) {
    }
    static_cast<void>(sum);
    static_cast<void>(reader.status());
  });
  return 0;
}
