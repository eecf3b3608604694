// The XY import's logic: the scale of a point set and the sheet or tube built from it.
#pragma once

#include "imaging/xy_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {

struct Model;
class Prompts;
class AbortToken;

// The points of an XY file in file order, single precision.
struct XYSheet {
  std::vector<float> x;
  std::vector<float> y;

  std::size_t size() const { return x.size(); }
};

// The points of an XY file as a sheet.
XYSheet sheetOf(const std::vector<XYPoint>& points);

// The typical neighbour distance of a point set, in the points' own unit.
struct XYScale {
  // The smallest distance between two points.
  double dmin = 0.0;
  // 1.5 × dmin.
  double cutoff = 0.0;
  // The mean of the pair distances strictly below cutoff, over `pairs` pairs.
  double mean = 0.0;
  std::int64_t pairs = 0;
};

// Distances are taken in double from the float coordinates and the mean is
// summed in double, on a cell grid in time linear in the points. Points with
// a non-finite coordinate take no part. Fewer than two points, or a point
// given twice (dmin 0), leave no pair: everything but dmin is 0 then.
XYScale analyseXYPoints(const XYSheet& sheet);

// The checks that come before anything changes, each a RuntimeError naming
// the file at path: fewer than two points; a coordinate beyond the float
// range; the same point twice (the first point that repeats an earlier one,
// both numbered from 1); a point so far out that, scaled to a bond length,
// it would leave the float range. Returns the scale of a sound sheet.
XYScale checkXYSheet(const std::string& path, const XYSheet& sheet);

// The parameter fields the build takes.
struct XYBuildFields {
  std::int16_t tubeN = 0;
  std::int16_t tubeM = 0;
  float tubeLength = 0.0f;
  // Å; the points are scaled so that their mean neighbour distance is this.
  float bondLength = 0.0f;
};

// What the build measured, Å.
struct XYBuild {
  double width = 0.0;
  double diameter = 0.0;
  // The bond search's window.
  float lower = 0.0f;
  float upper = 0.0f;
};

// Builds the flat sheet (sheet set, type 3, z 0) of the scaled points and
// the tube rolled from it (atom set): the sheet's x runs round the
// circumference, its y along the axis. The width adds half a hexagon,
// bondLength × 0.866025, so the sheet closes on itself when rolled. Then
// the bonds of the set structureKind picks (createBonds, which asks above
// 3000 atoms), and the model's parameters and last-build record. Every set
// ends exactly as long as its count. The sheet and scale come from
// checkXYSheet.
XYBuild buildFromXYData(Model& model, const XYSheet& sheet, const XYScale& scale,
                        const XYBuildFields& fields, Prompts& prompts, AbortToken& abort);

} // namespace tarvek
