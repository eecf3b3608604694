// Line, count and coordinate handling shared by the structure readers.
#pragma once

#include "formats/structure_lines.h"
#include "formats/structure_readers.h"
#include "runtime/file_bytes.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// The file's bytes; throws RuntimeError ("Could not read ...") on failure.
std::string readStructureFile(const std::string& path);
// The same in a big block (runtime/file_bytes.h), for the coordinate
// readers, whose files run to tens of megabytes.
FileBytes readStructureBytes(const std::string& path);

// The lines of a file's bytes, a leading UTF-8 byte-order mark dropped.
BigVector<std::string_view> structureLines(std::string_view bytes);

// A line ready for splitting: tabs become blanks and "," the decimal point.
std::string fieldText(std::string_view line);

// The path as messages name it: in double quotes.
std::string quotedPath(const std::string& path);

// The atom count at the start of a count line: a whole number from 1 to
// 2,147,483,647, or nothing.
std::optional<std::int32_t> atomCountOf(std::string_view line);

// A coordinate: the leading number of the text when it is finite and inside
// the float range, else nothing. Blanks and tabs around it are skipped, ","
// counts as ".", a Fortran exponent ("2.5D-02") reads as its value, values
// below the double range as 0; a text that holds a second number right after
// the first ("1.234.5") is none. Locale-free.
std::optional<float> coordinateOf(std::string_view text);

// The file name without folder and last extension.
std::string structureTitle(const std::string& path);

// A row's atom type from its first field.
using AtomTypeOf = std::int16_t (*)(std::string_view field);

// Adds the atom of one row to read: x, y, z from fields xField to
// xField + 2 (counted from 0, separated by runs of blanks and tabs), the
// type from typeOf of field 0. False, with read unchanged, when the row has
// no x, y and z.
bool readAtomRow(std::string_view line, int xField, AtomTypeOf typeOf, ReadStructure& read);

// The count on the next line; throws RuntimeError when there is none.
std::int32_t requireAtomCount(StructureLines& lines, const std::string& path);

// Reserves room in read for count atoms, or for as many rows of
// xField + 3 fields as the bytes left can hold when that is fewer: a count
// the file cannot hold never sizes the atom set, and such a file is refused
// by its rows once they run out.
void reserveRows(const StructureLines& lines, std::int32_t count, int xField, ReadStructure& read);

// Reads rows into read from the next line on until it holds count atoms.
// Throws RuntimeError for a bad row or too few rows.
void readCoordinateRows(StructureLines& lines, std::int32_t count, int xField, AtomTypeOf typeOf,
                        const std::string& path, ReadStructure& read);

// The sentences of a refused row and of a file that ends early.
std::string badRowText(const std::string& path, std::uint64_t line, std::size_t atom);
std::string tooFewRowsText(const std::string& path, std::size_t atoms, std::int32_t count);
// The sentence of a file whose atoms the memory cannot hold.
std::string tooManyAtomsText(const std::string& path);

} // namespace tarvek
