#include "runtime/split.h"

namespace tarvek {

namespace {

// Shared walk of both splitters; keepEmpty decides whether two separators in
// a row produce an empty item.
std::vector<std::string> split(std::string_view text, char separator, bool keepEmpty)
{
  std::vector<std::string> items;
  std::string_view rest = trimBlanks(text);
  std::size_t start = 0;
  for (std::size_t found; (found = rest.find(separator, start)) != std::string_view::npos;
       start = found + 1) {
    if (keepEmpty || found != start)
      items.emplace_back(rest.substr(start, found - start));
  }
  if (start < rest.size())
    items.emplace_back(rest.substr(start));
  if (items.empty())
    items.emplace_back();
  return items;
}

} // namespace

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
  return split(text, ' ', false);
}

std::vector<std::string> splitBy(std::string_view text, char delimiter)
{
  return split(text, delimiter, true);
}

} // namespace tarvek
