// Line, count and coordinate handling shared by the structure readers.
#include "formats/structure_text.h"

#include "model/bond_search.h"
#include "model/element_tables.h"
#include "runtime/file_util.h"
#include "runtime/line_reader.h"
#include "runtime/number_field.h"
#include "runtime/number_parse.h"
#include "runtime/path_util.h"
#include "runtime/runtime_error.h"
#include "runtime/split.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

namespace tarvek {

std::string readStructureFile(const std::string& path)
{
  std::string bytes;
  const FileStatus status = readFileBytes(path, bytes);
  if (!status)
    throw RuntimeError(status.error());
  return bytes;
}

FileBytes readStructureBytes(const std::string& path)
{
  FileBytes file;
  if (const FileStatus status = file.open(path); !status)
    throw RuntimeError(status.error());
  return file;
}

BigVector<std::string_view> structureLines(std::string_view bytes)
{
  constexpr std::string_view bom = "\xEF\xBB\xBF";
  if (bytes.starts_with(bom))
    bytes.remove_prefix(bom.size());
  return splitLines(bytes);
}

std::string fieldText(std::string_view line)
{
  std::string text(line);
  for (char& c : text) {
    if (c == '\t')
      c = ' ';
    else if (c == ',')
      c = '.';
  }
  return text;
}

std::string quotedPath(const std::string& path)
{
  return "\"" + path + "\"";
}

std::optional<std::int32_t> atomCountOf(std::string_view line)
{
  const std::optional<double> n = leadingNumber(fieldText(line));
  if (!n || *n < 1.0 || *n > std::numeric_limits<std::int32_t>::max() || *n != std::floor(*n))
    return std::nullopt;
  return static_cast<std::int32_t>(*n);
}

std::optional<float> coordinateOf(std::string_view text)
{
  const FieldNumber number = readNumberField(text);
  if (!number.ok() || std::fabs(number.value) > std::numeric_limits<float>::max())
    return std::nullopt;
  return static_cast<float>(number.value);
}

std::string structureTitle(const std::string& path)
{
  return stripFileExt(getFileName(path));
}

std::int32_t requireAtomCount(const BigVector<std::string_view>& lines, const std::string& path)
{
  const std::optional<std::int32_t> count =
      lines.empty() ? std::nullopt : atomCountOf(lines.front());
  if (!count)
    throw RuntimeError(quotedPath(path) + " holds no atom count on its first line.");
  return *count;
}

ReadStructure readCoordinateRows(const BigVector<std::string_view>& lines, std::size_t first,
                                 std::int32_t count, int xField,
                                 const std::function<std::int16_t(const std::string&)>& typeOf,
                                 const std::string& path)
{
  ReadStructure read;
  // Room for the atoms the file can hold, whatever its count claims.
  const std::size_t room =
      std::min(static_cast<std::size_t>(count), lines.size() - std::min(first, lines.size()));
  read.x.reserve(room);
  read.y.reserve(room);
  read.z.reserve(room);
  read.type.reserve(room);
  const auto fields = static_cast<std::size_t>(xField) + 3;
  std::vector<std::string> items;
  for (std::size_t row = first; row < lines.size() && read.x.size() < static_cast<std::size_t>(count);
       ++row) {
    splitSpaces(fieldText(lines[row]), items);
    std::optional<float> xyz[3];
    if (items.size() >= fields)
      for (int k = 0; k < 3; ++k)
        xyz[k] = coordinateOf(items[static_cast<std::size_t>(xField + k)]);
    if (!xyz[0] || !xyz[1] || !xyz[2])
      throw RuntimeError(quotedPath(path) + ", line " + std::to_string(row + 1) + ": atom "
                         + std::to_string(read.x.size() + 1) + " has no x, y and z.");
    read.x.push_back(*xyz[0]);
    read.y.push_back(*xyz[1]);
    read.z.push_back(*xyz[2]);
    read.type.push_back(typeOf(items.front()));
  }
  if (read.x.size() < static_cast<std::size_t>(count))
    throw RuntimeError(quotedPath(path) + " ends after " + std::to_string(read.x.size())
                       + " of its " + std::to_string(count) + " atoms.");
  read.title = structureTitle(path);
  return read;
}

void storeStructure(Model& model, const ReadStructure& read, std::int16_t kind,
                    ElementDisplay* display, RandomSource* random)
{
  BigVector<std::int16_t> types = read.type;
  if (!read.elementNames.empty()) {
    assert(display != nullptr && random != nullptr);
    types.clear();
    types.reserve(read.elementNames.size());
    for (const std::string& name : read.elementNames)
      types.push_back(elementIndex(model, name, *display, *random));
  }
  assert(types.size() == read.x.size());
  model.atomX = read.x;
  model.atomY = read.y;
  model.atomZ = read.z;
  model.atomType = std::move(types);
  model.atomCount = static_cast<std::int32_t>(read.x.size());
  clearBonds(model);
  model.structureKind = kind;
}

std::string fullereneLibraryFolder(const std::string& programFolder)
{
  return programFolder + "DATA/Fullerene/";
}

} // namespace tarvek
