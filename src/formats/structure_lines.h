// The lines of a coordinate file, read in blocks of a few MiB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek {

class AbortToken;

// Gives a structure file's lines one at a time, without their ends: CR LF,
// LF and a lone CR each end a line, the last line needs no end, and a
// leading UTF-8 byte-order mark is dropped. The file is read into one block
// of kBlockBytes, never mapped and never opened for writing, so neither a
// huge file nor one that another process shortens can exhaust memory or
// fault. A line longer than the block gives only its first kBlockBytes;
// the rest is skipped when the next line is asked for, so a refusal on
// the first line never reads the rest of a huge file.
//
// Escape is polled once a block, counting presses from the opening on; a
// press throws RuntimeError, as does a file that cannot be read.
class StructureLines {
public:
  static constexpr std::size_t kBlockBytes = std::size_t{4} << 20;

  // The lines of bytes held in memory.
  explicit StructureLines(std::string_view bytes);
  // The lines of the file at path; path also names it in messages.
  StructureLines(const std::string& path, AbortToken* abort);
  ~StructureLines();
  StructureLines(const StructureLines&) = delete;
  StructureLines& operator=(const StructureLines&) = delete;

  // The next line, valid until the next call; false at the end.
  bool next(std::string_view& line);

  // The number of the line next() gave last, from 1.
  std::uint64_t lineNumber() const { return m_lineNumber; }

  // The bytes from the start of the line next() will give on to the end,
  // as the file's size promised when it was opened; 0 when it said no size.
  std::uint64_t bytesLeft() const;
  // Whether the file said its size.
  bool sized() const { return m_size > 0 || m_fd < 0; }

private:
  // Keeps the bytes from m_pos on, moved to the block's start, and reads
  // more after them; false at the end of the file.
  bool readMore();
  // Where the next c lies in [m_pos, m_end), or m_end; kept in cache (valid
  // until more is read), so a file without that byte is searched once a block.
  std::size_t nextOf(char c, std::size_t& cache, bool& valid);
  // Reads past the rest of an over-long line and its end.
  void skipRest();

  std::string m_path;
  AbortToken* m_abort = nullptr;
  int m_fd = -1;
  char* m_block = nullptr;
  const char* m_data = nullptr;
  std::uint64_t m_size = 0;
  // The file offset of m_data[0].
  std::uint64_t m_offset = 0;
  std::size_t m_pos = 0;
  std::size_t m_end = 0;
  std::size_t m_nextLf = 0;
  std::size_t m_nextCr = 0;
  bool m_lfValid = false;
  bool m_crValid = false;
  bool m_eof = false;
  bool m_pendingLf = false;
  bool m_skipping = false;
  bool m_started = false;
  std::uint64_t m_lineNumber = 0;
};

} // namespace tarvek
