#pragma once

#include "platform/shell_open.h"

#include <string>
#include <vector>

namespace tarvek::test {

// Records what would have been opened and answers `succeed` (true unless a
// test sets it false).
class FakeShellOpen : public ShellOpen {
public:
  enum class Kind { Address, File, Folder };
  struct Call {
    Kind kind;
    std::string target;
  };

  bool openAddress(const std::string& address) override { return record(Kind::Address, address); }
  bool openFile(const std::string& path) override { return record(Kind::File, path); }
  bool openFolder(const std::string& path) override { return record(Kind::Folder, path); }

  std::vector<Call> calls;
  bool succeed = true;

private:
  bool record(Kind kind, const std::string& target)
  {
    calls.push_back({kind, target});
    return succeed;
  }
};

} // namespace tarvek::test
