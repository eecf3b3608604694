#pragma once

#include "runtime/big_buffer.h"
#include "runtime/file_status.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// The lines of text held in memory, by LineReader's rule: CR LF, LF and a
// lone CR each end a line, the last line needs no end, and a text ending in a
// line end has no empty line after it. The views point into bytes; a file of
// a million lines has a list of 16 MB, so it lives in huge-page blocks.
BigVector<std::string_view> splitLines(std::string_view bytes);

// Reads a text file one line at a time, without the line ends. CR LF, LF and
// a lone CR each end a line; the last line needs no end, and a file ending in
// a line end has no empty line after it. The file is only read, never changed.
class LineReader {
public:
  // Reading starts offset bytes into the file, which must be a line start.
  explicit LineReader(std::string path, std::uint64_t offset = 0);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next line into line; false at the end of the file or on a failure.
  bool next(std::string& line);
  // The same as a view into the reader's buffer, valid until the next call.
  bool next(std::string_view& line);

  // The file offset where the line next() gave last began: a place a new
  // reader can start from.
  std::uint64_t lineStart() const { return m_lineStart; }

  // Success, or why the file could not be opened or read to its end.
  FileStatus status() const;

private:
  // Keeps the bytes from m_pos on, moved to the buffer's start (the buffer
  // grows when they fill it), and reads more after them; false at the end of
  // the file or on a failure.
  bool readMore();

  std::string m_path;
  std::string m_error;
  int m_fd = -1;
  std::string m_buffer;
  std::uint64_t m_bufferOffset = 0; // the file offset of m_buffer[0]
  std::uint64_t m_lineStart = 0;
  std::size_t m_pos = 0;
  std::size_t m_end = 0;
  bool m_eof = false;
  // The last line ended in a CR that ended the bytes read so far: an LF that
  // starts the next bytes belongs to it.
  bool m_pendingLf = false;
};

} // namespace tarvek
