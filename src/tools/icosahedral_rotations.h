// The compiled-in rotation tables of the icosahedral cage builder.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tarvek {

// The 60 rotations of the icosahedral group whose two-fold axes are x, y and
// z: matrix i has the rows 3i, 3i + 1 and 3i + 2, three numbers separated by
// single blanks. Matrix 0 is the identity. Made by
// scripts/gen/icosahedral_rotations.py.
extern const std::array<std::string_view, 180> kIcosahedralRotationRows;
// The matrices (indices into the 60) that carry the face (V0, V1, V6) onto
// each of the 20 faces, the last being the identity.
extern const std::array<std::int32_t, 20> kFaceRotationIndices;

} // namespace tarvek
