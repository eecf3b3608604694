// libFuzzer entry point of the XY point reader: any bytes give points or a
// message, never a crash, and never both.
#include "imaging/xy_file.h"

#include <cstdint>
#include <cstdlib>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  char path[] = "/tmp/tarvek-fuzz-xy-XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd < 0)
    return 0;
  const bool written = ::write(fd, data, size) == static_cast<ssize_t>(size);
  ::close(fd);
  if (written) {
    const tarvek::XYReadResult result = tarvek::readXYPoints(path);
    if (!result.ok() && !result.points.empty())
      std::abort();
  }
  ::unlink(path);
  return 0;
}
