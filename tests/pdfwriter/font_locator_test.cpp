#include "pdfwriter/font_locator.h"

#include "pdfwriter/fixture_font_locator.h"
#include "pdfwriter/truetype_font.h"
#include "support/scoped_env.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using test::fixtureFontDir;

std::vector<std::uint8_t> fileBytes(const std::string& name)
{
  const std::string bytes = tarvek::test::readBytes(fixtureFontDir() / name);
  return {bytes.begin(), bytes.end()};
}

// A fontconfig that knows only the fixture fonts: FONTCONFIG_FILE is read
// when the locator loads its configuration.
std::unique_ptr<FontconfigLocator> fixtureFontconfig()
{
  const tarvek::test::ScopedEnv config("FONTCONFIG_FILE", PDF_FIXTURE_FONTCONFIG);
  return std::make_unique<FontconfigLocator>();
}

TEST(FontLocatorTest, fontconfigFindsFixtureFamiliesLiterally)
{
  auto locator = fixtureFontconfig();
  const struct {
    const char* family;
    const char* file;
    int faceIndex;
  } cases[] = {
    {"Fixture Sans", "fixture-sans.ttf", 0},
    {"Fixture Pair", "fixture-pair.ttc", 0},
    {"Fixture Pair Alt", "fixture-pair.ttc", 1},
    // Parsed as a pattern, "-900" would become a size.
    {"Fixture Heavy-900", "fixture-heavy.ttf", 0},
  };
  for (const auto& c : cases) {
    auto found = locator->locate(c.family);
    ASSERT_TRUE(found) << c.family;
    EXPECT_EQ(found->faceIndex, c.faceIndex) << c.family;
    EXPECT_TRUE(found->bytes == fileBytes(c.file)) << c.family << " is not " << c.file;
  }
}

// A family the configuration lacks reads its substitute, one of the fixture
// fonts here: the system's own fonts are out of sight.
TEST(FontLocatorTest, fontconfigSubstitutesMissingFamilies)
{
  auto locator = fixtureFontconfig();
  for (const char* family : {"No Such Family", "DejaVu Sans"}) {
    SystemFont font;
    ASSERT_TRUE(loadSystemFont(*locator, family, font)) << family;
    EXPECT_EQ(font.metrics.postScriptName.rfind("Fixture", 0), 0u)
        << family << " resolved to " << font.metrics.postScriptName;
  }
}

// The second face of the collection, found through fontconfig, loads.
TEST(FontLocatorTest, collectionFaceLoadsThroughFontconfig)
{
  auto locator = fixtureFontconfig();
  SystemFont font;
  ASSERT_TRUE(loadSystemFont(*locator, "Fixture Pair Alt", font));
  EXPECT_EQ(font.metrics.postScriptName, "FixturePairAlt");
  EXPECT_EQ(font.metrics.widths[0x20], 700);
}

} // namespace
} // namespace quillet
