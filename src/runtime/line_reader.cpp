#include "runtime/line_reader.h"

#include "runtime/byte_scan.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace tarvek {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

} // namespace

BigVector<std::string_view> splitLines(std::string_view bytes)
{
  BigVector<std::string_view> lines;
  // Every line but the last ends in an LF, or in a CR where the file has no
  // LF at all: room for all of them at once, so the list is never copied as
  // it grows (a file mixing lone CRs with LFs may still grow it).
  auto ends = std::count(bytes.begin(), bytes.end(), '\n');
  if (ends == 0)
    ends = std::count(bytes.begin(), bytes.end(), '\r');
  lines.reserve(static_cast<std::size_t>(ends) + 1);
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

LineReader::LineReader(std::string path, std::uint64_t offset)
    : m_path(std::move(path)), m_bufferOffset(offset), m_lineStart(offset)
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

bool LineReader::readMore()
{
  if (m_fd < 0 || m_eof)
    return false;
  const std::size_t kept = m_end - m_pos;
  if (m_pos > 0 && kept > 0)
    std::memmove(m_buffer.data(), m_buffer.data() + m_pos, kept);
  m_bufferOffset += m_pos;
  m_pos = 0;
  m_end = kept;
  // A line longer than the buffer: the buffer grows to hold it.
  if (m_end == m_buffer.size())
    m_buffer.resize(2 * m_buffer.size());
  for (;;) {
    ssize_t n = ::read(m_fd, m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      // A directory opens but fails here with EISDIR.
      if (n < 0)
        m_error = fileErrorText("Could not read", m_path, errno);
      m_eof = true;
      return false;
    }
    m_end += static_cast<std::size_t>(n);
    return true;
  }
}

bool LineReader::next(std::string& line)
{
  std::string_view view;
  const bool got = next(view);
  line.assign(view);
  return got;
}

bool LineReader::next(std::string_view& line)
{
  line = {};
  if (m_pendingLf) {
    m_pendingLf = false;
    if (m_pos == m_end)
      readMore();
    if (m_pos < m_end && m_buffer[m_pos] == '\n')
      ++m_pos;
  }
  const std::uint64_t start = m_bufferOffset + m_pos;
  std::size_t scan = m_pos;
  for (;;) {
    const std::size_t hit = findEither(m_buffer.data(), scan, m_end, '\r', '\n');
    if (hit < m_end) {
      m_lineStart = start;
      line = std::string_view(m_buffer.data() + m_pos, hit - m_pos);
      m_pos = hit + 1;
      if (m_buffer[hit] == '\r') {
        if (m_pos == m_end)
          m_pendingLf = true;
        else if (m_buffer[m_pos] == '\n')
          ++m_pos;
      }
      return true;
    }
    const std::size_t kept = m_end - m_pos;
    if (!readMore()) {
      // The last line needs no end.
      if (kept == 0)
        return false;
      m_lineStart = start;
      line = std::string_view(m_buffer.data() + m_pos, kept);
      m_pos = m_end;
      return true;
    }
    scan = kept;
  }
}

FileStatus LineReader::status() const
{
  return m_error.empty() ? FileStatus::success() : FileStatus::failure(m_error);
}

} // namespace tarvek
