// The hole coordinates of a nano-hole array as table rows and XY file lines.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tarvek {

// How the holes go into an XY file: canvas pixels as they are, or shifted so
// that the canvas point (256, 256) is the origin and scaled.
enum class HoleLayout { Plain, Centred };

// "NHA_" F "-" N "-" zoom "-" option ".xy", e.g. "NHA_5-6-8-0.xy".
std::string proposedHoleFileName(int foldCount, int loopOrder, int zoom, int shiftOption);

// The number at the start of the reply ("2,5" gives 2); 1.0 for a reply that
// starts with no number or a number ≤ 0.
double holeScaleFactor(std::string_view reply);

// One line per hole, each ended by CR LF, or by LF with lfLineEnds (the
// "LINUX / UNIX line breaks" option): the plain layout "X.XXXX \tY.YYYY",
// the centred one (X − 256)·f and (Y − 256)·f in floats with six decimals.
// Numbers always use "." as decimal sign. x and y have one entry per hole.
std::string holeLines(std::span<const float> x, std::span<const float> y, HoleLayout layout,
                      double factor, bool lfLineEnds);

// The table text of one coordinate, "0.0000".
std::string holeCoordinateText(float value);

} // namespace tarvek
