#include "runtime/file_util.h"

#include "runtime/runtime_error.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {

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

FileStatus readFileBytes(const std::string& path, std::string& bytes)
{
  bytes.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return FileStatus::failure(fileErrorText("Could not read", path, errno));
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
    bytes.reserve(static_cast<std::size_t>(info.st_size));
  char block[64 * 1024];
  for (;;) {
    ssize_t n = ::read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0) {
      int err = errno;
      ::close(fd);
      bytes.clear();
      return FileStatus::failure(fileErrorText("Could not read", path, err));
    }
    if (n == 0)
      break;
    bytes.append(block, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return FileStatus::success();
}

std::string readFileText(const std::string& path)
{
  std::string bytes;
  if (!readFileBytes(path, bytes))
    return {};
  return bytes;
}

} // namespace tarvek
