// libFuzzer entry point: any bytes, as a plain font and as face 1 of a
// collection, through the whole load and a subset of the first 64
// characters the font maps.

#include "pdfwriter/fixture_font_locator.h"
#include "pdfwriter/truetype_font.h"
#include "pdfwriter/truetype_subset.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  for (int faceIndex : {0, 1}) {
    quillet::test::FixtureFontLocator locator;
    locator.add("Fuzz", std::vector<std::uint8_t>(data, data + size), faceIndex);
    quillet::SystemFont font;
    if (quillet::loadSystemFont(locator, "Fuzz", font)) {
      for (std::uint32_t code = 0; code <= 0xFFFF; code += 0x3F)
        quillet::cmapLookup(*font.tables, code);
      std::vector<std::uint16_t> mapped;
      for (std::uint32_t code = 0; code <= 0xFFFF && mapped.size() < 64; ++code)
        if (quillet::cmapLookup(*font.tables, code) != 0)
          mapped.push_back(static_cast<std::uint16_t>(code));
      quillet::buildSubsetFont(*font.fontFile, *font.tables, mapped);
    }
  }
  return 0;
}
