#pragma once

#include <filesystem>
#include <string>

namespace tarvek {

// The process's private folder for temporary files (mode 0700), so fixed
// file names such as "tmp.xyz" never clash between users or runs. It is made
// under $TMP when that names a folder the user may write, else under
// $TMPDIR (likewise) or /tmp, and removed with its contents when the
// object goes away. The folder holds a lock file kept locked while the
// object lives; making one removes this user's folders of the same kind
// whose lock nobody holds and that are older than a minute, left by a run
// that crashed or was killed.
class TempFolder {
public:
  // Throws RuntimeError naming the parent folder and the system's reason
  // when the folder cannot be made.
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& folder() const { return m_folder; }
  // The full path of a file name inside the folder.
  std::string path(const std::string& name) const;

private:
  std::filesystem::path m_folder;
  int m_lock = -1;
};

} // namespace tarvek
