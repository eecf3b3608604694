#include "platform/file_filter.h"

#include "runtime/split.h"

#include <algorithm>
#include <cctype>

namespace tarvek {

namespace {

std::vector<std::string_view> splitOn(std::string_view s, char delimiter)
{
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    auto at = s.find(delimiter, start);
    parts.push_back(s.substr(start, at - start));
    if (at == std::string_view::npos)
      return parts;
    start = at + 1;
  }
}

std::string patternList(std::string_view patterns)
{
  std::string out;
  for (auto p : splitOn(patterns, ';')) {
    p = trimBlanks(p);
    if (p.empty())
      continue;
    if (!out.empty())
      out += ' ';
    out += p == "*.*" ? std::string_view("*") : p;
  }
  return out.empty() ? "*" : out;
}

// The description without a parenthesised list at its end.
std::string_view withoutPatternList(std::string_view desc)
{
  desc = trimBlanks(desc);
  if (desc.empty() || desc.back() != ')')
    return desc;
  auto open = desc.rfind('(');
  if (open == std::string_view::npos)
    return desc;
  return trimBlanks(desc.substr(0, open));
}

} // namespace

std::vector<std::string> toNameFilters(std::string_view filter)
{
  std::vector<std::string> filters;
  if (filter.empty())
    return filters;
  auto parts = splitOn(filter, '|');
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string name(withoutPatternList(parts[i]));
    if (!name.empty())
      name += ' ';
    filters.push_back(name + "(" + patternList(parts[i + 1]) + ")");
  }
  return filters;
}

std::string nameFilterAt(const std::vector<std::string>& filters, int index)
{
  if (filters.empty())
    return {};
  if (index < 1 || static_cast<std::size_t>(index) > filters.size())
    index = 1;
  return filters[static_cast<std::size_t>(index) - 1];
}

int nameFilterIndex(const std::vector<std::string>& filters, const std::string& selected)
{
  auto it = std::find(filters.begin(), filters.end(), selected);
  return it == filters.end() ? 1 : static_cast<int>(it - filters.begin()) + 1;
}

std::vector<std::string> filterExtensions(std::string_view filter, int index)
{
  const auto parts = splitOn(filter, '|');
  const std::size_t pairs = parts.size() / 2;
  std::vector<std::string> extensions;
  if (pairs == 0)
    return extensions;
  const std::size_t pair = index >= 1 && static_cast<std::size_t>(index) <= pairs
                               ? static_cast<std::size_t>(index) - 1
                               : 0;
  for (auto p : splitOn(parts[2 * pair + 1], ';')) {
    p = trimBlanks(p);
    if (!p.starts_with("*.") || p.size() == 2)
      continue;
    const std::string_view ext = p.substr(1);
    if (ext.find_first_of("*?") == std::string_view::npos)
      extensions.emplace_back(ext);
  }
  return extensions;
}

std::string withFilterExtension(const std::string& path, std::string_view filter, int index)
{
  const std::vector<std::string> extensions = filterExtensions(filter, index);
  if (path.empty() || extensions.empty())
    return path;
  const std::string_view name = std::string_view(path).substr(path.find_last_of('/') + 1);
  const auto endsIn = [&](const std::string& ext) {
    return name.size() > ext.size()
           && std::equal(ext.rbegin(), ext.rend(), name.rbegin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a))
                       == std::tolower(static_cast<unsigned char>(b));
              });
  };
  if (std::any_of(extensions.begin(), extensions.end(), endsIn))
    return path;
  return path + extensions.front();
}

} // namespace tarvek
