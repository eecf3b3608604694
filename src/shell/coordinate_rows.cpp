// The coordinate list's rows and the coordinate tables.
#include "shell/coordinate_rows.h"

#include "runtime/number_format.h"
#include "runtime/print_form.h"
#include "runtime/runtime_error.h"
#include "runtime/text_file_writer.h"
#include "scene/scene_files.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace tarvek {

namespace {

std::string coordinateText(float v)
{
  return Format(v, "0.0000");
}

bool finite(float x, float y, float z)
{
  return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
}

// A scene file's type code as a label code; -1 (no label) when it is no
// 16-bit whole number.
std::int16_t labelCode(double code)
{
  const double rounded = std::nearbyint(code);
  if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
        rounded <= std::numeric_limits<std::int16_t>::max()))
    return -1;
  return static_cast<std::int16_t>(rounded);
}

void throwNotFinite(const std::string& where)
{
  throw RuntimeError(where + " has a coordinate that is not a finite number.");
}

// The rows of one model set from atom `first`; skipTypeless leaves out
// atoms of type 0 or less; renumber counts 1, 2, ... instead of index + 1;
// labels off gives every row label code 0.
struct SetRows {
  const BigVector<float>& x;
  const BigVector<float>& y;
  const BigVector<float>& z;
  const BigVector<std::int16_t>& type;
  std::int32_t count;
  std::int32_t first = 0;
  bool skipTypeless = true;
  bool renumber = false;
  bool labels = true;
};

void addSetRows(XyzRows& rows, const SetRows& set)
{
  const std::int32_t count = std::min<std::int64_t>(
      set.count, std::min({set.x.size(), set.y.size(), set.z.size(), set.type.size()}));
  if (count > set.first)
    rows.reserve(static_cast<std::size_t>(count - set.first));
  std::int32_t next = 1;
  for (std::int32_t i = std::max(0, set.first); i < count; ++i) {
    const std::int16_t type = set.type[i];
    if (set.skipTypeless && type <= 0)
      continue;
    if (!finite(set.x[i], set.y[i], set.z[i]))
      throwNotFinite("Atom " + std::to_string(i + 1));
    rows.add(set.renumber ? next++ : i + 1, set.x[i], set.y[i], set.z[i],
             set.labels ? type : std::int16_t{0});
  }
}

void addSceneFileRows(XyzRows& rows, const std::string& path)
{
  SceneFileReader reader(path);
  SceneFields fields;
  std::int32_t number = 0;
  while (reader.next(fields)) {
    const auto x = static_cast<float>(reader.value(fields, 0));
    const auto y = static_cast<float>(reader.value(fields, 1));
    const auto z = static_cast<float>(reader.value(fields, 2));
    const std::int16_t code = labelCode(reader.value(fields, 3));
    if (!finite(x, y, z))
      throwNotFinite("Line " + std::to_string(reader.lineNumber()) + " of the scene file \"" +
                     path + "\"");
    if (number == std::numeric_limits<std::int32_t>::max())
      throw RuntimeError("The scene file \"" + path + "\" holds too many atoms to list.");
    rows.add(++number, x, y, z, code);
  }
  const FileStatus status = reader.status();
  if (!status)
    throw RuntimeError(status.error());
}

void commitOrThrow(TextFileWriter& file)
{
  const FileStatus status = file.commit();
  if (!status)
    throw RuntimeError(status.error());
}

} // namespace

XyzRows::XyzRows(std::vector<std::string> labels) : m_labels(std::move(labels)) {}

void XyzRows::reserve(std::size_t rows)
{
  m_number.reserve(rows);
  m_x.reserve(rows);
  m_y.reserve(rows);
  m_z.reserve(rows);
  m_label.reserve(rows);
}

void XyzRows::add(std::int32_t number, float x, float y, float z, std::int16_t label)
{
  const std::array<float, 3> v{x, y, z};
  if (m_number.empty()) {
    m_min = m_max = v;
  } else {
    for (int k = 0; k < 3; ++k) {
      m_min[k] = std::min(m_min[k], v[k]);
      m_max[k] = std::max(m_max[k], v[k]);
    }
  }
  m_maxNumber = std::max(m_maxNumber, number);
  m_number.push_back(number);
  m_x.push_back(x);
  m_y.push_back(y);
  m_z.push_back(z);
  m_label.push_back(label);
}

const std::string& XyzRows::label(std::size_t row) const
{
  const std::int16_t code = m_label[row];
  static const std::string none;
  if (code < 0 || static_cast<std::size_t>(code) >= m_labels.size())
    return none;
  return m_labels[static_cast<std::size_t>(code)];
}

std::size_t XyzRows::heldBytes() const
{
  return m_number.capacity() * sizeof(std::int32_t) +
         (m_x.capacity() + m_y.capacity() + m_z.capacity()) * sizeof(float) +
         m_label.capacity() * sizeof(std::int16_t);
}

std::string XyzRows::text(std::size_t row, int column) const
{
  switch (column) {
  case 0:
    return std::to_string(m_number[row]);
  case 1:
    return coordinateText(m_x[row]);
  case 2:
    return coordinateText(m_y[row]);
  case 3:
    return coordinateText(m_z[row]);
  default:
    return label(row);
  }
}

std::array<std::vector<std::string>, 5> XyzRows::widestTexts() const
{
  std::array<std::vector<std::string>, 5> texts;
  if (empty())
    return texts;
  texts[0] = {std::to_string(m_maxNumber)};
  for (int k = 0; k < 3; ++k)
    texts[k + 1] = {coordinateText(m_min[k]), coordinateText(m_max[k])};
  texts[4] = m_labels;
  return texts;
}

std::vector<std::string> xyzLabelTable(const Model& model, const std::string& atomTypeLabel1,
                                       const std::string& atomTypeLabel2)
{
  if (!model.partsFlag)
    return {"", atomTypeLabel1, atomTypeLabel2, "C"};
  std::vector<std::string> labels{""};
  labels.insert(labels.end(), model.elementSymbols.begin(), model.elementSymbols.end());
  return labels;
}

XyzRows buildXyzRows(const XyzRowSource& source)
{
  const Model& model = source.model;
  XyzRows rows(xyzLabelTable(model, source.atomTypeLabel1, source.atomTypeLabel2));
  if (source.sceneListCount != 1 && !source.importShown) {
    addSceneFileRows(rows, source.sceneAtomFile);
    return rows;
  }
  switch (model.structureKind) {
  case 1:
  case 3:
  case 5:
  case 6:
  case 7:
    addSetRows(rows, {model.atomX, model.atomY, model.atomZ, model.atomType, model.atomCount});
    break;
  case 2:
  case 4:
    addSetRows(rows, {.x = model.sheetX,
                      .y = model.sheetY,
                      .z = model.sheetZ,
                      .type = model.sheetType,
                      .count = model.sheetCount,
                      .skipTypeless = false});
    break;
  case 8:
    addSetRows(rows, {.x = model.atomX,
                      .y = model.atomY,
                      .z = model.atomZ,
                      .type = model.atomType,
                      .count = model.atomCount,
                      .first = 12,
                      .renumber = true,
                      .labels = false});
    break;
  default:
    break;
  }
  return rows;
}

XyzRows atomSetRows(const Model& model, std::vector<std::string> labels)
{
  XyzRows rows(std::move(labels));
  addSetRows(rows, {model.atomX, model.atomY, model.atomZ, model.atomType, model.atomCount});
  return rows;
}

std::string xyzTableText(const XyzRows& rows)
{
  std::string text = std::to_string(rows.size()) + "\r\n";
  text.reserve(text.size() + rows.size() * 36);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    text += rows.label(r);
    for (int c = 1; c <= 3; ++c) {
      text += '\t';
      text += rows.text(r, c);
    }
    text += "\r\n";
  }
  return text;
}

void writeXyzTable(const std::string& path, const XyzRows& rows, bool lfLineEnds)
{
  TextFileWriter file(path, lfLineEnds);
  file.writeLine(printForm(static_cast<std::int32_t>(rows.size())));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    PrintLine line;
    line << rows.label(r) << rows.text(r, 1) << rows.text(r, 2) << rows.text(r, 3);
    file.writeLine(line.str());
  }
  commitOrThrow(file);
}

void writeCoordinateTable(const std::string& path, const XyzRows& rows, bool lfLineEnds)
{
  TextFileWriter file(path, lfLineEnds);
  file.writeLine(printForm(static_cast<std::int32_t>(rows.size())));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    PrintLine line;
    line << " " + rows.label(r) << rows.text(r, 1) << rows.text(r, 2) << rows.text(r, 3);
    file.writeLine(line.str());
  }
  commitOrThrow(file);
}

} // namespace tarvek
