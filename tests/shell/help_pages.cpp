#include "help_pages.h"

#include <algorithm>
#include <regex>

namespace tarvek::test {

std::vector<std::filesystem::path> manualPages()
{
  std::vector<std::filesystem::path> pages;
  for (const auto& entry : std::filesystem::directory_iterator(manualFolder()))
    if (entry.path().extension() == ".html")
      pages.push_back(entry.path());
  std::sort(pages.begin(), pages.end());
  return pages;
}

std::string pageText(const std::string& html)
{
  std::string text = std::regex_replace(html, std::regex("<[^>]*>"), " ");
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
  for (const auto& [entity, plain] : entities)
    text = std::regex_replace(text, std::regex(entity), plain);
  text = std::regex_replace(text, std::regex("\\s+"), " ");
  return text;
}

std::vector<std::string> attributeValues(const std::string& html, const std::string& name)
{
  std::vector<std::string> values;
  const std::regex attribute("\\s" + name + "=\"([^\"]*)\"");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), attribute);
       it != std::sregex_iterator(); ++it)
    values.push_back((*it)[1].str());
  return values;
}

} // namespace tarvek::test
