// Colour, element and radii of drawn atoms and bonds, shared by the scene's file writers.
#pragma once

#include "model/display_settings.h"
#include "model/model.h"

#include <cmath>
#include <cstdint>

namespace tarvek {

// True for an element number the colour and radius tables hold.
inline bool elementInTables(std::int32_t element) { return element >= 0 && element <= 120; }

// Colour and element of an atom by its code 1, 2 or 3; any other code keeps
// what the previous atom had.
struct AtomPick {
  std::uint32_t colour = 0;
  std::int32_t element = 0;
};

inline void pickByCode(AtomPick& pick, std::int32_t code, const Model& model,
                       const Preferences& prefs)
{
  switch (code) {
  case 1:
    pick = {prefs.site1Color, model.siteElement1};
    break;
  case 2:
    pick = {prefs.site2Color, model.siteElement2};
    break;
  case 3:
    pick = {prefs.carbonColor, 6};
    break;
  default:
    break;
  }
}

// The element's covalent radius; 0 outside the table.
inline float covalentRadiusOf(const Model& model, std::int32_t element)
{
  return elementInTables(element) ? model.covalentRadius[static_cast<std::size_t>(element)] : 0.0f;
}

// A colour stored as a number in a scene file.
inline std::uint32_t wholeColour(double value)
{
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(value)));
}

// Radius of a bond cylinder: bondWidthScale × 0.3 Å.
inline float bondRadius(const DisplaySettings& display)
{
  return static_cast<float>(static_cast<double>(display.bondWidthScale) * 0.3);
}

} // namespace tarvek
