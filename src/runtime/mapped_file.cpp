// Mapping a file read-only, with a plain read as the fallback.
#include "runtime/mapped_file.h"

#include "runtime/file_util.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tarvek {

MappedFile::~MappedFile() { release(); }

MappedFile::MappedFile(MappedFile&& other) noexcept { *this = std::move(other); }

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept
{
  if (this != &other) {
    release();
    m_map = std::exchange(other.m_map, nullptr);
    m_mapSize = std::exchange(other.m_mapSize, 0);
    const bool mapped = m_map != nullptr;
    m_read = std::move(other.m_read);
    m_view = mapped ? std::exchange(other.m_view, {}) : std::string_view(m_read);
    other.m_view = {};
  }
  return *this;
}

void MappedFile::release() noexcept
{
  if (m_map != nullptr)
    ::munmap(m_map, m_mapSize);
  m_map = nullptr;
  m_mapSize = 0;
  m_read.clear();
  m_view = {};
}

FileStatus MappedFile::open(const std::string& path)
{
  release();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return FileStatus::failure(fileErrorText("Could not read", path, errno));
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    const auto size = static_cast<std::size_t>(info.st_size);
    // Populated at once: the reader goes through every page, and one call
    // maps them all in place of a fault per page.
    void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (map != MAP_FAILED) {
      ::close(fd);
      ::madvise(map, size, MADV_SEQUENTIAL);
      m_map = map;
      m_mapSize = size;
      m_view = std::string_view(static_cast<const char*>(map), size);
      return FileStatus::success();
    }
  }
  ::close(fd);
  FileStatus status = readFileBytes(path, m_read);
  m_view = m_read;
  return status;
}

} // namespace tarvek
