#include "model/element_tables.h"

#include "model/display_settings.h"
#include "model/model.h"
#include "runtime/number_parse.h"
#include "runtime/random_source.h"
#include "runtime/split.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tarvek {

namespace {

// R(1) .. R(120): covalent radius by atomic number, and display radius of
// element index n - 1. Entries 107 .. 120 have no element.
constexpr std::string_view kRadii =
    "0.32 0.32 1.55 1.1 0.9 0.77 0.75 0.73 0.72 1.5 1.9 1.6 1.25 1.15 1.1 1.02 0.99 1.5 "
    "2.2 2.0 1.5 1.45 1.3 1.25 1.2 1.17 1.16 1.15 1.2 1.3 1.35 1.35 1.3 1.6 1.14 1.5 "
    "2.16 2.15 1.8 1.6 1.5 1.35 1.36 1.3 1.3 1.35 1.5 1.5 1.45 1.4 1.4 1.3 1.33 1.5 "
    "2.7 2.2 1.9 1.8 1.8 1.8 1.8 1.8 2.05 1.8 1.8 1.75 1.7 1.7 1.7 1.9 1.7 1.6 "
    "1.55 1.5 1.35 1.35 1.35 1.5 1.5 1.55 1.7 1.5 1.5 2.0 1.5 2.3 2.7 2.2 "
    "1.9 1.75 1.85 1.55 1.5 1.5 1.5 1.5 1.5 1.5 1.5 1.5 1.5 1.5 1.5 1.5 "
    "1.5 1.5 0.73 0.73 0.73 0.73 0.73 0.73 0.73 0.73 0.73 0.73 0.73 0.73 0.73 0.73";

// The 106 symbols in upper case, two characters each, one-letter symbols
// padded with a blank.
constexpr std::string_view kSymbolCells =
    "H HELIBEB C N O F NENAMGALSIP S CLARK CASCTIV CRMNFECONICUZNGAGEASSEBRKRRBSRY "
    "ZRNBMOTCRURHPDAGCDINSNSBTEI XECSBALACEPRNDPMSMEUGDTBDYHOERTMYBLUHFTAW REOSIRPTAU"
    "HGTLPBBIPOATRNFRRAACTHPAU NPPUAMCMBKCFESFMMDNOLRUQUPUH";

struct FixedEntry {
  std::int16_t index;
  std::uint32_t color;
  float radius;
};

constexpr FixedEntry kFixed[] = {
    {0, packColor(255, 255, 255), 1.2f}, // H
    {5, packColor(103, 103, 103), 1.7f}, // C
    {6, packColor(0, 0, 255), 1.55f},    // N
    {7, packColor(255, 0, 0), 1.52f},    // O
    {8, packColor(255, 0, 0), 1.47f},    // F
    {13, packColor(255, 0, 0), 2.1f},    // Si
    {14, packColor(255, 255, 0), 1.9f},  // P
    {15, packColor(255, 255, 0), 1.8f},  // S
};

bool isLetter(char c)
{
  return c >= 'A' && c <= 'Z';
}

char upper(char c)
{
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char lower(char c)
{
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::uint32_t randomChannel(RandomSource& random)
{
  return static_cast<std::uint32_t>(std::nearbyint(255.0 * random.uniform()));
}

} // namespace

void initElements(Model& model)
{
  const auto items = splitSpaces("0 " + std::string(kRadii));
  for (std::size_t i = 0; i < 120; ++i)
    model.covalentRadius[i] = static_cast<float>(Val(items[i]));
}

void initElementTable(Model& model, ElementDisplay& display, RandomSource& random)
{
  for (std::size_t i = 0; i < kSymbolCells.size() / 2; ++i) {
    const char first = kSymbolCells[2 * i];
    const char second = kSymbolCells[2 * i + 1];
    std::string symbol(1, first);
    if (second != ' ')
      symbol += lower(second);
    model.elementSymbols[i] = symbol;
  }

  const auto radii = splitSpaces(kRadii);
  for (std::int16_t i = 0; i < 120; ++i)
    display.setAtomRadius(i, static_cast<float>(Val(radii[i])));

  for (std::int16_t i = 0; i < 120; ++i) {
    const std::uint32_t red = randomChannel(random);
    const std::uint32_t green = randomChannel(random);
    const std::uint32_t blue = randomChannel(random);
    display.setAtomColor(i, packColor(red, green, blue));
  }

  for (const FixedEntry& entry : kFixed) {
    display.setAtomColor(entry.index, entry.color);
    display.setAtomRadius(entry.index, entry.radius);
  }
}

std::int16_t elementIndex(Model& model, std::string_view symbol, ElementDisplay& display,
                          RandomSource& random)
{
  if (model.elementSymbols[0].empty())
    initElementTable(model, display, random);

  if (symbol.empty() || !isLetter(upper(symbol[0])))
    return 1;
  std::string key(1, upper(symbol[0]));
  if (symbol.size() > 1 && isLetter(upper(symbol[1])))
    key += upper(symbol[1]);

  for (std::size_t i = 0; i < model.elementSymbols.size(); ++i) {
    const std::string& entry = model.elementSymbols[i];
    if (entry.size() == key.size()
        && std::equal(entry.begin(), entry.end(), key.begin(),
                      [](char a, char b) { return upper(a) == b; }))
      return static_cast<std::int16_t>(i + 1);
  }
  return 1;
}

} // namespace tarvek
