#pragma once

#include "model/model.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace tarvek {

// The rectangular sheet cell the tube and cone builders tile: four atoms,
// period sqrt(3)·a along x and 3·a along y (a in Å). Atoms 0, 1 and 2, 3 are
// the two sublattices, typed 1 and 2, or all carbon (3) for material 0.
struct GrapheneCell {
  std::array<float, 4> x;
  std::array<float, 4> y;
  std::array<std::int16_t, 4> type;
};

inline GrapheneCell grapheneCell(const Model& model, float a)
{
  const auto sqrt3 = static_cast<float>(std::sqrt(3.0));
  const auto half = static_cast<float>(static_cast<double>(sqrt3) / 2.0 * a);
  GrapheneCell cell{{0.0f, half, 0.0f, half},
                    {0.0f, static_cast<float>(1.5 * a), a, static_cast<float>(2.5 * a)},
                    {1, 1, 2, 2}};
  if (model.materialIndex == 0)
    cell.type = {3, 3, 3, 3};
  return cell;
}

} // namespace tarvek
