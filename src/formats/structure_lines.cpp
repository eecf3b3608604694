// The lines of a coordinate file, read in blocks of a few MiB.
#include "formats/structure_lines.h"

#include "platform/abort.h"
#include "runtime/big_buffer.h"
#include "runtime/file_util.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace tarvek {

StructureLines::StructureLines(std::string_view bytes)
    : m_data(bytes.data()), m_size(bytes.size()), m_end(bytes.size()), m_eof(true)
{
}

StructureLines::StructureLines(const std::string& path, AbortToken* abort)
    : m_path(path), m_abort(abort)
{
  std::size_t expected = 0;
  m_fd = openForReading(path, expected);
  if (m_fd < 0)
    throw RuntimeError(fileErrorText("Could not read", path, errno));
  try {
    m_block = static_cast<char*>(allocateBig(kBlockBytes));
  } catch (...) {
    ::close(m_fd);
    throw;
  }
  m_data = m_block;
  m_size = expected;
  if (m_abort != nullptr)
    m_abort->clearEscape();
}

StructureLines::~StructureLines()
{
  if (m_fd >= 0)
    ::close(m_fd);
  if (m_block != nullptr)
    freeBig(m_block, kBlockBytes);
}

std::uint64_t StructureLines::bytesLeft() const
{
  const std::uint64_t done = m_offset + m_pos;
  return m_size > done ? m_size - done : 0;
}

bool StructureLines::readMore()
{
  if (m_fd < 0 || m_eof)
    return false;
  if (m_abort != nullptr && m_abort->escapePressed())
    throw RuntimeError("\"" + m_path + "\" was not read: stopped by Escape.");
  const std::size_t kept = m_end - m_pos;
  if (m_pos > 0 && kept > 0)
    std::memmove(m_block, m_block + m_pos, kept);
  m_offset += m_pos;
  m_pos = 0;
  m_end = kept;
  m_lfValid = false;
  m_crValid = false;
  for (;;) {
    const ssize_t n = ::read(m_fd, m_block + m_end, kBlockBytes - m_end);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      throw RuntimeError(fileErrorText("Could not read", m_path, errno));
    if (n == 0) {
      m_eof = true;
      return false;
    }
    m_end += static_cast<std::size_t>(n);
    return true;
  }
}

std::size_t StructureLines::nextOf(char c, std::size_t& cache, bool& valid)
{
  if (!valid || cache < m_pos) {
    const void* hit = std::memchr(m_data + m_pos, c, m_end - m_pos);
    cache = hit != nullptr ? static_cast<std::size_t>(static_cast<const char*>(hit) - m_data)
                           : m_end;
    valid = true;
  }
  return cache;
}

void StructureLines::skipRest()
{
  m_skipping = false;
  for (;;) {
    const std::size_t hit =
        std::min(nextOf('\n', m_nextLf, m_lfValid), nextOf('\r', m_nextCr, m_crValid));
    if (hit < m_end) {
      m_pos = hit + 1;
      if (m_data[hit] == '\r')
        m_pendingLf = true;
      return;
    }
    m_pos = m_end;
    if (!readMore())
      return;
  }
}

bool StructureLines::next(std::string_view& line)
{
  line = {};
  if (!m_started) {
    m_started = true;
    readMore();
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (std::string_view(m_data, m_end).starts_with(bom))
      m_pos = bom.size();
  }
  if (m_skipping)
    skipRest();
  if (m_pendingLf) {
    m_pendingLf = false;
    if (m_pos == m_end)
      readMore();
    if (m_pos < m_end && m_data[m_pos] == '\n')
      ++m_pos;
  }
  for (;;) {
    const std::size_t hit =
        std::min(nextOf('\n', m_nextLf, m_lfValid), nextOf('\r', m_nextCr, m_crValid));
    if (hit - m_pos > kBlockBytes || (hit == m_end && m_end - m_pos >= kBlockBytes)) {
      // Too long to keep: its start stands for it.
      line = std::string_view(m_data + m_pos, kBlockBytes);
      m_skipping = true;
      ++m_lineNumber;
      return true;
    }
    if (hit < m_end) {
      line = std::string_view(m_data + m_pos, hit - m_pos);
      m_pos = hit + 1;
      if (m_data[hit] == '\r')
        m_pendingLf = true;
      ++m_lineNumber;
      return true;
    }
    if (!readMore()) {
      if (m_pos == m_end)
        return false;
      line = std::string_view(m_data + m_pos, m_end - m_pos);
      m_pos = m_end;
      ++m_lineNumber;
      return true;
    }
  }
}

} // namespace tarvek
