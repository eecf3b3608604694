// The structure-part library: the scrambled menu file and the vetting of its part files.
#include "shell/part_library.h"

#include "formats/crc32.h"
#include "runtime/file_util.h"
#include "runtime/split.h"

#include <algorithm>
#include <cctype>

namespace tarvek {

namespace {

std::string upper(std::string text)
{
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

} // namespace

std::string xorWithKey(std::string_view text, std::string_view key)
{
  std::string out(text);
  if (key.empty())
    return out;
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char>(out[i] ^ key[i % key.size()]);
  return out;
}

std::vector<std::vector<std::string>> parsePartMenu(std::string_view clearText)
{
  std::vector<std::string> pieces = splitBy(clearText, '#');
  if (pieces.back().size() < 10)
    pieces.pop_back();
  std::vector<std::vector<std::string>> records;
  records.reserve(pieces.size());
  for (const std::string& piece : pieces)
    records.push_back(splitBy(piece, '|'));
  return records;
}

PartLibrary vetPartLibrary(const std::string& programFolder, const clCRC32& crc)
{
  PartLibrary library;
  const std::string menuPath = programFolder + "lib/tarvek.mnu";
  if (!FileExists(menuPath))
    return library;
  const auto records = parsePartMenu(xorWithKey(readFileText(menuPath), kPartMenuKey));
  const bool anyComplete = std::any_of(records.begin(), records.end(),
                                       [](const auto& fields) { return fields.size() >= 4; });
  if (!anyComplete)
    return library;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const auto& fields = records[i];
    if (fields.size() < 4)
      continue;
    const std::string path = programFolder + "lib/IMM/" + fields[2];
    if (!FileExists(path))
      continue;
    const auto sum = crc.GetCrc32HexString(path);
    if (!sum || upper(*sum) != upper(fields[3]))
      return {};
    library.items.push_back({static_cast<int>(i), fields[1], path});
  }
  library.shown = true;
  library.recordCount = static_cast<int>(records.size());
  return library;
}

} // namespace tarvek
