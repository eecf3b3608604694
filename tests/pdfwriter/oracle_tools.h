#pragma once

// Running the outside readers of the oracle tests.

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace quillet::test {

// Left in the build tree for a reviewer to open.
inline std::filesystem::path outDir()
{
  std::filesystem::path dir = std::filesystem::path(TARVEK_TEST_BINARY_DIR) / "out";
  std::filesystem::create_directories(dir);
  return dir;
}

struct ToolRun {
  int status = -1;
  std::string output;
};

inline ToolRun run(const std::string& command)
{
  ToolRun result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe)
    return result;
  char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
    result.output.append(chunk, n);
  int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

inline std::string quoted(const std::filesystem::path& path)
{
  return "'" + path.string() + "'";
}

inline std::string collapseBlanks(const std::string& text)
{
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      if (!out.empty() && out.back() != ' ' && out.back() != '\n')
        out += ' ';
    } else {
      if (c == '\n' && !out.empty() && out.back() == ' ')
        out.pop_back();
      out += c;
    }
  }
  return out;
}

} // namespace quillet::test
