// A file's bytes read whole into a block of the program's own.
#pragma once

#include "runtime/file_status.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvek {

// The bytes of a file, read-only, for readers that go through a file once.
// The bytes are read, not mapped: a file that another process shortens
// while it is read gives fewer bytes, never a fault. The block is a big
// block (runtime/big_buffer.h), so a file read again finds its pages warm.
class FileBytes {
public:
  FileBytes() = default;
  ~FileBytes();
  FileBytes(FileBytes&& other) noexcept;
  FileBytes& operator=(FileBytes&& other) noexcept;
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  // Reads path; on failure the bytes are empty and the status says why.
  FileStatus open(const std::string& path);

  std::string_view bytes() const { return {m_data, m_size}; }

private:
  void release() noexcept;
  void grow(std::size_t capacity);
  // Reads fd to its end, expecting about `expected` bytes; 0 or the errno.
  int readAll(int fd, std::size_t expected);

  char* m_data = nullptr;
  std::size_t m_capacity = 0;
  std::size_t m_size = 0;
};

} // namespace tarvek
