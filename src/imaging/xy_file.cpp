// Reading XY point files.
#include "imaging/xy_file.h"

#include "runtime/line_reader.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"
#include "runtime/split.h"

#include <cmath>
#include <limits>

namespace tarvek {

namespace {

// A float of the value; beyond the float range an infinity, which a plain
// conversion would leave undefined.
float toFloat(double v)
{
  constexpr double kLargest = std::numeric_limits<float>::max();
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  if (std::fabs(v) > kLargest)
    return v > 0 ? kInfinity : -kInfinity;
  return static_cast<float>(v);
}

XYReadResult failed(std::string sentence)
{
  XYReadResult result;
  result.error = std::move(sentence);
  return result;
}

} // namespace

XYReadResult readXYPoints(const std::string& path)
{
  XYReadResult result;
  LineReader reader(path);
  std::string line;
  std::int64_t lineNumber = 0;
  while (reader.next(line)) {
    ++lineNumber;
    const std::string_view text = trimBlanks(line);
    if (text.empty())
      break;
    const std::vector<std::string> items = splitSpaces(text);
    if (items.size() < 2)
      continue;
    if (result.points.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
      return failed("The XY file " + path + " holds more points than can be counted (line "
                    + std::to_string(lineNumber) + ").");
    }
    XYPoint point;
    try {
      point.x = toFloat(Val(items[0]));
      point.y = toFloat(Val(items[1]));
    } catch (const RuntimeError&) {
      return failed("The XY file " + path + " holds a number too large to read in line "
                    + std::to_string(lineNumber) + ".");
    }
    result.points.push_back(point);
  }
  if (const FileStatus status = reader.status(); !status)
    return failed(status.error());
  return result;
}

} // namespace tarvek
