#include "runtime/split.h"

#include <algorithm>

namespace tarvek {

std::string_view trimBlanks(std::string_view text)
{
  auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return {};
  auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::vector<std::string> splitSpaces(std::string_view text)
{
  std::vector<std::string> items;
  splitSpaces(text, items);
  return items;
}

void splitSpaces(std::string_view text, std::vector<std::string>& items)
{
  std::size_t count = 0;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < n && text[i] != ' ')
      ++i;
    if (count < items.size())
      items[count].assign(text.data() + start, i - start);
    else
      items.emplace_back(text.substr(start, i - start));
    ++count;
  }
  // A blank line gives one empty item.
  items.resize(std::max<std::size_t>(count, 1));
  if (count == 0)
    items[0].clear();
}

std::vector<std::string> splitBy(std::string_view text, char delimiter)
{
  std::vector<std::string> items;
  std::string_view rest = trimBlanks(text);
  std::size_t start = 0;
  for (std::size_t found; (found = rest.find(delimiter, start)) != std::string_view::npos;
       start = found + 1)
    items.emplace_back(rest.substr(start, found - start));
  if (start < rest.size())
    items.emplace_back(rest.substr(start));
  if (items.empty())
    items.emplace_back();
  return items;
}

} // namespace tarvek
