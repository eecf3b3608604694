#pragma once

#include "platform/system_colors.h"

#include <map>

namespace tarvek::test {

// System colours from a table; unknown indices give 0. Records the last index asked.
class FakeSystemColors : public SystemColors {
public:
  std::uint32_t sysColor(int index) override
  {
    lastIndex = index;
    auto it = colors.find(index);
    return it == colors.end() ? 0u : it->second;
  }

  std::map<int, std::uint32_t> colors;
  int lastIndex = -1;
};

} // namespace tarvek::test
