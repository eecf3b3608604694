#pragma once

#include <filesystem>
#include <string>

namespace tarvek::test {

// A fresh folder under the system's temporary folder, removed with all its
// contents when the object goes away.
class ScratchDir {
public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path file(const std::string& name) const { return m_path / name; }

  // Writes bytes to a file in the folder and returns its path.
  std::filesystem::path write(const std::string& name, const std::string& bytes) const;

private:
  std::filesystem::path m_path;
};

// The whole content of a file ("" when it cannot be read).
std::string readBytes(const std::filesystem::path& path);

} // namespace tarvek::test
