// libFuzzer entry point of the link table reader: any bytes give rows whose
// key is not empty and whose key and caption hold no tab or line break.
#include "shell/view_rules.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const auto& [key, link] : tarvek::parseLinkTable(text)) {
    if (key.empty() || key.front() == '#')
      std::abort();
    for (const std::string* field : {&key, &link.caption})
      if (field->find_first_of("\t\n") != std::string::npos)
        std::abort();
    if (link.address.find('\n') != std::string::npos)
      std::abort();
  }
  return 0;
}
