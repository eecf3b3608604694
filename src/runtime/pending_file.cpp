// Unnamed files in the target's folder, named only at commit.
#include "runtime/pending_file.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <set>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {

namespace {

constexpr int kNameAttempts = 100;

std::string randomName(const std::string& folder)
{
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  unsigned char bytes[6] = {};
  if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
    const auto seed = static_cast<unsigned>(::getpid()) ^ static_cast<unsigned>(::clock());
    for (std::size_t i = 0; i < sizeof bytes; ++i)
      bytes[i] = static_cast<unsigned char>(seed >> (i * 5));
  }
  std::string name = folder + "/" + kPendingPrefix;
  for (unsigned char b : bytes)
    name += kLetters[b % (sizeof kLetters - 1)];
  return name;
}

std::string folderOf(const std::string& file)
{
  const auto slash = file.rfind('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? std::string("/") : file.substr(0, slash);
}

bool sameFile(const struct stat& a, const struct stat& b)
{
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The folder's own entry is synced so the rename survives a power cut; a
// failure here loses nothing already saved.
void syncFolder(const std::string& folder)
{
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

// A named file, locked, that still has its name once the lock is held: a
// sweeper may take a file in the moment between its creation and its lock.
int openNamed(const std::string& folder, int& fd, std::string& name)
{
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string path = folder + "/" + kPendingPrefix + "XXXXXX";
    const int candidate = ::mkostemp(path.data(), O_CLOEXEC);
    if (candidate < 0)
      return errno;
    struct stat held {}, named {};
    if (::flock(candidate, LOCK_EX | LOCK_NB) == 0 && ::fstat(candidate, &held) == 0 &&
        ::lstat(path.c_str(), &named) == 0 && sameFile(held, named)) {
      fd = candidate;
      name = path;
      return 0;
    }
    ::close(candidate);
  }
  return EEXIST;
}

// True the first time a folder is named in this process. Stale files are
// rare (a writer killed mid-save), so one sweep per folder and process keeps
// them from piling up, and a file saved again and again does not read the
// whole folder each time.
bool firstVisit(const std::string& folder)
{
  static std::mutex mutex;
  static std::set<std::string> swept;
  const std::lock_guard lock(mutex);
  return swept.insert(folder).second;
}

} // namespace

PendingFile::~PendingFile()
{
  discard();
}

int PendingFile::open(const std::string& target)
{
  discard();
  m_folder = folderOf(target);
  if (firstVisit(m_folder))
    sweepStaleSaves(m_folder);
  // Naming it later goes through /proc; without /proc only a named file works.
  if (::access("/proc/self/fd", X_OK) == 0) {
    const int fd = ::open(m_folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
      // Locked from the start, so the name it gets at commit is never swept.
      ::flock(fd, LOCK_EX);
      m_fd = fd;
      return 0;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
      return errno;
  }
  return openNamed(m_folder, m_fd, m_name);
}

int PendingFile::commitTo(const std::string& target, FolderSync folderSync)
{
  if (m_fd < 0)
    return EBADF;
  if (m_name.empty()) {
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    int err = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && err == EEXIST; ++attempt) {
      std::string name = randomName(m_folder);
      err = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0
                ? 0
                : errno;
      if (err == 0)
        m_name = std::move(name);
    }
    if (err != 0) {
      discard();
      return err;
    }
  }
  if (::rename(m_name.c_str(), target.c_str()) != 0) {
    const int err = errno;
    discard();
    return err;
  }
  m_name.clear();
  // The caller synced the data before; a close error cannot undo the rename.
  ::close(m_fd);
  m_fd = -1;
  if (folderSync == FolderSync::Sync)
    syncFolder(m_folder);
  return 0;
}

void PendingFile::discard()
{
  if (!m_name.empty()) {
    ::unlink(m_name.c_str());
    m_name.clear();
  }
  if (m_fd >= 0) {
    ::close(m_fd);
    m_fd = -1;
  }
}

void sweepStaleSaves(const std::string& folder)
{
  DIR* dir = ::opendir(folder.c_str());
  if (!dir)
    return;
  const int dirFd = ::dirfd(dir);
  const uid_t me = ::geteuid();
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strncmp(entry->d_name, kPendingPrefix, sizeof kPendingPrefix - 1) != 0)
      continue;
    const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
      continue;
    struct stat held {}, named {};
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && held.st_uid == me &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(held, named))
      ::unlinkat(dirFd, entry->d_name, 0);
    ::close(fd);
  }
  ::closedir(dir);
}

int resolveLinks(const std::string& path, std::string& target)
{
  namespace fs = std::filesystem;
  constexpr int kMaxLinkHops = 40;
  fs::path p = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(p, ec))) {
      target = p.string();
      return 0;
    }
    const fs::path next = fs::read_symlink(p, ec);
    if (ec)
      return ec.value();
    p = next.is_absolute() ? next : p.parent_path() / next;
  }
  return ELOOP;
}

} // namespace tarvek
