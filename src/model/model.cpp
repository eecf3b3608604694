#include "model/model.h"

#include <cassert>

namespace tarvek {

AtomSetRef Model::atomSet(AtomSetId set)
{
  switch (set) {
  case AtomSetId::Atom:
    return {atomX, atomY, atomZ, atomType, atomCount};
  case AtomSetId::Sheet:
    return {sheetX, sheetY, sheetZ, sheetType, sheetCount};
  case AtomSetId::Work:
    break;
  }
  return {workX, workY, workZ, workType, workCount};
}

void Model::redimAtomSet(AtomSetId set, std::int32_t upper)
{
  assert(upper >= -1);
  const auto size = static_cast<std::size_t>(upper + 1);
  AtomSetRef s = atomSet(set);
  s.x.resize(size);
  s.y.resize(size);
  s.z.resize(size);
  s.type.resize(size);
}

} // namespace tarvek
