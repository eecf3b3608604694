#include "shell/file_naming.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

// One row per rule: the kind picks the stem, a "Multi" caption and a shown
// junction replace it in that order.
TEST(FileNamingTest, suggestedNameFollowsKindCaptionAndJunction)
{
  const struct {
    const char* material;
    std::int16_t kind;
    std::int16_t variant;
    const char* caption;
    bool junction;
    const char* expected;
  } cases[] = {
      {"C - C", 1, 0, "Nano - Tube", false, "Nanotube_CC"},
      {"B - N", 1, 2, "Nano - Tube", false, "SWNT_Bundle_BN"},
      {"B - N", 1, 1, "Nano - Tube", false, "Nanotube_BN"},
      {"Ga - N", 2, 0, "Graphene Sheet", false, "NanotubeSheet_GaN"},
      {"C - C", 3, 0, "Nano - Cone", false, "Nanocone_CC"},
      {"C - C", 4, 0, "Cone - Sheet", false, "NanoconeSheet_CC"},
      {"C - C", 5, 0, "Bucky - Ball", false, "BuckyBall"},
      {"C - C", 6, 0, "Fullerene Library - C60", false, "Fullerene_C60"},
      {"C - C", 7, 0, "XMOL: ", false, "Xmol Import"},
      {"C - C", 8, 0, "Virus", false, "Icosahedron T=3"},
      {"C - C", 0, 0, "", false, ""},
      {"C - C", 9, 0, "", false, ""},
      {"C - C", 1, 0, "Multi-Layer Graphene", false, "Multi-Layer Graphene"},
      {"C - C", 1, 0, "multi-layer", false, "Nanotube_CC"},
      {"C - C", 1, 0, "Multi-Layer Graphene", true, "(10,0)-(5,5) Junction"},
      {"C - C", 0, 0, "", true, "(10,0)-(5,5) Junction"},
  };
  for (const auto& c : cases) {
    ExportNameParts parts{.materialText = c.material,
                          .structureKind = c.kind,
                          .tubeVariant = c.variant,
                          .importedTitle = "C60",
                          .virusTitle = "Icosahedron T=3",
                          .titleCaption = c.caption,
                          .junctionShown = c.junction,
                          .junctionTitle = "(10,0)-(5,5) Junction"};
    EXPECT_EQ(defaultExportName(parts), c.expected)
        << c.material << " kind " << c.kind << " caption " << c.caption;
  }
}

} // namespace
} // namespace tarvek
