#include "scene/scene_files.h"

#include "runtime/number_parse.h"
#include "runtime/print_form.h"
#include "runtime/split.h"

#include <algorithm>
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
  m_buffer += line;
  m_buffer += "\r\n";
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

bool SceneFileReader::next(std::vector<std::string>& fields)
{
  if (!m_reader.next(m_line))
    return false;
  ++m_lineNumber;
  std::replace(m_line.begin(), m_line.end(), ',', '.');
  splitSpaces(m_line, fields);
  return true;
}

double SceneFileReader::value(const std::vector<std::string>& fields, std::size_t i) const
{
  if (i >= fields.size()) {
    throw SceneError("Line " + std::to_string(m_lineNumber) + " of the scene file \"" + m_path
                     + "\" has " + std::to_string(fields.size()) + " fields; "
                     + std::to_string(i + 1) + " are needed.");
  }
  return Val(fields[i]);
}

} // namespace tarvek
