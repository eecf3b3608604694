#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tarvek {

struct Model;

// Rows of cap atoms (x, y, z in Å) while a cap builder fits and places a cap.
using CapRow = std::array<float, 3>;
using CapTable = std::vector<CapRow>;

// Smallest and largest x, y, z (indices 0, 1, 2) of a set of rows; an empty
// set keeps the start values 999 and -999.
struct Extent {
  std::array<float, 3> lo{999.0f, 999.0f, 999.0f};
  std::array<float, 3> hi{-999.0f, -999.0f, -999.0f};
};
Extent atomExtent(const Model& model, std::int32_t count);
Extent capExtent(const CapTable& table, std::int32_t count);

// Appends atoms of the stored C60 to rows rowCount, rowCount + 1, ... of the
// table (growing it as needed) and advances rowCount. Code 90 takes the 39
// atoms with -0.5 < y <= -0.2 or y >= 0.2 unchanged; any other code the 40
// atoms above z = 2, after which every row of the table from row 0 is
// shifted down so those atoms start at z = 0.
void addC60HalfCap(CapTable& table, std::int16_t code, std::int32_t& rowCount);

// Turns rows 0 .. count - 1 in place by `angle` degrees about axis 1 (x),
// 2 (y) or 3 (z). About z a positive angle turns clockwise seen from +z:
// x' = c·x + s·y, y' = -s·x + c·y (the opposite sense of CMatrix). Throws
// RuntimeError for another axis.
void rotateCapAtoms(std::int16_t axis, float angle, CapTable& table, std::int32_t count);

// Scales the upper cap's rows 0 .. rows - 1 to the tube's x width, mirrors
// them through z = 0 into the lower cap, then moves the upper cap's lowest
// row onto the tube's highest z and the lower cap's highest row onto the
// tube's lowest z, both with their smallest x and y on the tube's.
void placeHalfCaps(const Extent& tube, CapTable& upper, CapTable& lower, std::int32_t rows);

// How many of the cap's rows 0 .. rows - 1 have a tube atom (atoms
// 0 .. tubeCount - 1) strictly closer than `limit`; each row counts once.
// With floatDistance the distance is rounded to float before the test.
std::int32_t countCapContacts(const Model& model, std::int32_t tubeCount, const CapTable& cap,
                              std::int32_t rows, double limit, bool floatDistance);

// Turns the cap by `angle` degrees about z when more than 10 of its rows lie
// within 0.5 a (float distance) of a tube atom.
void contactTurn(const Model& model, std::int32_t tubeCount, CapTable& cap, std::int32_t rows,
                 float angle);

// Appends rows 0 .. rows - 1 of the cap to the atom set with the given type.
void appendCap(Model& model, const CapTable& cap, std::int32_t rows, std::int16_t type);

// Appends the caps capEnds asks for (0 both, 1 the lower only, 2 the upper
// only), lower first, each by appendCap with its own type.
void appendCapsByEnds(Model& model, const CapTable& lower, const CapTable& upper,
                      std::int32_t rows, std::int16_t lowerType, std::int16_t upperType);

// Merges atoms that coincide: for each i the first j > i, both of type >= 1,
// closer than `limit` and with |dz| (as float) below it, moves to the middle
// of the pair in z (keeping its x, y) and atom i is marked -2. With
// floatDistance the distance is rounded to float before the test.
void mergeCloseAtoms(Model& model, double limit, bool floatDistance);

// An end of the atom set (tube's lowest or highest z) is pruned when
// its last 0.6 a (limits as float) does not hold `full` atoms: those atoms
// are marked -3. Returns which ends were pruned.
struct PrunedEnds {
  bool low = false;
  bool high = false;
};
PrunedEnds pruneShortEnds(Model& model, const Extent& tube, std::int32_t full);

// Drops every atom of type 0 or less, keeping the order of the others.
void compactAtoms(Model& model);

// End caps cut from the stored C60, for the (5,5) and (9,0) presets. Called
// by the tube builder with exactly the tube in the atom set; append the caps
// capEnds asks for (0 both, 1 the lower only, 2 the upper only), lower first,
// then merge coinciding atoms. addCap55 sets tubeLength to the tube's own z
// extent; addCap90 prunes an end whose last 0.6 a does not hold 18 atoms.
void addCap55(Model& model);
void addCap90(Model& model);

} // namespace tarvek
