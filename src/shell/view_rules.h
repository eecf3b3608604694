#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace tarvek {

// The status-panel name of a stereo mode; "" for 0 and for modes without a
// name, so the panel clears.
std::string stereoModeName(std::int16_t mode);

// index + step in a list of count items (count > 0). Past the end gives 0,
// before the start the last item: the wrap does not carry the remainder.
int stepListIndex(int index, int step, int count);

// Which status panel a bar x (pixels from the bar's left) falls in, given
// the left edges of panels 2 and 4. Returns 1 left of panel 2, 2 strictly
// between the edges (panels 2 and 3 act alike), 4 right of panel 4's edge,
// and 0 exactly on either edge.
int statusPanelAt(int x, int panel2Left, int panel4Left);

// One row of the link table: a caption for menus and the address.
struct Link {
  std::string caption;
  std::string address;
};
using LinkTable = std::map<std::string, Link>;

// Reads the link table text: one row a line, key, caption and address
// separated by tabs. Blank lines and lines starting with "#" are skipped,
// as are rows without three fields. CR LF line ends are accepted.
LinkTable parseLinkTable(const std::string& text);
// The table in the file at path; empty when it cannot be read.
LinkTable loadLinkTable(const std::string& path);
// The address of key, "" when the table has no such row.
std::string linkAddress(const LinkTable& links, const std::string& key);

} // namespace tarvek
