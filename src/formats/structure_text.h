// Line, count and coordinate handling shared by the structure readers.
#pragma once

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
// the float range, else nothing. A Fortran exponent ("2.5D-02") reads as its
// value; a text that holds a second number right after the first
// ("1.234.5") is none.
std::optional<float> coordinateOf(std::string_view text);

// The file name without folder and last extension.
std::string structureTitle(const std::string& path);

// Reads count rows of x, y, z from lines[first] on, the coordinates taken
// from fields xField to xField + 2 (counted from 0); typeOf gives an atom's
// type from the row's first field. Throws RuntimeError for a bad row or too
// few rows.
ReadStructure readCoordinateRows(const BigVector<std::string_view>& lines, std::size_t first,
                                 std::int32_t count, int xField,
                                 const std::function<std::int16_t(const std::string&)>& typeOf,
                                 const std::string& path);

// The count on the first of the lines; throws RuntimeError when there is none.
std::int32_t requireAtomCount(const BigVector<std::string_view>& lines, const std::string& path);

} // namespace tarvek
