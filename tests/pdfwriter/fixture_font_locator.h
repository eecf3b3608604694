#pragma once

#include "pdfwriter/font_locator.h"
#include "support/require_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

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

// The CJK fixture fonts, kept apart from the others so that fontconfig over
// fixtureFontDir() never offers one for a Western family.
inline std::filesystem::path cjkFixtureFontDir()
{
  return std::filesystem::path(TARVEK_TEST_SOURCE_DIR) / "fixtures/pdfwriter/cjk-fonts";
}

// System fonts come from scripts/deps: missing ones fail under CI=true and
// skip elsewhere, naming the package.
inline bool requireFontFile(const std::filesystem::path& file, const std::string& package)
{
  if (std::filesystem::exists(file))
    return true;
  const std::string why = file.string() + " is missing: install the Debian package " + package
                          + " (scripts/deps does)";
  if (tarvek::test::ciMode())
    ADD_FAILURE() << why;
  else
    [&why] { GTEST_SKIP() << why; }();
  return false;
}

inline const std::filesystem::path kLiberationSans =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
inline const std::filesystem::path kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline const std::filesystem::path kNimbusSans =
    "/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf";

} // namespace quillet::test
