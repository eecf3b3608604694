// libFuzzer entry point of the JPEG reader: any bytes give a picture whose
// bytes match its size, or a message, never a crash.
#include "imaging/jpeg_file.h"

#include <cstdint>
#include <cstdlib>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  char path[] = "/tmp/tarvek-fuzz-jpeg-XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd < 0)
    return 0;
  const bool written = ::write(fd, data, size) == static_cast<ssize_t>(size);
  ::close(fd);
  if (written) {
    const tarvek::JpegPicture picture = tarvek::readJpegFile(path);
    if (picture.ok()
        && picture.rgb.size() != std::size_t{3} * static_cast<std::size_t>(picture.width)
                                     * static_cast<std::size_t>(picture.height))
      std::abort();
    (void)tarvek::jpegPixelSize(path);
  }
  ::unlink(path);
  return 0;
}
