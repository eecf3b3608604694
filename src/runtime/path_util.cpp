#include "runtime/path_util.h"

#include "runtime/file_util.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifndef TARVEK_SOURCE_DATA_DIR
#error "TARVEK_SOURCE_DATA_DIR must name the source tree's data folder"
#endif

namespace tarvek {

std::string addBackslash(std::string_view path)
{
  std::string result(path);
  if (result.empty() || result.back() != '/')
    result += '/';
  return result;
}

std::string getFileName(std::string_view path)
{
  auto slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string getFilePath(std::string_view path)
{
  auto slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(0, slash + 1));
}

std::string stripFileExt(std::string_view path)
{
  auto nameStart = path.rfind('/');
  nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
  auto dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < nameStart)
    return std::string(path);
  return std::string(path.substr(0, dot));
}

std::string chooseAppPath(std::string_view dataDirOverride, std::string_view programFolder)
{
  if (!dataDirOverride.empty())
    return addBackslash(dataDirOverride);
  if (!programFolder.empty()) {
    auto installed = (std::filesystem::path(programFolder) / "../share/tarvek").lexically_normal();
    if (DirExists(installed.string()))
      return addBackslash(installed.string());
  }
  return addBackslash(TARVEK_SOURCE_DATA_DIR);
}

std::string executableFolder()
{
  std::error_code ec;
  auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : program.parent_path().string();
}

std::string appPath()
{
  const char* overrideDir = std::getenv("TARVEK_DATA_DIR");
  return chooseAppPath(overrideDir ? overrideDir : "", executableFolder());
}

} // namespace tarvek
