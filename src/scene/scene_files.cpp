#include "scene/scene_files.h"

#include "runtime/byte_scan.h"
#include "runtime/number_parse.h"
#include "runtime/print_form.h"

#include <algorithm>
#include <bit>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {
namespace {

// Large structures write tens of megabytes; the buffer keeps that to a few
// hundred system calls.
constexpr std::size_t kFlushSize = 1 << 20;

} // namespace

std::string atomLine(float x, float y, float z, std::int16_t type, std::int32_t index,
                     std::int32_t colour)
{
  PrintLine line;
  line << x << y << z << type << index << colour;
  return line.str();
}

std::string sheetLine(float x, float y, float z, std::int16_t type, std::int32_t index)
{
  PrintLine line;
  line << x << y << z << type << index;
  return line.str();
}

std::string bondLine(const float (&p1)[3], const float (&p2)[3], std::int32_t colour)
{
  PrintLine line;
  line << p1[0] << p1[1] << p1[2] << p2[0] << p2[1] << p2[2] << colour;
  return line.str();
}

std::string fillCylinderLine(const float (&p1)[3], const float (&p2)[3], std::int32_t colour,
                             float radius)
{
  PrintLine line;
  line << p1[0] << p1[1] << p1[2] << p2[0] << p2[1] << p2[2] << colour << radius;
  return line.str();
}

std::string fillBallLine(float radius, std::int32_t colour)
{
  PrintLine line;
  const std::int16_t zero = 0;
  line << zero << zero << zero << radius << colour;
  return line.str();
}

SceneFileAppender::SceneFileAppender(std::string path) : m_path(std::move(path))
{
  struct stat info {};
  m_existed = ::stat(m_path.c_str(), &info) == 0;
  if (m_existed)
    m_startSize = info.st_size;
  m_fd = ::open(m_path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
  if (m_fd < 0)
    throw SceneError(fileErrorText("Could not open the scene file", m_path, errno));
  // Room for a full buffer and the line that fills it, taken once.
  m_buffer.reserve(kFlushSize + 4096);
}

SceneFileAppender::~SceneFileAppender()
{
  if (m_fd >= 0)
    ::close(m_fd);
  if (m_committed)
    return;
  if (m_existed) {
    if (::truncate(m_path.c_str(), m_startSize) != 0) {
      // Nothing better to do while an error is already on its way out.
    }
  } else {
    ::unlink(m_path.c_str());
  }
}

void SceneFileAppender::append(const std::string& line)
{
  m_buffer.insert(m_buffer.end(), line.begin(), line.end());
  m_buffer.push_back('\r');
  m_buffer.push_back('\n');
  if (m_buffer.size() >= kFlushSize)
    flush();
}

void SceneFileAppender::appendLines(std::string_view lines)
{
  m_buffer.insert(m_buffer.end(), lines.begin(), lines.end());
  if (m_buffer.size() >= kFlushSize)
    flush();
}

void SceneFileAppender::flush()
{
  std::size_t done = 0;
  while (done < m_buffer.size()) {
    const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      throw SceneError(fileErrorText("Could not write the scene file", m_path, n < 0 ? errno : EIO));
    done += static_cast<std::size_t>(n);
  }
  m_buffer.clear();
}

void SceneFileAppender::commit()
{
  flush();
  const int fd = m_fd;
  m_fd = -1;
  if (::close(fd) != 0)
    throw SceneError(fileErrorText("Could not write the scene file", m_path, errno));
  m_committed = true;
}

SceneFileReader::SceneFileReader(std::string path, std::uint64_t offset, std::int64_t firstLine)
    : m_path(path), m_reader(std::move(path), offset), m_lineNumber(firstLine)
{
}

bool SceneFileReader::next(SceneFields& fields)
{
  std::string_view line;
  if (!m_reader.next(line))
    return false;
  ++m_lineNumber;
  if (line.find(',') != std::string_view::npos) {
    m_pointLine.assign(line);
    std::replace(m_pointLine.begin(), m_pointLine.end(), ',', '.');
    line = m_pointLine;
  }
  // Fields are the runs of non-blanks: their starts and ends come from a
  // mask of the non-blank bytes, 64 bytes at a time, without a branch per
  // byte.
  fields.clear();
  const char* const bytes = line.data();
  const std::size_t n = line.size();
  std::size_t closed = 0;
  auto close = [&](std::size_t end) {
    const char* start = fields[closed].data();
    fields[closed++] = std::string_view(start, static_cast<std::size_t>(bytes + end - start));
  };
  std::uint64_t runsOn = 0; // the last block ended inside a field
  for (std::size_t block = 0; block < n; block += 64) {
    const std::size_t count = std::min<std::size_t>(64, n - block);
    const std::uint64_t inField = otherBits(bytes + block, count, ' ');
    const std::uint64_t before = inField << 1 | runsOn;
    for (std::uint64_t starts = inField & ~before; starts != 0; starts &= starts - 1)
      fields.emplace_back(bytes + block + static_cast<std::size_t>(std::countr_zero(starts)), 0);
    // A field that reaches the end of a short last block ends at bit count.
    for (std::uint64_t ends = before & ~inField; ends != 0; ends &= ends - 1)
      close(block + static_cast<std::size_t>(std::countr_zero(ends)));
    runsOn = inField >> 63;
  }
  if (closed < fields.size())
    close(n);
  // A blank line gives one empty field, as splitSpaces does.
  if (fields.empty())
    fields.emplace_back();
  return true;
}

double SceneFileReader::value(const SceneFields& fields, std::size_t i) const
{
  if (i >= fields.size()) {
    throw SceneError("Line " + std::to_string(m_lineNumber) + " of the scene file \"" + m_path
                     + "\" has " + std::to_string(fields.size()) + " fields; "
                     + std::to_string(i + 1) + " are needed.");
  }
  return Val(fields[i]);
}

} // namespace tarvek
