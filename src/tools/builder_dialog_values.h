// What the builder dialogs hand back, read from their fields and options without Qt.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarvek {

// The cap dialog's choice: the index of the first selected option (0 both
// ends, 1 cap #1, 2 cap #2); 0 when none is.
std::int16_t capChoiceOf(const std::array<bool, 3>& selected);

// The graphene-layer dialog's values, in its public order.
struct GrapheneDialogValues {
  float layerWidth = 0.0f;
  float layerHeight = 0.0f;
  float layerCount = 0.0f;
  float layerDistance = 0.0f;
  std::int16_t graphiteShift = 0;
  float layerRotation = 0.0f;
};

// Fields 0 .. 4 are width, height, layers, distance and angle, each read by
// its leading number after "," is turned into "." (an empty or non-numeric
// field gives 0). option is the chosen stacking: 0 identical, 1 graphite
// shift (graphiteShift 1), 2 rotation (layerRotation minus the angle).
// Throws RuntimeError naming the text when a value lies beyond the range of
// a 32-bit float.
GrapheneDialogValues readGrapheneDialog(const std::array<std::string, 5>& fields, int option);

// The tube-junction dialog's six values, in its public order.
struct JunctionValues {
  std::int16_t junctionN1 = 0;
  std::int16_t junctionM1 = 0;
  std::int16_t junctionLength1 = 0;
  std::int16_t junctionN2 = 0;
  std::int16_t junctionM2 = 0;
  std::int16_t junctionLength2 = 0;
};

// Fields 0 .. 5 (n, m and length of the first tube, then of the second),
// each read by its leading number after "," is turned into "." and rounded
// half to even; a 0 in either n or either length becomes 5, while the m
// fields keep 0. Throws RuntimeError, naming the text, for a value beyond
// the 16-bit range.
JunctionValues junctionValues(const std::array<std::string, 6>& fields);

} // namespace tarvek
