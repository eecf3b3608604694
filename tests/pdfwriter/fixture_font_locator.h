#pragma once

#include "pdfwriter/font_locator.h"
#include "support/scratch_dir.h"

#include <filesystem>
#include <map>

namespace quillet::test {

// A FontLocator over fonts the test names: each family gives the bytes it was
// registered with; any other family gives nothing.
class FixtureFontLocator final : public FontLocator {
public:
  void add(const std::string& family, std::vector<std::uint8_t> bytes, int faceIndex = 0)
  {
    m_fonts[family] = LocatedFont{std::move(bytes), faceIndex};
  }

  void addFile(const std::string& family, const std::filesystem::path& file, int faceIndex = 0)
  {
    const std::string bytes = tarvek::test::readBytes(file);
    add(family, std::vector<std::uint8_t>(bytes.begin(), bytes.end()), faceIndex);
  }

  std::optional<LocatedFont> locate(const std::string& family) const override
  {
    auto found = m_fonts.find(family);
    if (found == m_fonts.end())
      return std::nullopt;
    return found->second;
  }

private:
  std::map<std::string, LocatedFont> m_fonts;
};

// The folder of the committed fixture fonts.
inline std::filesystem::path fixtureFontDir()
{
  return std::filesystem::path(TARVEK_TEST_SOURCE_DIR) / "fixtures/pdfwriter/fonts";
}

} // namespace quillet::test
