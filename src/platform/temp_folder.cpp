#include "platform/temp_folder.h"

#include "runtime/file_util.h"
#include "runtime/runtime_error.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {

namespace {

constexpr char kFolderPrefix[] = "tarvek-";
constexpr char kLockName[] = ".lock";
constexpr time_t kSweepAge = 60;

// $TMP when it names a folder this user may create in, else $TMPDIR
// likewise, else /tmp: one the user cannot write is passed over like a
// missing one.
std::filesystem::path parentFolder()
{
  for (const char* name : {"TMP", "TMPDIR"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && DirExists(value) && ::access(value, W_OK | X_OK) == 0)
      return value;
  }
  return "/tmp";
}

// Removes the private folders of this user's earlier runs that ended
// without cleaning up: a folder whose lock file no living process holds and
// that is older than a minute. A younger one may belong to a run that is
// between making its lock file and locking it; folders without a lock file
// may be still under construction. Both stay.
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
    struct stat lockInfo {};
    const bool old = ::fstat(lock, &lockInfo) == 0 && ::time(nullptr) - lockInfo.st_mtime > kSweepAge;
    if (old && ::flock(lock, LOCK_EX | LOCK_NB) == 0) {
      std::error_code ignored;
      std::filesystem::remove_all(entry.path(), ignored);
    }
    ::close(lock);
  }
}

} // namespace

TempFolder::TempFolder()
{
  const std::filesystem::path parent = parentFolder();
  std::string pattern = (parent / (std::string(kFolderPrefix) + "XXXXXX")).string();
  const bool made = ::mkdtemp(pattern.data()) != nullptr;
  if (made) {
    m_folder = pattern;
    m_lock = ::open((m_folder / kLockName).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  }
  if (!made || m_lock < 0 || ::flock(m_lock, LOCK_EX) != 0) {
    const int error = errno;
    std::error_code ignored;
    if (made)
      std::filesystem::remove_all(m_folder, ignored);
    if (m_lock >= 0)
      ::close(m_lock);
    throw RuntimeError("Cannot create a temporary folder in " + parent.string() + ": "
                       + std::strerror(error) + ".");
  }
  removeStaleFolders(parent);
}

TempFolder::~TempFolder()
{
  std::error_code ec;
  std::filesystem::remove_all(m_folder, ec);
  if (m_lock >= 0)
    ::close(m_lock);
}

std::string TempFolder::path(const std::string& name) const
{
  return (m_folder / name).string();
}

} // namespace tarvek
