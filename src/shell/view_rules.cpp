#include "shell/view_rules.h"

#include "runtime/file_util.h"

#include <sstream>

namespace tarvek {

std::string stereoModeName(std::int16_t mode)
{
  switch (mode) {
  case 1:
    return "Stereo-Pair (Relaxed-Eye)";
  case 2:
    return "Stereo-Pair (Cross-Eye)";
  case 3:
    return "Color Anaglyph";
  case 4:
    return "Greyscale Anaglyph";
  default:
    return "";
  }
}

int stepListIndex(int index, int step, int count)
{
  const int next = index + step;
  if (next >= count)
    return 0;
  if (next < 0)
    return count - 1;
  return next;
}

int statusPanelAt(int x, int panel2Left, int panel4Left)
{
  if (x < panel2Left)
    return 1;
  if (x > panel2Left && x < panel4Left)
    return 2;
  if (x > panel4Left)
    return 4;
  return 0;
}

LinkTable parseLinkTable(const std::string& text)
{
  LinkTable links;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.empty() || line.front() == '#')
      continue;
    const auto tab1 = line.find('\t');
    if (tab1 == std::string::npos)
      continue;
    const auto tab2 = line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos || tab1 == 0)
      continue;
    links[line.substr(0, tab1)] = {line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)};
  }
  return links;
}

LinkTable loadLinkTable(const std::string& path)
{
  return parseLinkTable(readFileText(path));
}

std::string linkAddress(const LinkTable& links, const std::string& key)
{
  const auto it = links.find(key);
  return it == links.end() ? std::string() : it->second.address;
}

} // namespace tarvek
