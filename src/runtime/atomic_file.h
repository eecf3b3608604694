#pragma once

#include "runtime/file_status.h"
#include "runtime/pending_file.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek {

// Saves a file so that it appears complete or not at all. The bytes go to an
// unnamed file in the target's folder (PendingFile); commit() makes it the
// target with one rename. Until then, and whenever something fails, the old
// file stays as it was and no temporary file is left behind, even when the
// process is killed.
//
// Order of use: construct, write() any number of times, commit() once.
// Destroyed without a commit, it discards what was written.
//
// The new file gets the old file's permission bits, or 0666 minus the umask
// when there was none. A write-protected target is refused, as writing it in
// place would be. A target that is a symbolic link stays a link: the file it
// points to is replaced.
//
// TextFileWriter builds on this for CR LF text lines; writeFileAtomic saves a
// whole buffer at once.
class AtomicFile {
public:
  explicit AtomicFile(std::string path);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Appends bytes. A failure is kept and reported by commit(); later writes
  // are then ignored.
  void write(std::string_view bytes);

  // Writes out, syncs and renames over the target. On failure the temporary
  // file is removed and the result names the path and the system's reason.
  FileStatus commit();

  const std::string& path() const { return m_path; }

private:
  void flushBuffer();
  void writeOut(std::string_view bytes);
  void finish();
  void fail(int errorNumber);
  void discard();

  std::string m_path;         // as the caller named it, for messages
  std::string m_target;       // the file replaced: m_path with links resolved
  PendingFile m_file;
  std::string m_buffer;
  std::uint64_t m_written = 0;
  std::uint64_t m_handedToDisk = 0;
  std::string m_error;
  bool m_committed = false;
};

// Replaces the file at path with bytes, through AtomicFile.
FileStatus writeFileAtomic(const std::string& path, std::string_view bytes);

} // namespace tarvek
