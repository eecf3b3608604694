// The PDB part and atom-table readers.
#include "formats/structure_readers.h"
#include "formats/structure_text.h"

#include "runtime/runtime_error.h"
#include "runtime/split.h"

#include <cctype>
#include <unordered_set>

namespace tarvek {

namespace {

constexpr std::int16_t kImportedKind = 6;

// The element list of a read: whole symbols compared, so "C" is new after
// "Cl".
class ElementList {
public:
  explicit ElementList(std::string& text) : m_text(text) {}

  // Appends symbol and one blank unless the symbol is listed already.
  void note(const std::string& symbol)
  {
    if (!symbol.empty() && m_seen.insert(symbol).second)
      m_text += symbol + " ";
  }

private:
  std::string& m_text;
  std::unordered_set<std::string> m_seen;
};

// A record is an atom when its first field holds either name; the serial
// number may run into the name ("HETATM12345").
bool isAtomRecord(std::string_view line)
{
  const std::string first = splitSpaces(line).front();
  return first.find("HETATM") != std::string::npos || first.find("ATOM") != std::string::npos;
}

std::string columns(std::string_view line, std::size_t from, std::size_t width)
{
  if (from > line.size())
    return {};
  return std::string(trimBlanks(line.substr(from - 1, width)));
}

} // namespace

ReadStructure parsePDB(std::string_view bytes, const std::string& path)
{
  ReadStructure read;
  ElementList elements(read.elements);
  const auto lines = structureLines(bytes);
  for (std::size_t row = 0; row < lines.size(); ++row) {
    const std::string line = fieldText(lines[row]);
    if (line.starts_with("TER"))
      break;
    if (!isAtomRecord(line))
      continue;
    std::optional<float> xyz[3];
    if (line.size() >= 54)
      for (std::size_t k = 0; k < 3; ++k)
        xyz[k] = coordinateOf(line.substr(30 + 8 * k, 8));
    if (!xyz[0] || !xyz[1] || !xyz[2])
      throw RuntimeError(quotedPath(path) + ", line " + std::to_string(row + 1)
                         + ": the atom record has no x, y and z in columns 31-54.");
    read.x.push_back(*xyz[0]);
    read.y.push_back(*xyz[1]);
    read.z.push_back(*xyz[2]);
    read.elementNames.push_back(columns(line, 12, 6));
    std::string symbol = columns(line, 13, 2);
    if (symbol.size() == 2) {
      symbol[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(symbol[0])));
      symbol[1] = static_cast<char>(std::tolower(static_cast<unsigned char>(symbol[1])));
    }
    elements.note(symbol);
  }
  if (read.x.empty())
    throw RuntimeError(quotedPath(path) + " holds no ATOM or HETATM records.");
  read.title = structureTitle(path);
  return read;
}

ReadStructure parseAtomTable(std::string_view bytes, const std::string& path)
{
  ReadStructure read;
  ElementList elements(read.elements);
  const auto lines = structureLines(bytes);
  for (std::size_t row = 0; row < lines.size(); ++row) {
    const std::string line = fieldText(lines[row]);
    if (trimBlanks(line).empty())
      continue;
    const auto items = splitSpaces(line);
    std::optional<float> xyz[3];
    if (items.size() >= 5)
      for (std::size_t k = 0; k < 3; ++k)
        xyz[k] = coordinateOf(items[2 + k]);
    if (!xyz[0] || !xyz[1] || !xyz[2])
      throw RuntimeError(quotedPath(path) + ", line " + std::to_string(row + 1)
                         + ": expected label, element, x, y and z.");
    read.x.push_back(*xyz[0]);
    read.y.push_back(*xyz[1]);
    read.z.push_back(*xyz[2]);
    read.elementNames.push_back(items[1]);
    elements.note(items[1]);
  }
  if (read.x.empty())
    throw RuntimeError(quotedPath(path) + " holds no atoms.");
  read.title = structureTitle(path);
  return read;
}

ImportedStructure importPDB(Model& model, const std::string& path, ElementDisplay& display,
                            RandomSource& random)
{
  const ReadStructure read = parsePDB(readStructureFile(path), path);
  storeStructure(model, read, kImportedKind, &display, &random);
  return {read.title, read.elements};
}

ImportedStructure importAtomTable(Model& model, const std::string& path, ElementDisplay& display,
                                  RandomSource& random)
{
  const ReadStructure read = parseAtomTable(readStructureFile(path), path);
  storeStructure(model, read, kImportedKind, &display, &random);
  return {read.title, read.elements};
}

} // namespace tarvek
