#pragma once

#include "runtime/big_buffer.h"
#include "runtime/line_reader.h"
#include "runtime/runtime_error.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace tarvek {

// A scene operation that failed and changed nothing; what() names the cause.
class SceneError : public RuntimeError {
public:
  using RuntimeError::RuntimeError;
};

// The scene atom file ("tmp.xyz") and bond file ("tmp.zyx") hold one line
// per drawn atom, bond and fill object, in print form and print zones with
// CR LF, "." as decimal sign in every locale:
//   atom set   x y z type index colour       (6 fields)
//   sheet set  x y z type index              (5 fields)
//   bond       x1 y1 z1 x2 y2 z2 colour      (7 fields)
//   fill cyl.  x1 y1 z1 x2 y2 z2 colour r    (8 fields)
//   fill ball  0 0 0 r colour                (5 fields)
std::string atomLine(float x, float y, float z, std::int16_t type, std::int32_t index,
                     std::int32_t colour);
std::string sheetLine(float x, float y, float z, std::int16_t type, std::int32_t index);
std::string bondLine(const float (&p1)[3], const float (&p2)[3], std::int32_t colour);
std::string fillCylinderLine(const float (&p1)[3], const float (&p2)[3], std::int32_t colour,
                             float radius);
std::string fillBallLine(float radius, std::int32_t colour);

// Appends lines to one scene file through a buffer, creating the file when
// absent. Until commit() succeeds the file is cut back to its length before
// the appender opened it (removed when it did not exist) as the object goes
// away, so a failed compile leaves no part of its lines behind.
class SceneFileAppender {
public:
  // Throws SceneError naming the path when the file cannot be opened.
  explicit SceneFileAppender(std::string path);
  ~SceneFileAppender();
  SceneFileAppender(const SceneFileAppender&) = delete;
  SceneFileAppender& operator=(const SceneFileAppender&) = delete;

  // Adds CR LF. Throws SceneError when a write fails.
  void append(const std::string& line);
  // Adds lines that already end in CR LF.
  void appendLines(std::string_view lines);
  // Writes what is buffered and closes the file; SceneError on failure.
  void commit();

private:
  void flush();

  std::string m_path;
  BigVector<char> m_buffer;
  int m_fd = -1;
  off_t m_startSize = 0;
  bool m_existed = false;
  bool m_committed = false;
};

// The fields of one scene file line: views into the reader's line, valid
// until its next line.
using SceneFields = std::vector<std::string_view>;

// Reads a scene file line by line the way every reader of it does: "," turns
// into ".", the line splits on runs of blanks, and a field reads as the
// longest number at its start (0 when there is none).
class SceneFileReader {
public:
  // Reading may start at a line start offset bytes into the file, counted as
  // line firstLine + 1.
  explicit SceneFileReader(std::string path, std::uint64_t offset = 0, std::int64_t firstLine = 0);

  // The fields of the next line; false at the end or on a failure. A blank
  // line gives one empty field.
  bool next(SceneFields& fields);
  // Field i of fields as a number; SceneError naming the line when the line
  // has fewer fields.
  double value(const SceneFields& fields, std::size_t i) const;
  // The file offset where the line next() gave last began.
  std::uint64_t lineStart() const { return m_reader.lineStart(); }
  // 1-based number of the line next() gave last.
  std::int64_t lineNumber() const { return m_lineNumber; }
  // Success, or why the file could not be opened or read.
  FileStatus status() const { return m_reader.status(); }
  const std::string& path() const { return m_path; }

private:
  std::string m_path;
  LineReader m_reader;
  // A line that holds "," as its copy with "." instead.
  std::string m_pointLine;
  std::int64_t m_lineNumber = 0;
};

} // namespace tarvek
