// The XYZ and ".cc1" coordinate readers.
#include "formats/structure_readers.h"
#include "formats/structure_text.h"

#include "runtime/runtime_error.h"

#include <algorithm>
#include <new>

namespace tarvek {

namespace {

constexpr std::int16_t kCarbon = 3;
constexpr std::int16_t kImportedKind = 6;

std::int16_t carbon(std::string_view)
{
  return kCarbon;
}

bool isBlank(std::string_view line)
{
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// Standard XYZ files carry a comment line after the count; the older
// comment-less form starts its atoms right there. The number of lines tells
// them apart: with at least count + 1 lines after the count (blank lines at
// the end left out) line 2 is a comment, with exactly count it is the first
// atom, and a file too short for either has its comment when line 2 is no
// atom row. The rows are read as they come, line 2 tried as an atom, so the
// file is gone through once, in blocks.
ReadStructure readXYZ(StructureLines& lines, const std::string& path)
{
  const std::int32_t count = requireAtomCount(lines, path);
  const auto n = static_cast<std::size_t>(count);
  ReadStructure read;
  reserveRows(lines, count, 1, read);
  // Line 1 is held apart until the end tells whether it is the comment.
  ReadStructure first;

  // Lines after the count are numbered from 1. Lines 1 to n + 1 are read as
  // atom rows until one is none (line 1 aside, which may be the comment);
  // the lines go on only until it is known whether some line past n is not
  // blank.
  std::string_view line;
  std::size_t index = 0;
  std::size_t lastNonBlank = 0;
  bool firstIsAtom = false;
  std::size_t firstBad = 0;
  while (lastNonBlank <= n && lines.next(line)) {
    ++index;
    if (!isBlank(line))
      lastNonBlank = index;
    if (index == 1) {
      firstIsAtom = readAtomRow(line, 1, carbon, first);
    } else if (index <= n + 1 && firstBad == 0 && !readAtomRow(line, 1, carbon, read)) {
      firstBad = index;
    }
  }
  const std::size_t lineCount = index;
  const std::size_t rows = lastNonBlank;

  const bool comment = rows >= n + 1 || (rows < n && rows > 0 && !firstIsAtom);
  // The file's line number of line i after the count is i + 1.
  if (comment) {
    if (firstBad != 0)
      throw RuntimeError(badRowText(path, firstBad + 1, firstBad - 1));
    if (lineCount < n + 1)
      throw RuntimeError(tooFewRowsText(path, lineCount == 0 ? 0 : lineCount - 1, count));
  } else {
    if (lineCount == 0)
      throw RuntimeError(tooFewRowsText(path, 0, count));
    if (!firstIsAtom)
      throw RuntimeError(badRowText(path, 2, 1));
    if (firstBad != 0 && firstBad <= n)
      throw RuntimeError(badRowText(path, firstBad + 1, firstBad));
    if (lineCount < n)
      throw RuntimeError(tooFewRowsText(path, lineCount, count));
    // Lines 2 to n are atoms 2 to n; line 1 goes before them.
    read.x.insert(read.x.begin(), first.x[0]);
    read.y.insert(read.y.begin(), first.y[0]);
    read.z.insert(read.z.begin(), first.z[0]);
    read.type.insert(read.type.begin(), first.type[0]);
  }
  read.title = structureTitle(path);
  return read;
}

ReadStructure readCC1(StructureLines& lines, const std::string& path)
{
  const std::int32_t count = requireAtomCount(lines, path);
  ReadStructure read;
  reserveRows(lines, count, 2, read);
  readCoordinateRows(lines, count, 2, carbon, path, read);
  return read;
}

// Runs a reader, turning a lack of memory into the refusal that says so.
template <typename Read>
ReadStructure refusingWhenFull(StructureLines& lines, const std::string& path, Read read)
{
  try {
    return read(lines, path);
  } catch (const std::bad_alloc&) {
    throw RuntimeError(tooManyAtomsText(path));
  }
}

// The file read through its lines by read, stored in model as an import.
template <typename Read>
ImportedStructure importFile(Model& model, const std::string& path, AbortToken* abort, Read read)
{
  StructureLines lines(path, abort);
  ReadStructure structure = refusingWhenFull(lines, path, read);
  ImportedStructure imported{structure.title, structure.elements};
  storeStructure(model, std::move(structure), kImportedKind);
  return imported;
}

} // namespace

ReadStructure parseXYZ(std::string_view bytes, const std::string& path)
{
  StructureLines lines(bytes);
  return refusingWhenFull(lines, path, readXYZ);
}

ReadStructure parseCC1(std::string_view bytes, const std::string& path)
{
  StructureLines lines(bytes);
  return refusingWhenFull(lines, path, readCC1);
}

ImportedStructure importXYZ(Model& model, const std::string& path, AbortToken* abort)
{
  return importFile(model, path, abort, readXYZ);
}

ImportedStructure openCC1(Model& model, const std::string& path, AbortToken* abort)
{
  return importFile(model, path, abort, readCC1);
}

} // namespace tarvek
