// For file readers' fuzz entries: the fuzzer's bytes as a temporary file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <unistd.h>

namespace tarvek::test {

// Saves the bytes in a fresh temporary file, calls read(path) and removes
// the file. Does nothing when the file cannot be written.
template <class Read>
void withFuzzFile(const std::uint8_t* data, std::size_t size, Read read)
{
  char path[] = "/tmp/tarvek-fuzz-XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd < 0)
    return;
  const bool written = ::write(fd, data, size) == static_cast<ssize_t>(size);
  ::close(fd);
  if (written)
    read(static_cast<const char*>(path));
  ::unlink(path);
}

} // namespace tarvek::test
