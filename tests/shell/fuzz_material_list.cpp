// libFuzzer entry point of the materials file reader: any bytes give a list
// of one to ten materials and no crash.
#include "shell/material_list.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  char path[] = "/tmp/tarvek-fuzz-dat-XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd < 0)
    return 0;
  const bool written = ::write(fd, data, size) == static_cast<ssize_t>(size);
  ::close(fd);
  if (written) {
    const auto list = tarvek::loadMaterialFile(path);
    if (list.materials.empty() ||
        list.materials.size() > static_cast<std::size_t>(tarvek::kMaterialCapacity))
      std::abort();
  }
  ::unlink(path);
  return 0;
}
