#pragma once

// A file being written that has no name in its folder until it is complete.

#include <string>

namespace tarvek {

// The data goes into an unnamed file in the target's folder (O_TMPFILE), so
// a writer killed at any point leaves nothing behind. commitTo() gives it a
// unique temporary name and renames that over the target. Where the
// filesystem has no unnamed files, a named ".tarvek-save-XXXXXX" file is used
// instead, held under flock while it lives; the first open() into a folder in
// each process removes such files of this user that no living writer holds,
// so a killed writer's file goes at the next run's first save there.
//
// Depends on no other library of ours, only the C and C++ libraries, so the
// PDF writer can use it too.
class PendingFile {
public:
  PendingFile() = default;
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Opens a new file in the folder of target (a path to the file it will
  // replace); 0 or the system's error number.
  int open(const std::string& target);
  // The descriptor to write into and sync, or -1.
  int fd() const { return m_fd; }
  // Whether commitTo() syncs the folder after the rename. The data is synced
  // before it either way, so a power cut leaves the old or the new file
  // whole; the folder sync only makes sure it is the new one.
  enum class FolderSync { Sync, Skip };
  // Names the data, already synced by the caller, as target (replacing it
  // with one rename), closes the file and syncs the folder unless told not
  // to; 0 or the system's error number, after which nothing of the file
  // remains.
  int commitTo(const std::string& target, FolderSync folderSync = FolderSync::Sync);
  // Closes the file and removes any name it had; also what the destructor does.
  void discard();

private:
  int m_fd = -1;
  std::string m_folder;
  std::string m_name; // the named file's path, when there is one
};

// The file a save to `path` replaces: symbolic links are followed so that
// the rename lands on their final target and the links stay links. 0, or
// the system's error number (ELOOP on a cycle).
int resolveLinks(const std::string& path, std::string& target);

// Removes the folder's ".tarvek-save-" files that belong to this user and
// that no living writer holds locked; nothing else is touched.
void sweepStaleSaves(const std::string& folder);

// The prefix of every temporary save name.
inline constexpr char kPendingPrefix[] = ".tarvek-save-";

} // namespace tarvek
