#include "model/bond_search.h"

#include "model/cell_grid.h"
#include "model/model.h"
#include "platform/abort.h"
#include "platform/prompts.h"

#include <algorithm>
#include <array>
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
// No carbon structure has more bonds per atom; past this the window or the
// input is wrong, and the list would only eat the memory.
constexpr std::int64_t kMostBondsPerAtom = 16;
// Pairs looked at per searched atom before the search gives up as crowded:
// far above any structure with at most kMostBondsPerAtom bonds an atom in
// its window, far below the square of a heap of atoms at one place.
constexpr std::int64_t kMostPairsPerAtom = 1024;
// Pairs looked at between two polls of Escape while pairs are collected.
constexpr std::int64_t kPairsPerPoll = std::int64_t{1} << 16;

// Thrown out of the pair walk to end a search early.
struct SearchCut {
  BondSearchEnd end;
};

// Working memory of the searches, kept from one to the next on its thread:
// a structure is searched again after every change, and on a large one the
// system's fresh pages cost more than the search itself.
struct SearchScratch {
  CellGrid grid;
  BigVector<std::array<std::int32_t, 2>> found;
  BigVector<std::int32_t> rowStart;
  BigVector<std::int32_t> partner;
};

SearchScratch& searchScratch()
{
  thread_local SearchScratch scratch;
  return scratch;
}

// Appends the bonds of rows set.first .. set.count - 2 in row order,
// polling Escape after each row and while pairs are collected. A stop by
// Escape keeps the rows so far; a crowded set (too many bonds or pairs an
// atom) leaves the list empty.
//
// The rows go in blocks: the pairs of a block's rows are found cell by cell
// (cache-friendly for atoms in any order), sorted by row, and then handed
// out row by row with the polls, so a stop keeps exactly the rows before it.
BondSearchEnd searchRows(Model& model, const SearchSet& set, float lower, float upper,
                         SearchScratch& scratch, AbortToken& abort)
{
  // An empty or inverted window, or a NaN bound, admits no distance.
  if (set.count - set.first < 2 || !(lower <= upper && upper >= 0.0f))
    return BondSearchEnd::Complete;
  const std::int64_t atoms = set.count - set.first;
  // Bounded by the 32-bit count too, so bondCount never wraps.
  const std::int64_t mostBonds =
      std::min<std::int64_t>(kMostBondsPerAtom * atoms, std::numeric_limits<std::int32_t>::max());
  const std::int64_t mostPairs = kMostPairsPerAtom * atoms;
  std::int64_t pairs = 0;
  const std::int32_t rowEnd = set.count - 1;
  // Every block re-reads the whole grid for its neighbours, so blocks are
  // large; they still keep the window alive in searches of many millions.
  constexpr std::int32_t blockRows = 1 << 20;
  CellGrid& grid = scratch.grid;
  grid.build(set, upper, blockRows);

  auto& found = scratch.found;
  auto& rowStart = scratch.rowStart;
  auto& partner = scratch.partner;
  for (std::int32_t b0 = set.first; b0 < rowEnd; b0 += std::min(blockRows, rowEnd - b0)) {
    const std::int32_t b1 = b0 + std::min(blockRows, rowEnd - b0);
    found.clear();
    const auto block = static_cast<std::size_t>((b0 - set.first) / blockRows);
    try {
      grid.forEachPair(block, [&](const CellGrid::Member& a, const CellGrid::Member& b) {
        if (++pairs % kPairsPerPoll == 0) {
          if (pairs > mostPairs)
            throw SearchCut{BondSearchEnd::TooDense};
          if (abort.escapePressed())
            throw SearchCut{BondSearchEnd::Stopped};
        }
        const float d = pairDistance(a.x, a.y, a.z, b.x, b.y, b.z);
        if (lower <= d && d <= upper) {
          if (static_cast<std::int64_t>(model.bondAtom1.size() + found.size()) >= mostBonds)
            throw SearchCut{BondSearchEnd::TooDense};
          found.push_back({a.id, b.id});
        }
      });
    } catch (const SearchCut& cut) {
      if (cut.end == BondSearchEnd::TooDense)
        clearBonds(model);
      model.bondCount = static_cast<std::int32_t>(model.bondAtom1.size());
      return cut.end;
    }

    // Counting sort by row, then each row's few partners in order.
    rowStart.assign(static_cast<std::size_t>(b1 - b0) + 1, 0);
    for (const auto& [i, j] : found)
      ++rowStart[i - b0 + 1];
    for (std::size_t r = 1; r < rowStart.size(); ++r)
      rowStart[r] += rowStart[r - 1];
    partner.resize(found.size());
    for (auto it = found.rbegin(); it != found.rend(); ++it)
      partner[--rowStart[(*it)[0] - b0 + 1]] = (*it)[1];
    // rowStart[r + 1] now holds the start of row r.
    rowStart.erase(rowStart.begin());
    rowStart.push_back(static_cast<std::int32_t>(found.size()));

    // Room grows by doubling, so the list is copied a bounded number of
    // times however many blocks the search takes.
    const std::size_t needed = model.bondAtom1.size() + found.size();
    if (needed > model.bondAtom1.capacity()) {
      const std::size_t room = std::max(needed, 2 * model.bondAtom1.capacity());
      model.bondAtom1.reserve(room);
      model.bondAtom2.reserve(room);
    }
    for (std::int32_t i = b0; i < b1; ++i) {
      const auto first = partner.begin() + rowStart[i - b0];
      const auto last = partner.begin() + rowStart[i - b0 + 1];
      std::sort(first, last);
      for (auto j = first; j != last; ++j) {
        model.bondAtom1.push_back(i);
        model.bondAtom2.push_back(*j);
      }
      if (abort.escapePressed()) {
        model.bondCount = static_cast<std::int32_t>(model.bondAtom1.size());
        return BondSearchEnd::Stopped;
      }
    }
  }
  model.bondCount = static_cast<std::int32_t>(model.bondAtom1.size());
  return BondSearchEnd::Complete;
}

// The finite points of the set, one for each place: a heap of atoms at one
// place would make a closest-pair search look at the square of its size.
// Adding 0 makes -0 and 0 one value.
struct Places {
  std::vector<float> x, y, z;
  bool repeats = false;
};

Places distinctPlaces(const SearchSet& set)
{
  std::vector<std::array<float, 3>> points;
  points.reserve(static_cast<std::size_t>(std::max(set.count - set.first, 0)));
  for (std::int32_t i = set.first; i < set.count; ++i) {
    const std::array<float, 3> p{set.x[i] + 0.0f, set.y[i] + 0.0f, set.z[i] + 0.0f};
    if (std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]))
      points.push_back(p);
  }
  std::sort(points.begin(), points.end());
  const auto last = std::unique(points.begin(), points.end());
  Places places;
  places.repeats = last != points.end();
  for (auto p = points.begin(); p != last; ++p) {
    places.x.push_back((*p)[0]);
    places.y.push_back((*p)[1]);
    places.z.push_back((*p)[2]);
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
    if (!model.bigBondsAsked) {
      model.bigBondsConfirmed =
          prompts.yesNo(">3000 Atoms. Do you still wish to create bonds?", "", MessageIcon::Question);
      model.bigBondsAsked = model.bondAnswerHeld;
    }
    if (!model.bigBondsConfirmed)
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

  const BondSearchEnd end = searchRows(model, set, lower, upper, searchScratch(), abort);
  model.lastBondCount = model.bondCount;
  if (end == BondSearchEnd::TooDense)
    prompts.message(kTooDenseMessage, {}, MessageIcon::Exclamation);
  return end;
}

BondSearchEnd findBonds(Model& model, AbortToken& abort)
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

  SearchScratch& scratch = searchScratch();
  BondSearchEnd end = searchRows(model, set, lower, upper, scratch, abort);
  if (end == BondSearchEnd::Complete && model.bondCount == 0) {
    // Atoms at one place are the closest pair, found without a pair search.
    const Places places = distinctPlaces(set);
    const SearchSet distinct{places.x.data(), places.y.data(), places.z.data(), nullptr, 0,
                             static_cast<std::int32_t>(places.x.size())};
    const auto dmin =
        places.repeats
            ? 0.0f
            : static_cast<float>(closestDistance(distinct, upper, kNoPair, scratch.grid,
                                                 [](const CellGrid::Member& a, const CellGrid::Member& b) {
                                                   return pairDistance(a.x, a.y, a.z, b.x, b.y, b.z);
                                                 }));
    if (dmin < kNoPair) {
      end = searchRows(model, set, static_cast<float>(0.95 * dmin), static_cast<float>(1.1 * dmin),
                       scratch, abort);
    }
  }
  model.lastBondCount = model.bondCount;
  return end;
}

OneBondQuestion::OneBondQuestion(Model& model) : m_model(model)
{
  m_model.bondAnswerHeld = true;
  m_model.bigBondsAsked = false;
}

OneBondQuestion::~OneBondQuestion()
{
  m_model.bondAnswerHeld = false;
  m_model.bigBondsAsked = false;
}

} // namespace tarvek
