#include "runtime/file_util.h"

#include "runtime/runtime_error.h"

#include <cerrno>
#include <filesystem>
#include <new>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {

namespace {

constexpr std::size_t kReadBlock = 64 * 1024;

} // namespace

bool FileExists(const std::string& path)
{
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  return !ec && size > 0;
}

bool DirExists(const std::string& path)
{
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

void killFile(const std::string& path)
{
  if (!FileExists(path))
    return;
  if (::unlink(path.c_str()) != 0)
    throw RuntimeError(fileErrorText("Could not delete", path, errno));
}

int openForReading(const std::string& path, std::size_t& expected)
{
  expected = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
    expected = static_cast<std::size_t>(info.st_size);
  return fd;
}

FileStatus readFileBytes(const std::string& path, std::string& bytes)
{
  bytes.clear();
  std::size_t expected = 0;
  const int fd = openForReading(path, expected);
  if (fd < 0)
    return FileStatus::failure(fileErrorText("Could not read", path, errno));
  // Read straight into the result; one spare byte lets the final read see
  // the end without growing it.
  std::size_t got = 0;
  int error = 0;
  try {
    bytes.resize(expected + 1);
    error = readToEnd(fd, got, [&bytes](std::size_t filled) {
      if (filled == bytes.size())
        bytes.resize(bytes.size() + kReadBlock);
      return std::span<char>(bytes.data() + filled, bytes.size() - filled);
    });
  } catch (const std::bad_alloc&) {
    error = ENOMEM;
  }
  ::close(fd);
  if (error != 0) {
    bytes.clear();
    return FileStatus::failure(fileErrorText("Could not read", path, error));
  }
  bytes.resize(got);
  return FileStatus::success();
}

int readToEnd(int fd, std::size_t& got, const std::function<std::span<char>(std::size_t)>& room)
{
  got = 0;
  for (;;) {
    const std::span<char> free = room(got);
    const ssize_t n = ::read(fd, free.data(), free.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      return errno;
    if (n == 0)
      return 0;
    got += static_cast<std::size_t>(n);
  }
}

std::string readFileText(const std::string& path)
{
  std::string bytes;
  if (!readFileBytes(path, bytes))
    return {};
  return bytes;
}

} // namespace tarvek
