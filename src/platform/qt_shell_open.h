#pragma once

#include "platform/shell_open.h"

namespace tarvek {

// Opens through QDesktopServices, which starts the desktop's opener without
// waiting for it (or calls a URL handler registered for the scheme).
class QtShellOpen : public ShellOpen {
public:
  bool openAddress(const std::string& address) override;
  bool openFile(const std::string& path) override;
  bool openFolder(const std::string& path) override;
};

} // namespace tarvek
