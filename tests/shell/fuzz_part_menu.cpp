// libFuzzer entry point of the structure-part menu: any bytes unscramble
// and split into records without a crash, and unscrambling is its own
// inverse.
#include "shell/part_library.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string clear = tarvek::xorWithKey(bytes, tarvek::kPartMenuKey);
  if (tarvek::xorWithKey(clear, tarvek::kPartMenuKey) != bytes)
    std::abort();
  for (const auto& record : tarvek::parsePartMenu(clear)) {
    if (record.empty())
      std::abort();
  }
  return 0;
}
