#pragma once

#include "runtime/atomic_file.h"
#include "runtime/file_status.h"

#include <string>
#include <string_view>

namespace tarvek {

// Writes a text file line by line, each line ended by CR LF, or LF alone when
// asked for. Nothing reaches the target until commit(), which makes the
// complete file appear or returns why not (the old file then stays).
// Destroyed uncommitted, it leaves the target untouched. Saving rules as for
// AtomicFile.
class TextFileWriter {
public:
  explicit TextFileWriter(std::string path, bool lfLineEnds = false)
      : m_file(std::move(path)), m_lineEnd(lfLineEnds ? "\n" : "\r\n")
  {
  }

  void writeLine(std::string_view text)
  {
    m_file.write(text);
    m_file.write(m_lineEnd);
  }

  FileStatus commit() { return m_file.commit(); }

  const std::string& path() const { return m_file.path(); }

private:
  AtomicFile m_file;
  std::string_view m_lineEnd;
};

} // namespace tarvek
