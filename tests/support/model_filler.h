#pragma once

#include "model/model.h"

#include <cstdint>

namespace tarvek::test {

// A model that tests fill atom by atom; rigs derive from it so the model is
// built before the objects that hold a reference to it.
struct ModelFiller {
  Model model;

  void addAtom(float x, float y, float z, std::int16_t type = 3)
  {
    model.atomX.push_back(x);
    model.atomY.push_back(y);
    model.atomZ.push_back(z);
    model.atomType.push_back(type);
    ++model.atomCount;
  }

  void addSheetAtom(float x, float y, float z, std::int16_t type = 3)
  {
    model.sheetX.push_back(x);
    model.sheetY.push_back(y);
    model.sheetZ.push_back(z);
    model.sheetType.push_back(type);
    ++model.sheetCount;
  }

  void addBond(std::int32_t a, std::int32_t b)
  {
    model.bondAtom1.push_back(a);
    model.bondAtom2.push_back(b);
    ++model.bondCount;
  }
};

} // namespace tarvek::test
