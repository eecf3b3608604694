// Measures an imported tube from its coordinates alone.
#include "formats/structure_readers.h"

#include "model/neighbour_distance.h"

#include <algorithm>
#include <cmath>

namespace tarvek {

namespace {

constexpr double kOnAxis = 0.1;
constexpr double kSlabHalf = 1.5;
constexpr float kThinnest = 2.3f;
// The distortions start their searches from 10^6 Å; a structure reaching
// further is no tube they can shape (and a stretch could overflow).
constexpr float kReach = 1e6f;

} // namespace

TubeFit fitTubeAxis(AtomSetRef atoms, const std::array<double, 3>& centroid)
{
  TubeFit fit;
  const auto count = static_cast<std::size_t>(std::max(0, atoms.count));
  if (count == 0)
    return fit;

  float low[3] = {atoms.x[0], atoms.y[0], atoms.z[0]};
  float high[3] = {low[0], low[1], low[2]};
  std::vector<float> slabX, slabY, slabZ;
  for (std::size_t i = 0; i < count; ++i) {
    const float p[3] = {atoms.x[i], atoms.y[i], atoms.z[i]};
    for (int k = 0; k < 3; ++k) {
      low[k] = std::min(low[k], p[k]);
      high[k] = std::max(high[k], p[k]);
    }
    if (std::fabs(p[2] - centroid[2]) < kSlabHalf) {
      slabX.push_back(p[0]);
      slabY.push_back(p[1]);
      slabZ.push_back(p[2]);
    }
  }
  float extent[3];
  for (int k = 0; k < 3; ++k)
    extent[k] = static_cast<float>(static_cast<double>(high[k]) - low[k]);

  // The centre on an axis marks a tube along it. A centre at the origin lies
  // on all three: the tube runs along its largest extent.
  const bool on[3] = {std::fabs(centroid[1]) < kOnAxis && std::fabs(centroid[2]) < kOnAxis,
                      std::fabs(centroid[2]) < kOnAxis && std::fabs(centroid[0]) < kOnAxis,
                      std::fabs(centroid[0]) < kOnAxis && std::fabs(centroid[1]) < kOnAxis};
  int axis = -1;
  for (int k : {2, 1, 0})
    if (on[k] && (axis < 0 || extent[k] > extent[axis]))
      axis = k;
  if (axis < 0)
    return fit;

  fit.axis = axis == 2 ? TubeAxis::Z : axis == 1 ? TubeAxis::Y : TubeAxis::X;
  fit.length = extent[axis];
  // Across a z tube the smaller of the x and y extents; a y tube compares
  // its length with the x extent and an x tube its length with the y extent,
  // which comes to the same.
  fit.diameter = std::min(extent[0], extent[1]);
  fit.bondLength = typicalNeighbourDistance(slabX, slabY, slabZ);
  bool inReach = true;
  for (int k = 0; k < 3; ++k)
    inReach = inReach && std::fabs(low[k]) < kReach && std::fabs(high[k]) < kReach;
  fit.veto = fit.diameter < kThinnest || fit.length < fit.diameter || !inReach;
  return fit;
}

} // namespace tarvek
