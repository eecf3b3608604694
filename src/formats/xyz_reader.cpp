// The XYZ and ".cc1" coordinate readers.
#include "formats/structure_readers.h"
#include "formats/structure_text.h"

#include "runtime/split.h"

namespace tarvek {

namespace {

constexpr std::int16_t kCarbon = 3;
constexpr std::int16_t kImportedKind = 6;

std::int16_t carbon(const std::string&)
{
  return kCarbon;
}

bool isBlank(std::string_view line)
{
  return trimBlanks(fieldText(line)).empty();
}

} // namespace

ReadStructure parseXYZ(std::string_view bytes, const std::string& path)
{
  const auto lines = structureLines(bytes);
  const std::int32_t count = requireAtomCount(lines, path);

  // Standard XYZ files carry a comment line after the count; the older
  // comment-less form starts its atoms right there. The number of lines
  // tells them apart; a file too short for either has its comment when its
  // second line is no atom row.
  std::size_t rows = lines.size() - 1;
  while (rows > 0 && isBlank(lines[rows]))
    --rows;
  const auto n = static_cast<std::size_t>(count);
  bool comment = rows >= n + 1;
  if (rows < n && rows > 0) {
    const auto items = splitSpaces(fieldText(lines[1]));
    comment = items.size() < 4 || !coordinateOf(items[1]) || !coordinateOf(items[2])
              || !coordinateOf(items[3]);
  }
  return readCoordinateRows(lines, comment ? 2 : 1, count, 1, carbon, path);
}

ReadStructure parseCC1(std::string_view bytes, const std::string& path)
{
  const auto lines = structureLines(bytes);
  const std::int32_t count = requireAtomCount(lines, path);
  return readCoordinateRows(lines, 1, count, 2, carbon, path);
}

ImportedStructure importXYZ(Model& model, const std::string& path)
{
  const ReadStructure read = parseXYZ(readStructureBytes(path).bytes(), path);
  storeStructure(model, read, kImportedKind);
  return {read.title, read.elements};
}

ImportedStructure openCC1(Model& model, const std::string& path)
{
  const ReadStructure read = parseCC1(readStructureBytes(path).bytes(), path);
  storeStructure(model, read, kImportedKind);
  return {read.title, read.elements};
}

} // namespace tarvek
