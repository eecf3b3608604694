// libFuzzer entry point of the scene-file reader: any bytes as a scene file,
// every line split and every field read as a number, without a crash.
#include "scene/scene_files.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  char path[] = "/tmp/tarvek-fuzz-scene-XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd < 0)
    return 0;
  const bool written = ::write(fd, data, size) == static_cast<ssize_t>(size);
  ::close(fd);
  if (written) {
    tarvek::SceneFileReader reader(path);
    std::vector<std::string> fields;
    double sum = 0;
    while (reader.next(fields))
      for (std::size_t i = 0; i < fields.size(); ++i)
        sum += reader.value(fields, i);
    static_cast<void>(sum);
    static_cast<void>(reader.status());
  }
  ::unlink(path);
  return 0;
}
