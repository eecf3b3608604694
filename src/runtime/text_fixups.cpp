#include "runtime/text_fixups.h"

#include "runtime/atomic_file.h"
#include "runtime/file_util.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace tarvek {

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

// Streams the file through edit into an AtomicFile, so a large export needs
// no second copy in memory. edit changes a block in place, returns its new
// length and sets changed; when nothing changed the copy is dropped and the
// file stays as it is.
template <typename Edit>
FileStatus rewrite(const std::string& path, Edit edit)
{
  if (!FileExists(path))
    return FileStatus::success();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return FileStatus::failure(fileErrorText("Could not read", path, errno));
  AtomicFile out(path);
  std::string block(kBlockSize, '\0');
  bool changed = false;
  for (;;) {
    ssize_t n = ::read(fd, block.data(), block.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0) {
      int err = errno;
      ::close(fd);
      return FileStatus::failure(fileErrorText("Could not read", path, err));
    }
    if (n == 0)
      break;
    std::size_t kept = edit(block.data(), static_cast<std::size_t>(n), changed);
    out.write(std::string_view(block.data(), kept));
  }
  ::close(fd);
  return changed ? out.commit() : FileStatus::success();
}

} // namespace

FileStatus stripCarriageReturns(const std::string& path, bool lfLineEnds)
{
  if (!lfLineEnds)
    return FileStatus::success();
  return rewrite(path, [](char* data, std::size_t size, bool& changed) {
    std::size_t kept = static_cast<std::size_t>(std::remove(data, data + size, '\r') - data);
    changed = changed || kept != size;
    return kept;
  });
}

FileStatus fixDecimalComma(const std::string& path, bool decimalComma)
{
  if (!decimalComma)
    return FileStatus::success();
  return rewrite(path, [](char* data, std::size_t size, bool& changed) {
    for (char* c = data; c != data + size; ++c) {
      if (*c == ',') {
        *c = '.';
        changed = true;
      }
    }
    return size;
  });
}

} // namespace tarvek
