#include "support/require_tool.h"

#include "support/run_tool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <unistd.h>

namespace tarvek::test {

bool ciMode()
{
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::string_view(ci) == "true";
}

std::string findTool(const std::string& program)
{
  if (program.find('/') != std::string::npos)
    return ::access(program.c_str(), X_OK) == 0 ? program : std::string();
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "/usr/bin:/bin";
  while (!rest.empty()) {
    auto colon = rest.find(':');
    std::string dir(rest.substr(0, colon));
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (dir.empty())
      continue;
    std::string candidate = dir + "/" + program;
    if (::access(candidate.c_str(), X_OK) == 0 && !std::filesystem::is_directory(candidate))
      return candidate;
  }
  return {};
}

namespace {

bool reportMissing(const std::string& what, const std::string& package)
{
  std::string why = what + " is missing: install the Debian package " + package
                    + " (scripts/deps does)";
  if (ciMode())
    ADD_FAILURE() << why;
  else
    [&why] { GTEST_SKIP() << why; }();
  return false;
}

} // namespace

bool requireTool(const std::string& program, const std::string& package)
{
  return !findTool(program).empty() || reportMissing(program, package);
}

bool requirePythonModule(const std::string& module, const std::string& package)
{
  const char* python = "/usr/bin/python3";
  if (findTool(python).empty())
    return reportMissing(python, "python3");
  return runTool(python, {"-c", "import " + module}).exitCode == 0
         || reportMissing("The Python module " + module, package);
}

} // namespace tarvek::test
