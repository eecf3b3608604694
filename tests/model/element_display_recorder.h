#pragma once

#include "model/element_tables.h"

#include <cstdint>
#include <map>

namespace tarvek::test {

// Keeps the last radius and colour pushed per element index and counts the
// pushes.
class ElementDisplayRecorder : public ElementDisplay {
public:
  void setAtomRadius(std::int16_t index, float radius) override
  {
    radii[index] = radius;
    ++pushes;
  }
  void setAtomColor(std::int16_t index, std::uint32_t color) override
  {
    colors[index] = color;
    ++pushes;
  }

  std::map<int, float> radii;
  std::map<int, std::uint32_t> colors;
  int pushes = 0;
};

} // namespace tarvek::test
