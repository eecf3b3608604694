#include "platform/temp_folder.h"

#include "runtime/file_util.h"
#include "runtime/runtime_error.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {

namespace {

constexpr char kFolderPrefix[] = "tarvek-";
constexpr char kLockName[] = ".lock";

// $TMP, then $TMPDIR, when they name folders, then /tmp.
std::vector<std::filesystem::path> parentFolders()
{
  std::vector<std::filesystem::path> parents;
  for (const char* name : {"TMP", "TMPDIR"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && DirExists(value))
      parents.emplace_back(value);
  }
  parents.emplace_back("/tmp");
  return parents;
}

// Removes the private folders of this user's earlier runs that ended
// without cleaning up: a folder whose lock file no living process holds.
// Folders without a lock file may be still under construction and stay.
void removeStaleFolders(const std::filesystem::path& parent)
{
  std::error_code ec;
  const uid_t me = ::geteuid();
  for (const auto& entry : std::filesystem::directory_iterator(parent, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kFolderPrefix, 0) != 0)
      continue;
    struct stat info {};
    if (::lstat(entry.path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != me)
      continue;
    const int lock =
        ::open((entry.path() / kLockName).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (lock < 0)
      continue;
    if (::flock(lock, LOCK_EX | LOCK_NB) == 0) {
      std::error_code ignored;
      std::filesystem::remove_all(entry.path(), ignored);
    }
    ::close(lock);
  }
}

} // namespace

TempFolder::TempFolder()
{
  // A parent that exists but refuses the folder is passed over like a
  // missing one; the error names the last one tried.
  int error = 0;
  std::filesystem::path parent;
  for (const auto& candidate : parentFolders()) {
    parent = candidate;
    std::string pattern = (parent / (std::string(kFolderPrefix) + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      error = errno;
      continue;
    }
    const std::filesystem::path folder = pattern;
    m_lock = ::open((folder / kLockName).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (m_lock < 0 || ::flock(m_lock, LOCK_EX) != 0) {
      error = errno;
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
      continue;
    }
    m_folder = folder;
    removeStaleFolders(parent);
    return;
  }
  throw RuntimeError("Cannot create a temporary folder in " + parent.string() + ": "
                     + std::strerror(error) + ".");
}

TempFolder::~TempFolder()
{
  std::error_code ec;
  std::filesystem::remove_all(m_folder, ec);
  ::close(m_lock);
}

std::string TempFolder::path(const std::string& name) const
{
  return (m_folder / name).string();
}

} // namespace tarvek
