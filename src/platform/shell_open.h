#pragma once

#include <string>

namespace tarvek {

// Hands addresses, documents and folders to the desktop's default handler.
// Never waits for the handler; false when it could not be started.
class ShellOpen {
public:
  virtual ~ShellOpen() = default;

  // An address with its scheme ("https://...", "mailto:...").
  virtual bool openAddress(const std::string& address) = 0;
  // A local file, absolute or relative to the current folder.
  virtual bool openFile(const std::string& path) = 0;
  virtual bool openFolder(const std::string& path) = 0;
};

} // namespace tarvek
