// The manual's pages as the tests read them: files, plain text and links.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarvek::test {

// The shipped manual's folder, data/help of the source tree.
inline std::filesystem::path manualFolder()
{
  return std::filesystem::path(TARVEK_TEST_SOURCE_DIR) / ".." / "data" / "help";
}

// Every .html page of the manual, sorted.
std::vector<std::filesystem::path> manualPages();

// A page's text as a reader sees it: tags removed, the entities the pages
// use decoded, runs of white space made one blank.
std::string pageText(const std::string& html);

// The values of one attribute ("href", "id") in the order they appear.
std::vector<std::string> attributeValues(const std::string& html, const std::string& name);

} // namespace tarvek::test
