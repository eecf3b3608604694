// A file's bytes seen in place: mapped when it is a regular file, read otherwise.
#pragma once

#include "runtime/file_status.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvek {

// The bytes of a file, read-only, for readers that go through a file once.
// A regular file is mapped, so a large one takes no fresh memory and its
// pages come straight from the system's file cache; anything else (a pipe, a
// device) is read into memory the object owns.
class MappedFile {
public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Opens path; on failure the bytes are empty and the status says why.
  FileStatus open(const std::string& path);

  std::string_view bytes() const { return m_view; }

private:
  void release() noexcept;

  void* m_map = nullptr;
  std::size_t m_mapSize = 0;
  std::string m_read;
  std::string_view m_view;
};

} // namespace tarvek
