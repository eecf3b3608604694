#include "model/c60_builder.h"

#include "model/c60_data.h"
#include "model/model.h"

#include <array>

namespace tarvek {

void buildC60(Model& model)
{
  constexpr std::int32_t kAtoms = 60;
  // Sized first: a smaller structure before (an import) leaves shorter arrays.
  model.redimAtomSet(AtomSetId::Atom, kAtoms - 1);

  // The box starts at 0 on each axis; row 0 is the origin, so it is the true box.
  std::array<float, 3> low{};
  std::array<float, 3> high{};
  for (std::int32_t i = 0; i < kAtoms; ++i) {
    const std::array<float, 3>& p = c60Atoms()[i];
    model.atomX[i] = p[0];
    model.atomY[i] = p[1];
    model.atomZ[i] = p[2];
    model.atomType[i] = 3;
    for (std::size_t axis = 0; axis < 3; ++axis) {
      if (p[axis] < low[axis])
        low[axis] = p[axis];
      if (p[axis] > high[axis])
        high[axis] = p[axis];
    }
  }
  model.atomCount = kAtoms;

  std::array<float, 3> centre{};
  for (std::size_t axis = 0; axis < 3; ++axis)
    centre[axis] = static_cast<float>((static_cast<double>(high[axis]) - low[axis]) / 2.0
                                      + low[axis]);
  for (std::int32_t i = 0; i < kAtoms; ++i) {
    model.atomX[i] = static_cast<float>(static_cast<double>(model.atomX[i]) - centre[0]);
    model.atomY[i] = static_cast<float>(static_cast<double>(model.atomY[i]) - centre[1]);
    model.atomZ[i] = static_cast<float>(static_cast<double>(model.atomZ[i]) - centre[2]);
  }
}

} // namespace tarvek
