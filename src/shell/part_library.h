// The structure-part library: the scrambled menu file and the vetting of its part files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

class clCRC32;

// The key the menu file is scrambled with.
inline constexpr std::string_view kPartMenuKey = "pqrLane_83";

// text XOR the key repeated over it, byte by byte; the same call scrambles
// and unscrambles. Either text may hold any byte, NUL included. An empty key
// leaves the text as it is.
std::string xorWithKey(std::string_view text, std::string_view key);

// The records of a clear menu text: pieces between "#", each split into its
// fields at "|" (both with splitBy, so blanks at the ends of the text are
// trimmed first). A last piece under 10 characters is a trailing remainder,
// not a record. Fields: 0 unused, 1 caption, 2 part file name under
// lib/IMM/, 3 the file's CRC-32 as 8 hexadecimal digits; later ones unused.
std::vector<std::vector<std::string>> parsePartMenu(std::string_view clearText);

// One menu item of a part: its record's index, its caption and the full
// path of its file.
struct PartItem {
  int index = 0;
  std::string caption;
  std::string path;
};

// What the submenu shows. Items keep their record's index, so a missing
// part leaves a gap; the separator follows at index recordCount and
// "Edit Colors" at recordCount + 1.
struct PartLibrary {
  bool shown = false;
  std::vector<PartItem> items;
  int recordCount = 0;
};

// Reads programFolder + "lib/tarvek.mnu" (programFolder ends in "/") and
// vets each part in record order. Hidden when the menu file is missing or
// empty, when no record has all four fields, or when a part file's CRC-32
// differs from its record (compared without regard to case; no message). A
// record whose part file is missing or empty, or that lacks a field, gets
// no item.
PartLibrary vetPartLibrary(const std::string& programFolder, const clCRC32& crc);

} // namespace tarvek
