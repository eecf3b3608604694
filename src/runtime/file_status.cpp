#include "runtime/file_status.h"

#include <system_error>

namespace tarvek {

std::string fileErrorText(const char* doing, const std::string& path, int errorNumber)
{
  return std::string(doing) + " \"" + path + "\": "
         + std::generic_category().message(errorNumber) + ".";
}

} // namespace tarvek
