// Reading a file whole into a big block.
#include "runtime/file_bytes.h"

#include "runtime/big_buffer.h"
#include "runtime/file_util.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <utility>

namespace tarvek {

namespace {

// The first block for a file that reports no size (a pipe, a /proc file).
constexpr std::size_t kUnsizedBlock = 64 * 1024;

} // namespace

FileBytes::~FileBytes() { release(); }

FileBytes::FileBytes(FileBytes&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)),
      m_capacity(std::exchange(other.m_capacity, 0)),
      m_size(std::exchange(other.m_size, 0))
{
}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept
{
  if (this != &other) {
    release();
    m_data = std::exchange(other.m_data, nullptr);
    m_capacity = std::exchange(other.m_capacity, 0);
    m_size = std::exchange(other.m_size, 0);
  }
  return *this;
}

void FileBytes::release() noexcept
{
  freeBig(m_data, m_capacity);
  m_data = nullptr;
  m_capacity = 0;
  m_size = 0;
}

void FileBytes::grow(std::size_t capacity)
{
  char* const data = static_cast<char*>(allocateBig(capacity));
  if (m_size > 0)
    std::memcpy(data, m_data, m_size);
  freeBig(m_data, m_capacity);
  m_data = data;
  m_capacity = capacity;
}

int FileBytes::readAll(int fd, std::size_t expected)
{
  // One spare byte lets the last read see the end without growing the
  // block; a file that grows meanwhile is read on, into larger blocks.
  grow(expected > 0 ? expected + 1 : kUnsizedBlock);
  // m_size follows the count read, so a block grown keeps every byte so far.
  return readToEnd(fd, m_size, [this](std::size_t filled) {
    if (filled == m_capacity)
      grow(m_capacity * 2);
    return std::span<char>(m_data + filled, m_capacity - filled);
  });
}

FileStatus FileBytes::open(const std::string& path)
{
  release();
  std::size_t expected = 0;
  const int fd = openForReading(path, expected);
  if (fd < 0)
    return FileStatus::failure(fileErrorText("Could not read", path, errno));
  int error = 0;
  try {
    error = readAll(fd, expected);
  } catch (const std::bad_alloc&) {
    error = ENOMEM;
  }
  ::close(fd);
  if (error == 0)
    return FileStatus::success();
  release();
  return FileStatus::failure(fileErrorText("Could not read", path, error));
}

} // namespace tarvek
