// The XY point file: a flat point set as plain text lines "x y".
#pragma once

#include "runtime/file_status.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvek {

class EventPump;
class FileDialogs;
class Prompts;

// One point of a flat point set, in the units of its file (the digitiser
// writes pixels with y growing upwards).
struct XYPoint {
  float x = 0.0f;
  float y = 0.0f;
};

// The file's bytes for the points, one line per point in list order: x, then
// maxY - y starting in the next 14-column print zone, both in print form
// ("." in every locale), where maxY is the largest y, or 0 when no y is above
// 0, so the written y grows upwards and is never negative. CR LF ends each
// line, LF alone when lfLineEnds. No points give no bytes. Throws
// RuntimeError for a NaN or infinite coordinate, which would not read back.
std::string xyFileText(const std::vector<XYPoint>& points, bool lfLineEnds);

// Saves xyFileText(points, lfLineEnds) at path whole or not at all; on
// failure the old file stays and the result names the path and the reason.
// Throws RuntimeError as xyFileText does, leaving the old file as well.
FileStatus writeXYFile(const std::string& path, const std::vector<XYPoint>& points,
                       bool lfLineEnds);

// The save command: asks for the file in the "Save XY Data" dialog starting in
// importFolder (askSavePath: ".xy" added, the overwrite question), writes it
// and reports a failure in a message. Cancel and "No" leave everything as it
// was. The path written, or nothing.
std::optional<std::string> saveXYFile(const std::vector<XYPoint>& points, FileDialogs& dialogs,
                                      Prompts& prompts, EventPump& pump,
                                      const std::string& importFolder, bool lfLineEnds);

// What readXYPoints found: the points in file order, or the sentence telling
// the user why the file cannot be read (then points is empty).
struct XYReadResult {
  std::vector<XYPoint> points;
  std::string error;

  bool ok() const { return error.empty(); }
};

// The one reader of XY point files. A line ends at LF, CR LF or a lone CR.
// Each line is trimmed of blanks; the first empty line ends the points and
// whatever follows it is ignored. A line splits at runs of blanks (tabs stay
// inside an item); one with fewer than two items is skipped. x is the number
// at the start of the first item, y of the second (leading tabs skipped, "."
// as decimal sign, an optional exponent, reading stops at the first other
// character, no number gives 0), so "1,5 2" is (1, 2). A value beyond the
// float range becomes an infinity of its sign, left to the caller to refuse.
// Fails, naming the file and the line, for a number beyond the double range
// and for more points than a 32-bit count holds; fails naming the file and the
// system's reason when it cannot be read. The file is never changed.
XYReadResult readXYPoints(const std::string& path);

} // namespace tarvek
