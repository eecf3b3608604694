#include "pdfwriter/encoding_tables.h"

#include <algorithm>

namespace quillet {

std::uint16_t glyphNameToUnicode(std::string_view name)
{
  // string_view compares as unsigned bytes, the order the list is sorted in.
  auto found = std::lower_bound(kGlyphNameList.begin(), kGlyphNameList.end(), name,
                                [](const GlyphNameEntry& entry, std::string_view key) {
                                  return std::string_view(entry.name) < key;
                                });
  if (found == kGlyphNameList.end() || std::string_view(found->name) != name)
    return 0;
  return found->unicode;
}

} // namespace quillet
