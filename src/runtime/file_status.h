#pragma once

#include <string>
#include <utility>

namespace tarvek {

// Outcome of a file operation: success, or the sentence telling the user why
// not (it names the path and the system's reason).
class [[nodiscard]] FileStatus {
public:
  static FileStatus success() { return FileStatus(); }
  static FileStatus failure(std::string sentence) { return FileStatus(std::move(sentence)); }

  bool ok() const { return m_error.empty(); }
  explicit operator bool() const { return ok(); }
  // "" on success.
  const std::string& error() const { return m_error; }

private:
  FileStatus() = default;
  explicit FileStatus(std::string sentence) : m_error(std::move(sentence)) {}

  std::string m_error;
};

// The sentence for a failed system call on a file: the path in quotes and the
// system's reason for errno, e.g. Could not save "/a/b.xyz": File too large.
std::string fileErrorText(const char* doing, const std::string& path, int errorNumber);

} // namespace tarvek
