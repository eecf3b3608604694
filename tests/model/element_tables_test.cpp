#include "model/element_tables.h"

#include "model/display_settings.h"
#include "model/element_display_recorder.h"
#include "model/model.h"
#include "runtime/random_source.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace tarvek {
namespace {

using test::ElementDisplayRecorder;

TEST(ElementTablesTest, elementIndexReadsSymbolsAsFilesWriteThem)
{
  Model model;
  ElementDisplayRecorder display;
  RandomSource random(1);
  const struct {
    const char* symbol;
    int expected;
  } cases[] = {
      {"c", 6},   {"C", 6},   {"C1", 6},  {"C ", 6}, {"Cl", 17}, {"CL", 17}, {"cl", 17},
      {"CA", 20}, {"Xx", 1},  {"1C", 1},  {"*", 1},  {"", 1},    {"Uh", 106}, {"U", 92},
      {"H", 1},   {"He", 2},  {"Zr", 40}, {"W", 74}, {"Uq", 104}, {" C", 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(elementIndex(model, c.symbol, display, random), c.expected)
        << "\"" << c.symbol << "\"";
}

// Guards the run-together symbol text against a slip of transcription.
TEST(ElementTablesTest, symbolTableHoldsAll106SymbolsInMixedCase)
{
  const std::vector<std::string> expected = {
      "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si",
      "P",  "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni",
      "Cu", "Zn", "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo",
      "Tc", "Ru", "Rh", "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba",
      "La", "Ce", "Pr", "Nd", "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb",
      "Lu", "Hf", "Ta", "W",  "Re", "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po",
      "At", "Rn", "Fr", "Ra", "Ac", "Th", "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf",
      "Es", "Fm", "Md", "No", "Lr", "Uq", "Up", "Uh"};
  Model model;
  ElementDisplayRecorder display;
  RandomSource random;
  initElementTable(model, display, random);
  for (std::size_t i = 0; i < model.elementSymbols.size(); ++i)
    EXPECT_EQ(model.elementSymbols[i], i < expected.size() ? expected[i] : "") << "index " << i;
}

TEST(ElementTablesTest, covalentRadiiByAtomicNumber)
{
  Model model;
  initElements(model);
  const struct {
    int number;
    float radius;
  } cases[] = {{0, 0.0f},   {1, 0.32f},   {6, 0.77f},  {17, 0.99f}, {55, 2.7f},
               {106, 1.5f}, {119, 0.73f}, {120, 0.0f}};
  for (const auto& c : cases)
    EXPECT_EQ(model.covalentRadius[c.number], c.radius) << "number " << c.number;
}

TEST(ElementTablesTest, firstLookupPushesDisplayValuesOnce)
{
  Model model;
  ElementDisplayRecorder display;
  RandomSource random(42);
  elementIndex(model, "C", display, random);
  EXPECT_EQ(display.radii.size(), 120u);
  EXPECT_EQ(display.colors.size(), 120u);

  const struct {
    int index;
    float radius;
    std::uint32_t color;
  } fixed[] = {{0, 1.2f, packColor(255, 255, 255)}, {5, 1.7f, packColor(103, 103, 103)},
               {6, 1.55f, packColor(0, 0, 255)},    {7, 1.52f, packColor(255, 0, 0)},
               {8, 1.47f, packColor(255, 0, 0)},    {13, 2.1f, packColor(255, 0, 0)},
               {14, 1.9f, packColor(255, 255, 0)},  {15, 1.8f, packColor(255, 255, 0)}};
  for (const auto& f : fixed) {
    EXPECT_EQ(display.radii[f.index], f.radius) << "index " << f.index;
    EXPECT_EQ(display.colors[f.index], f.color) << "index " << f.index;
  }
  // Neon keeps its table radius and a colour drawn from the source; the
  // last index takes the radius of the unnamed entry 120.
  EXPECT_EQ(display.radii[9], 1.5f);
  EXPECT_EQ(display.radii[119], 0.73f);

  const int pushes = display.pushes;
  EXPECT_EQ(elementIndex(model, "N", display, random), 7);
  EXPECT_EQ(display.pushes, pushes) << "a second lookup pushes nothing";
}

// Colours come only from the seeded source, drawn red, green, blue per index.
TEST(ElementTablesTest, randomColoursRepeatWithTheSeed)
{
  auto colours = [](std::uint32_t seed) {
    Model model;
    ElementDisplayRecorder display;
    RandomSource random(seed);
    initElementTable(model, display, random);
    return display.colors;
  };
  const auto first = colours(7);
  EXPECT_EQ(first, colours(7));
  EXPECT_NE(first, colours(8));

  // Neon (index 9) takes draws 27, 28 and 29.
  RandomSource random(7);
  for (int draw = 0; draw < 27; ++draw)
    random.uniform();
  const auto red = static_cast<std::uint32_t>(std::nearbyint(255.0 * random.uniform()));
  const auto green = static_cast<std::uint32_t>(std::nearbyint(255.0 * random.uniform()));
  const auto blue = static_cast<std::uint32_t>(std::nearbyint(255.0 * random.uniform()));
  EXPECT_EQ(first.at(9), packColor(red, green, blue));
}

} // namespace
} // namespace tarvek
