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
#include <array>
#include <charconv>
#include <cassert>
#include <cmath>
#include <limits>
#include <new>

namespace tarvek {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

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

namespace {

// Powers of ten that doubles hold exactly.
constexpr double kExactTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// coordinateOf for a field that starts with its first character, into
// value; false for none. (A plain flag and value, not an optional: the
// parser runs three times a row and the optional's packing costs a stall.)
bool fieldCoordinate(std::string_view text, float& value)
{
  std::size_t i = 0;
  const std::size_t n = text.size();
  // The digits as one whole number while it fits; past 19 digits the
  // general parser takes over.
  std::uint64_t mantissa = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < n && isDigit(text[i])) {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[i] - '0');
      ++i;
    }
    return i - start;
  };
  const bool plus = text[0] == '+';
  const bool minus = text[0] == '-';
  if (plus || minus)
    ++i;
  const std::size_t whole = digits();
  bool comma = false;
  std::size_t fraction = 0;
  if (i < n && (text[i] == '.' || text[i] == ',')) {
    comma = text[i] == ',';
    ++i;
    fraction = digits();
  }
  if (whole + fraction == 0)
    return false;
  bool fortran = false;
  std::int64_t exponent = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    const std::size_t letter = i++;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
      negative = text[i++] == '-';
    const std::size_t start = i;
    while (i < n && isDigit(text[i]))
      ++i;
    if (i == start) {
      i = letter;
    } else {
      fortran = text[letter] == 'D' || text[letter] == 'd';
      for (std::size_t k = start; k < i && exponent < 100000; ++k)
        exponent = exponent * 10 + (text[k] - '0');
      if (negative)
        exponent = -exponent;
    }
  }
  if (startsNumber(text.substr(i)))
    return false;

  // A mantissa of at most 2^53 scaled by an exact power of ten rounds once,
  // as the general parser rounds.
  const std::int64_t scale = exponent - static_cast<std::int64_t>(fraction);
  if (whole + fraction <= 19 && mantissa <= (std::uint64_t{1} << 53) && scale >= -22
      && scale <= 22) {
    const auto m = static_cast<double>(mantissa);
    const double magnitude =
        scale < 0 ? m / kExactTens[-scale] : m * kExactTens[scale];
    if (magnitude > std::numeric_limits<float>::max())
      return false;
    value = static_cast<float>(minus ? -magnitude : magnitude);
    return true;
  }

  std::string_view number = text.substr(plus ? 1 : 0, i - (plus ? 1 : 0));
  std::string spelled;
  if (comma || fortran) {
    spelled.assign(number);
    for (char& c : spelled) {
      if (c == ',')
        c = '.';
      else if (c == 'D' || c == 'd')
        c = 'E';
    }
    number = spelled;
  }
  double parsed = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
  if (error == std::errc::result_out_of_range) {
    // Too large when the first non-zero digit stands above the decimal
    // sign once the exponent is applied, else too small: tiny values read
    // as 0.
    const std::size_t lead = text[0] == '+' || text[0] == '-' ? 1 : 0;
    std::int64_t power = exponent;
    std::size_t k = lead;
    while (k < lead + whole && text[k] == '0')
      ++k;
    if (k < lead + whole) {
      power += static_cast<std::int64_t>(lead + whole - k);
    } else {
      for (k = lead + whole + 1; k < lead + whole + 1 + fraction && text[k] == '0'; ++k)
        --power;
    }
    if (power > 0)
      return false;
    parsed = 0.0;
  } else if (error != std::errc() || end != number.data() + number.size()) {
    return false;
  }
  if (std::fabs(parsed) > std::numeric_limits<float>::max())
    return false;
  value = static_cast<float>(parsed);
  return true;
}

} // namespace

std::optional<float> coordinateOf(std::string_view text)
{
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos)
    return std::nullopt;
  const std::size_t last = text.find_last_not_of(" \t");
  float value = 0.0f;
  if (!fieldCoordinate(text.substr(first, last + 1 - first), value))
    return std::nullopt;
  return value;
}

std::string structureTitle(const std::string& path)
{
  return stripFileExt(getFileName(path));
}

std::string badRowText(const std::string& path, std::uint64_t line, std::size_t atom)
{
  return quotedPath(path) + ", line " + std::to_string(line) + ": atom " + std::to_string(atom)
         + " has no x, y and z.";
}

std::string tooFewRowsText(const std::string& path, std::size_t atoms, std::int32_t count)
{
  return quotedPath(path) + " ends after " + std::to_string(atoms) + " of its "
         + std::to_string(count) + " atoms.";
}

std::int32_t requireAtomCount(StructureLines& lines, const std::string& path)
{
  std::string_view line;
  const std::optional<std::int32_t> count =
      lines.next(line) ? atomCountOf(line) : std::nullopt;
  if (!count)
    throw RuntimeError(quotedPath(path) + " holds no atom count on its first line.");
  return *count;
}

void reserveRows(const StructureLines& lines, std::int32_t count, int xField, ReadStructure& read)
{
  // The shortest row is its fields of one character each with one blank
  // between, and a line end; the last row needs no end.
  const auto shortestRow = static_cast<std::uint64_t>(2 * (xField + 3));
  const std::uint64_t fits = lines.sized() ? (lines.bytesLeft() + 1) / shortestRow
                                           : std::uint64_t{1} << 16;
  const auto room = static_cast<std::size_t>(std::min<std::uint64_t>(
      static_cast<std::uint64_t>(count), fits));
  try {
    read.x.reserve(room);
    read.y.reserve(room);
    read.z.reserve(room);
    read.type.reserve(room);
  } catch (const std::bad_alloc&) {
    // No room to map at once: the rows grow the arrays as they come.
  }
}

std::string tooManyAtomsText(const std::string& path)
{
  return quotedPath(path) + " holds more atoms than the memory can take.";
}

bool readAtomRow(std::string_view line, int xField, AtomTypeOf typeOf, ReadStructure& read)
{
  std::array<std::string_view, 5> fields;
  const auto wanted = static_cast<std::size_t>(xField) + 3;
  std::size_t found = 0;
  const char* const text = line.data();
  const std::size_t n = line.size();
  std::size_t i = 0;
  while (found < wanted) {
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
      ++i;
    if (i == n)
      return false;
    const std::size_t start = i;
    while (i < n && text[i] != ' ' && text[i] != '\t')
      ++i;
    fields[found++] = line.substr(start, i - start);
  }
  const auto field = static_cast<std::size_t>(xField);
  float x = 0.0f, y = 0.0f, z = 0.0f;
  if (!fieldCoordinate(fields[field], x) || !fieldCoordinate(fields[field + 1], y)
      || !fieldCoordinate(fields[field + 2], z))
    return false;
  read.x.push_back(x);
  read.y.push_back(y);
  read.z.push_back(z);
  read.type.push_back(typeOf(fields[0]));
  return true;
}

void readCoordinateRows(StructureLines& lines, std::int32_t count, int xField, AtomTypeOf typeOf,
                        const std::string& path, ReadStructure& read)
{
  const auto atoms = static_cast<std::size_t>(count);
  std::string_view line;
  while (read.x.size() < atoms && lines.next(line))
    if (!readAtomRow(line, xField, typeOf, read))
      throw RuntimeError(badRowText(path, lines.lineNumber(), read.x.size() + 1));
  if (read.x.size() < atoms)
    throw RuntimeError(tooFewRowsText(path, read.x.size(), count));
  read.title = structureTitle(path);
}

void storeStructure(Model& model, ReadStructure read, std::int16_t kind, ElementDisplay* display,
                    RandomSource* random)
{
  BigVector<std::int16_t> types = std::move(read.type);
  if (!read.elementNames.empty()) {
    assert(display != nullptr && random != nullptr);
    types.clear();
    types.reserve(read.elementNames.size());
    for (const std::string& name : read.elementNames)
      types.push_back(elementIndex(model, name, *display, *random));
  }
  assert(types.size() == read.x.size());
  model.atomCount = static_cast<std::int32_t>(read.x.size());
  model.atomX = std::move(read.x);
  model.atomY = std::move(read.y);
  model.atomZ = std::move(read.z);
  model.atomType = std::move(types);
  clearBonds(model);
  model.structureKind = kind;
}

std::string fullereneLibraryFolder(const std::string& programFolder)
{
  return programFolder + "DATA/Fullerene/";
}

} // namespace tarvek
