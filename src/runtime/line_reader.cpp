#include "runtime/line_reader.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace tarvek {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

} // namespace

std::vector<std::string_view> splitLines(std::string_view bytes)
{
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t hit = bytes.find_first_of("\r\n", start);
    if (hit == std::string_view::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, hit - start));
    start = hit + 1;
    if (bytes[hit] == '\r' && start < bytes.size() && bytes[start] == '\n')
      ++start;
  }
  return lines;
}

LineReader::LineReader(std::string path, std::uint64_t offset) : m_path(std::move(path))
{
  m_fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
  if (m_fd < 0) {
    m_error = fileErrorText("Could not read", m_path, errno);
    return;
  }
  if (offset > 0 && ::lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) < 0) {
    m_error = fileErrorText("Could not read", m_path, errno);
    ::close(m_fd);
    m_fd = -1;
    return;
  }
  m_buffer.resize(kBufferSize);
}

LineReader::~LineReader()
{
  if (m_fd >= 0)
    ::close(m_fd);
}

bool LineReader::fill()
{
  if (m_fd < 0 || m_eof)
    return false;
  for (;;) {
    ssize_t n = ::read(m_fd, m_buffer.data(), m_buffer.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      // A directory opens but fails here with EISDIR.
      if (n < 0)
        m_error = fileErrorText("Could not read", m_path, errno);
      m_eof = true;
      return false;
    }
    m_pos = 0;
    m_end = static_cast<std::size_t>(n);
    return true;
  }
}

bool LineReader::next(std::string& line)
{
  line.clear();
  for (;;) {
    if (m_pos == m_end && !fill())
      return !line.empty();
    const char* start = m_buffer.data() + m_pos;
    const char* stop = m_buffer.data() + m_end;
    const char* hit = start;
    while (hit != stop && *hit != '\r' && *hit != '\n')
      ++hit;
    line.append(start, hit);
    m_pos = static_cast<std::size_t>(hit - m_buffer.data());
    if (hit == stop)
      continue;
    ++m_pos;
    if (*hit == '\r') {
      // The LF of a CR LF pair may start the next block.
      if (m_pos == m_end)
        fill();
      if (m_pos < m_end && m_buffer[m_pos] == '\n')
        ++m_pos;
    }
    return true;
  }
}

FileStatus LineReader::status() const
{
  return m_error.empty() ? FileStatus::success() : FileStatus::failure(m_error);
}

} // namespace tarvek
