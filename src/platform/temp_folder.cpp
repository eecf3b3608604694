#include "platform/temp_folder.h"

#include "runtime/file_util.h"
#include "runtime/runtime_error.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace tarvek {

namespace {

std::filesystem::path parentFolder()
{
  for (const char* name : {"TMP", "TMPDIR"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && DirExists(value))
      return value;
  }
  return "/tmp";
}

} // namespace

TempFolder::TempFolder()
{
  std::filesystem::path parent = parentFolder();
  std::string pattern = (parent / "tarvek-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr)
    throw RuntimeError("Cannot create a temporary folder in " + parent.string() + ": "
                       + std::strerror(errno) + ".");
  m_folder = pattern;
}

TempFolder::~TempFolder()
{
  std::error_code ec;
  std::filesystem::remove_all(m_folder, ec);
}

std::string TempFolder::path(const std::string& name) const
{
  return (m_folder / name).string();
}

} // namespace tarvek
