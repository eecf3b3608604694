// libFuzzer entry point of the PDB part and atom-table parsers and the step
// that stores their atoms: any bytes give a refusal or a model whose arrays
// hold exactly its atoms, with finite coordinates and element numbers.
#include "formats/structure_readers.h"
#include "model/element_tables.h"
#include "model/model.h"
#include "runtime/random_source.h"
#include "runtime/runtime_error.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

class NoDisplay : public tarvek::ElementDisplay {
public:
  void setAtomRadius(std::int16_t, float) override {}
  void setAtomColor(std::int16_t, std::uint32_t) override {}
};

void checkStored(const tarvek::ReadStructure& read)
{
  NoDisplay display;
  tarvek::RandomSource random;
  tarvek::Model model;
  tarvek::storeStructure(model, read, 6, &display, &random);
  const auto n = static_cast<std::size_t>(model.atomCount);
  if (n == 0 || model.atomX.size() != n || model.atomY.size() != n || model.atomZ.size() != n
      || model.atomType.size() != n || model.bondCount != 0)
    std::abort();
  for (std::size_t i = 0; i < n; ++i)
    if (!std::isfinite(model.atomX[i]) || !std::isfinite(model.atomY[i])
        || !std::isfinite(model.atomZ[i]) || model.atomType[i] < 1 || model.atomType[i] > 120)
      std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const auto parse : {&tarvek::parsePDB, &tarvek::parseAtomTable}) {
    try {
      checkStored(parse(bytes, "/fuzz/part.pdb"));
    } catch (const tarvek::RuntimeError&) {
    }
  }
  return 0;
}
