#pragma once

#include <cstdint>

namespace tarvek {

// The desktop's colours by the old system colour index (5 window, 8 window
// text, 15 button face, ...). Values are 0x00BBGGRR; an index without a
// colour gives 0 (black).
class SystemColors {
public:
  virtual ~SystemColors() = default;
  virtual std::uint32_t sysColor(int index) = 0;
};

} // namespace tarvek
