// libFuzzer entry point of the XYZ and ".cc1" parsers: any bytes give a
// refusal or atoms with finite coordinates, one type per atom.
#include "formats/structure_readers.h"
#include "runtime/runtime_error.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void checkRead(const tarvek::ReadStructure& read)
{
  const std::size_t n = read.x.size();
  if (n == 0 || read.y.size() != n || read.z.size() != n || read.type.size() != n)
    std::abort();
  for (std::size_t i = 0; i < n; ++i)
    if (!std::isfinite(read.x[i]) || !std::isfinite(read.y[i]) || !std::isfinite(read.z[i]))
      std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const auto parse : {&tarvek::parseXYZ, &tarvek::parseCC1}) {
    try {
      checkRead(parse(bytes, "/fuzz/input.xyz"));
    } catch (const tarvek::RuntimeError&) {
    }
  }
  return 0;
}
