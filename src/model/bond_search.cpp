#include "model/bond_search.h"

#include "model/bond_rows.h"
#include "model/cell_grid.h"
#include "model/model.h"
#include "platform/abort.h"
#include "platform/prompts.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace tarvek {

namespace {

constexpr std::int32_t kPromptAbove = 3000;
constexpr float kNoPair = 999.0f;

// The grid of the closest-pair search behind findBonds' second pass, kept
// from one search to the next on its thread.
CellGrid& closestPairGrid()
{
  thread_local CellGrid grid;
  return grid;
}

// Sets the model's bonds to those of rows set.first .. set.count - 1 in the
// window, telling a TooDense end (once in a build of several parts).
BondSearchEnd searchRows(Model& model, const SearchSet& set, float lower, float upper,
                         Prompts& prompts, AbortToken& abort)
{
  const BondSearchEnd end =
      searchBondRows(set, lower, upper, bondSearchThreads(set.count - set.first), abort,
                     model.bondAtom1, model.bondAtom2);
  model.bondCount = static_cast<std::int32_t>(model.bondAtom1.size());
  if (end == BondSearchEnd::TooDense && !(model.bondBuild && model.bondBuild->tooDenseTold)) {
    if (model.bondBuild)
      model.bondBuild->tooDenseTold = true;
    prompts.message(kTooDenseMessage, {}, MessageIcon::Exclamation);
  }
  return end;
}

// The finite points of the set, one for each place, in the order first met:
// a heap of atoms at one place would make a closest-pair search look at the
// square of its size. Adding 0 makes -0 and 0 one value, so places are equal
// exactly when their bit patterns are. A hash table finds the repeats in
// time linear in the points, however large the set.
struct Places {
  BigVector<float> x, y, z;
  bool repeats = false;
};

Places distinctPlaces(const SearchSet& set)
{
  const auto points = static_cast<std::size_t>(std::max(set.count - set.first, 0));
  std::size_t slots = 16;
  while (slots < 2 * points)
    slots *= 2;
  // Each slot holds the index of a place, plus one; 0 is empty.
  BigVector<std::uint32_t> table(slots, 0);
  Places places;
  places.x.reserve(points);
  places.y.reserve(points);
  places.z.reserve(points);
  for (std::int32_t i = set.first; i < set.count; ++i) {
    const float px = set.x[i] + 0.0f, py = set.y[i] + 0.0f, pz = set.z[i] + 0.0f;
    if (!std::isfinite(px) || !std::isfinite(py) || !std::isfinite(pz))
      continue;
    const std::uint64_t bx = std::bit_cast<std::uint32_t>(px);
    const std::uint64_t by = std::bit_cast<std::uint32_t>(py);
    const std::uint64_t bz = std::bit_cast<std::uint32_t>(pz);
    // Whole numbers leave a float's low bits 0: the mix spreads every bit
    // of the three patterns over the slot number.
    std::uint64_t h = (bx << 32 | by) ^ (bz * 0x9E3779B97F4A7C15u);
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9u;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBu;
    h ^= h >> 31;
    for (std::size_t slot = h & (slots - 1);; slot = (slot + 1) & (slots - 1)) {
      const std::uint32_t held = table[slot];
      if (held == 0) {
        table[slot] = static_cast<std::uint32_t>(places.x.size()) + 1;
        places.x.push_back(px);
        places.y.push_back(py);
        places.z.push_back(pz);
        break;
      }
      if (std::bit_cast<std::uint32_t>(places.x[held - 1]) == bx
          && std::bit_cast<std::uint32_t>(places.y[held - 1]) == by
          && std::bit_cast<std::uint32_t>(places.z[held - 1]) == bz) {
        places.repeats = true;
        break;
      }
    }
  }
  return places;
}

} // namespace

const char kTooDenseMessage[] =
    "The atoms lie too close together for a bond search (more than 16 bonds an atom, or many "
    "atoms at one place). No bonds were made.";

std::optional<float> closestNonZeroDistance(std::span<const float> x, std::span<const float> y,
                                            std::span<const float> z)
{
  assert(x.size() == y.size() && x.size() == z.size());
  const Places places = distinctPlaces(
      {x.data(), y.data(), z.data(), nullptr, 0, static_cast<std::int32_t>(x.size())});
  const SearchSet set{places.x.data(), places.y.data(), places.z.data(), nullptr, 0,
                      static_cast<std::int32_t>(places.x.size())};
  CellGrid grid;
  const double d = closestDistance(set, 1.5, kNoPair, grid,
                                   [](const CellGrid::Member& a, const CellGrid::Member& b) {
                                     const float r = pairDistance(a.x, a.y, a.z, b.x, b.y, b.z);
                                     return r > 0.0f ? r : std::numeric_limits<float>::infinity();
                                   });
  if (d >= kNoPair)
    return std::nullopt;
  return static_cast<float>(d);
}

void clearBonds(Model& model)
{
  model.bondCount = 0;
  model.bondAtom1.clear();
  model.bondAtom2.clear();
}

BondSearchEnd createBonds(Model& model, float lowerArg, float upperArg, Prompts& prompts,
                          AbortToken& abort)
{
  abort.clearEscape();
  if (model.partsFlag)
    return BondSearchEnd::Complete;
  clearBonds(model);

  const double a = model.bondLength;
  float lower = static_cast<float>(0.95 * a);
  float upper = static_cast<float>(1.05 * a);

  SearchSet set{};
  if (model.structureKind == 2 || model.structureKind == 4) {
    assert(model.sheetCount <= static_cast<std::int32_t>(model.sheetX.size()));
    set = {model.sheetX.data(), model.sheetY.data(), model.sheetZ.data(), nullptr, 0,
           model.sheetCount};
  } else {
    assert(model.atomCount <= static_cast<std::int32_t>(model.atomX.size()));
    set = {model.atomX.data(), model.atomY.data(), model.atomZ.data(), model.atomType.data(),
           model.structureKind == 8 ? 12 : 0, model.atomCount};
  }

  if (set.count - set.first > kPromptAbove) {
    std::optional<bool> answer = model.bondBuild ? model.bondBuild->answer : std::nullopt;
    if (!answer)
      answer = prompts.yesNo(">3000 Atoms. Do you still wish to create bonds?", "",
                             MessageIcon::Question);
    if (model.bondBuild)
      model.bondBuild->answer = answer;
    if (!*answer)
      return BondSearchEnd::Complete;
  }

  if (model.tubeVariant >= 55) {
    lower = static_cast<float>(0.7 * a);
    upper = static_cast<float>(1.3 * a);
  }
  if (model.wideBondWindow != 0) {
    lower = static_cast<float>(0.7 * a);
    upper = static_cast<float>(1.4 * a);
  }
  if (lowerArg != 0.0f)
    lower = lowerArg;
  if (upperArg != 0.0f)
    upper = upperArg;
  if (model.useUserBondLimits) {
    lower = model.userBondMin;
    upper = model.userBondMax;
  }

  const BondSearchEnd end = searchRows(model, set, lower, upper, prompts, abort);
  model.lastBondCount = model.bondCount;
  return end;
}

BondSearchEnd findBonds(Model& model, Prompts& prompts, AbortToken& abort)
{
  abort.clearEscape();
  if (model.partsFlag)
    return BondSearchEnd::Complete;
  clearBonds(model);

  const double a = model.bondLength;
  const float lower = static_cast<float>(0.5 * a);
  const float upper = static_cast<float>(1.15 * a);
  assert(model.atomCount <= static_cast<std::int32_t>(model.atomX.size()));
  const SearchSet set{model.atomX.data(), model.atomY.data(), model.atomZ.data(), nullptr, 0,
                      model.atomCount};

  BondSearchEnd end = searchRows(model, set, lower, upper, prompts, abort);
  if (end == BondSearchEnd::Complete && model.bondCount == 0) {
    // Atoms at one place are the closest pair, found without a pair search.
    const Places places = distinctPlaces(set);
    const SearchSet distinct{places.x.data(), places.y.data(), places.z.data(), nullptr, 0,
                             static_cast<std::int32_t>(places.x.size())};
    const auto dmin = places.repeats ? 0.0f
                                     : static_cast<float>(closestDistance(
                                         distinct, upper, kNoPair, closestPairGrid(),
                                         [](const CellGrid::Member& a, const CellGrid::Member& b) {
                                           return pairDistance(a.x, a.y, a.z, b.x, b.y, b.z);
                                         }));
    if (dmin < kNoPair) {
      end = searchRows(model, set, static_cast<float>(0.95 * dmin), static_cast<float>(1.1 * dmin),
                       prompts, abort);
    }
  }
  model.lastBondCount = model.bondCount;
  return end;
}

OneBondQuestion::OneBondQuestion(Model& model)
    : m_model(model), m_outermost(!model.bondBuild.has_value())
{
  if (m_outermost)
    m_model.bondBuild.emplace();
}

OneBondQuestion::~OneBondQuestion()
{
  if (m_outermost)
    m_model.bondBuild.reset();
}

} // namespace tarvek
