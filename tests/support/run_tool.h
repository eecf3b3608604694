#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace tarvek::test {

// What an outside program did: its exit code (-1 when it did not start, was
// killed or ran out of time), and everything it wrote to stdout and stderr.
struct ToolResult {
  int exitCode = -1;
  bool timedOut = false;
  std::string out;
  std::string err;
};

// Runs an oracle program with an argument list, no shell, and waits for it;
// after timeout it is killed. program is looked up on PATH like findTool.
// The timeout only guards against a hung program, it measures nothing.
// A non-empty workingDir is the program's working directory.
ToolResult runTool(const std::string& program, const std::vector<std::string>& args,
                   std::chrono::seconds timeout = std::chrono::seconds(120),
                   const std::string& workingDir = {});

} // namespace tarvek::test
