// Writing and reading XY point files.
#include "imaging/xy_file.h"

#include "platform/save_dialog.h"
#include "runtime/file_util.h"
#include "runtime/line_reader.h"
#include "runtime/number_field.h"
#include "runtime/print_form.h"
#include "runtime/runtime_error.h"
#include "runtime/split.h"
#include "runtime/text_file_writer.h"

#include <algorithm>
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

float largestY(const std::vector<XYPoint>& points)
{
  float maxY = 0.0f;
  for (const XYPoint& p : points)
    maxY = std::max(maxY, p.y);
  return maxY;
}

std::string xyLine(const XYPoint& p, float maxY)
{
  PrintLine line;
  line << p.x << (maxY - p.y);
  return line.str();
}

} // namespace

std::string xyFileText(const std::vector<XYPoint>& points, bool lfLineEnds)
{
  const float maxY = largestY(points);
  const std::string_view lineEnd = lfLineEnds ? "\n" : "\r\n";
  std::string text;
  for (const XYPoint& p : points) {
    text += xyLine(p, maxY);
    text += lineEnd;
  }
  return text;
}

FileStatus writeXYFile(const std::string& path, const std::vector<XYPoint>& points,
                       bool lfLineEnds)
{
  const float maxY = largestY(points);
  TextFileWriter writer(path, lfLineEnds);
  for (const XYPoint& p : points)
    writer.writeLine(xyLine(p, maxY));
  return writer.commit();
}

std::optional<std::string> saveXYFile(const std::vector<XYPoint>& points, FileDialogs& dialogs,
                                      Prompts& prompts, EventPump& pump,
                                      const std::string& importFolder, bool lfLineEnds)
{
  const std::optional<FileChoice> choice = askSavePath(
      dialogs, prompts, pump, "Save XY Data", importFolder, "XY-File (*.xy)|*.xy", "sheet.xy");
  if (!choice)
    return std::nullopt;
  FileStatus status = FileStatus::success();
  try {
    status = writeXYFile(choice->path, points, lfLineEnds);
  } catch (const RuntimeError& error) {
    status = FileStatus::failure(error.what());
  }
  if (!status) {
    prompts.message(status.error(), "", MessageIcon::Critical);
    return std::nullopt;
  }
  return choice->path;
}

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
    float* const values[2] = {&point.x, &point.y};
    for (std::size_t k = 0; k < 2; ++k) {
      const FieldNumber number = readNumberField(items[k]);
      if (number.kind == FieldNumber::Kind::TwoNumbers)
        return failed("The XY file " + path + " holds " + items[k]
                      + ", which is no single number, in line " + std::to_string(lineNumber)
                      + ".");
      if (number.kind == FieldNumber::Kind::TooLarge)
        return failed("The XY file " + path + " holds a number too large to read in line "
                      + std::to_string(lineNumber) + ".");
      // An item without a number reads as 0.
      *values[k] = toFloat(number.value);
    }
    result.points.push_back(point);
  }
  if (const FileStatus status = reader.status(); !status)
    return failed(status.error());
  return result;
}

} // namespace tarvek
