#include "runtime/text_fixups.h"

#include "runtime/atomic_file.h"
#include "runtime/file_util.h"

#include <algorithm>

namespace tarvek {

namespace {

// Reads, edits and saves the file; edit returns false when it changed
// nothing, and then the file is left as it is.
template <typename Edit>
FileStatus rewrite(const std::string& path, Edit edit)
{
  if (!FileExists(path))
    return FileStatus::success();
  std::string bytes;
  if (auto read = readFileBytes(path, bytes); !read)
    return read;
  if (!edit(bytes))
    return FileStatus::success();
  return writeFileAtomic(path, bytes);
}

} // namespace

FileStatus stripCarriageReturns(const std::string& path, bool lfLineEnds)
{
  if (!lfLineEnds)
    return FileStatus::success();
  return rewrite(path, [](std::string& bytes) {
    auto kept = std::remove(bytes.begin(), bytes.end(), '\r');
    if (kept == bytes.end())
      return false;
    bytes.erase(kept, bytes.end());
    return true;
  });
}

FileStatus fixDecimalComma(const std::string& path, bool decimalComma)
{
  if (!decimalComma)
    return FileStatus::success();
  return rewrite(path, [](std::string& bytes) {
    bool changed = false;
    for (char& c : bytes) {
      if (c == ',') {
        c = '.';
        changed = true;
      }
    }
    return changed;
  });
}

} // namespace tarvek
