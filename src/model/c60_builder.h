#pragma once

namespace tarvek {

struct Model;

// Puts the 60 carbon atoms of the stored C60 (type 3) into the atom set, its
// bounding box centred on the origin and the five-fold axis along z. The atom
// set becomes exactly 60 atoms long; bonds, structure kind and parameters are
// left to the caller, which runs findBonds next.
void buildC60(Model& model);

} // namespace tarvek
