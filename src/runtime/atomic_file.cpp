#include "runtime/atomic_file.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
// Written data is handed to the disk in steps of this size while the caller
// goes on producing, so the sync at commit waits only for the last step.
constexpr std::uint64_t kWritebackStep = 4 * 1024 * 1024;

// umask() can only be read by setting it, which races with other threads;
// the kernel also reports it in /proc.
mode_t currentUmask()
{
  int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    char text[4096];
    ssize_t n = ::read(fd, text, sizeof text);
    ::close(fd);
    std::string_view status(text, n > 0 ? static_cast<std::size_t>(n) : 0);
    constexpr std::string_view key = "\nUmask:\t";
    auto at = status.find(key);
    if (at != std::string_view::npos) {
      const char* first = status.data() + at + key.size();
      unsigned value = 0;
      auto [end, ec] = std::from_chars(first, status.data() + status.size(), value, 8);
      if (ec == std::errc() && end != first)
        return static_cast<mode_t>(value & 0777);
    }
  }
  mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

int writeAll(int fd, const char* data, std::size_t size)
{
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR)
        continue;
      return errno;
    }
    if (written == 0)
      return EIO;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}


} // namespace

AtomicFile::AtomicFile(std::string path) : m_path(std::move(path))
{
  if (m_path.empty()) {
    fail(ENOENT);
    return;
  }
  if (int err = resolveLinks(m_path, m_target)) {
    fail(err);
    return;
  }
  // The rename would replace a write-protected file without asking.
  if (::access(m_target.c_str(), F_OK) == 0 && ::access(m_target.c_str(), W_OK) != 0) {
    fail(errno);
    return;
  }
  if (int err = m_file.open(m_target))
    fail(err);
}

AtomicFile::~AtomicFile()
{
  discard();
}

void AtomicFile::write(std::string_view bytes)
{
  if (m_file.fd() < 0 || !m_error.empty())
    return;
  if (m_buffer.size() + bytes.size() > kBufferSize) {
    flushBuffer();
    if (!m_error.empty())
      return;
    if (bytes.size() >= kBufferSize) {
      writeOut(bytes);
      return;
    }
  }
  m_buffer.append(bytes);
}

void AtomicFile::flushBuffer()
{
  if (m_file.fd() < 0 || !m_error.empty() || m_buffer.empty())
    return;
  writeOut(m_buffer);
  m_buffer.clear();
}

void AtomicFile::writeOut(std::string_view bytes)
{
  if (int err = writeAll(m_file.fd(), bytes.data(), bytes.size())) {
    fail(err);
    return;
  }
  m_written += bytes.size();
  if (m_written - m_handedToDisk >= kWritebackStep) {
    // Only a start: failures surface in the sync at commit.
    ::sync_file_range(m_file.fd(), static_cast<off_t>(m_handedToDisk),
                      static_cast<off_t>(m_written - m_handedToDisk), SYNC_FILE_RANGE_WRITE);
    m_handedToDisk = m_written;
  }
}

FileStatus AtomicFile::commit()
{
  if (m_committed)
    return FileStatus::success();
  flushBuffer();
  if (m_error.empty())
    finish();
  if (!m_error.empty()) {
    discard();
    return FileStatus::failure(m_error);
  }
  m_committed = true;
  return FileStatus::success();
}

void AtomicFile::finish()
{
  struct stat old {};
  mode_t mode = ::stat(m_target.c_str(), &old) == 0 ? old.st_mode & 07777
                                                    : 0666 & ~currentUmask();
  if (::fchmod(m_file.fd(), mode) != 0 || ::fsync(m_file.fd()) != 0)
    return fail(errno);
  if (int err = m_file.commitTo(m_target))
    fail(err);
}

void AtomicFile::fail(int errorNumber)
{
  if (m_error.empty())
    m_error = fileErrorText("Could not save", m_path, errorNumber);
}

void AtomicFile::discard()
{
  m_file.discard();
  m_buffer.clear();
}

FileStatus writeFileAtomic(const std::string& path, std::string_view bytes)
{
  AtomicFile file(path);
  file.write(bytes);
  return file.commit();
}

} // namespace tarvek
