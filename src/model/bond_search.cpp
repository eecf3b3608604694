#include "model/bond_search.h"

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

// The atoms one search looks at: rows first .. count - 1 of one set; with a
// type array only atoms of type >= 1 take part.
struct SearchSet {
  const float* x;
  const float* y;
  const float* z;
  const std::int16_t* type;
  std::int32_t first;
  std::int32_t count;
};

float pairDistance(float xi, float yi, float zi, float xj, float yj, float zj)
{
  const float dx = static_cast<float>(static_cast<double>(xj) - xi);
  const float dy = static_cast<float>(static_cast<double>(yj) - yi);
  const float dz = static_cast<float>(static_cast<double>(zj) - zi);
  return static_cast<float>(std::sqrt(static_cast<double>(dx) * dx
                                      + static_cast<double>(dy) * dy
                                      + static_cast<double>(dz) * dz));
}

// Atoms binned in cubic cells at least as wide as the reach, so every pair
// whose float distance is at most the reach lies in the same or adjacent
// cells. A compact box gets a dense array of cells, x fastest, so the three
// cells of a row around an atom are one run of atoms. A box too sparse for
// that (a tiny reach, a far outlier) keys only its occupied cells in a hash
// table, so it costs no memory. Cell coordinates are clamped: that merges
// far cells but never separates neighbours.
class CellGrid {
public:
  // An atom's copy beside its cell neighbours: one cache line serves a run.
  struct Member {
    float x, y, z;
    std::int32_t id;
  };

  // Bins the atoms of the set for the given reach, reusing the memory of an
  // earlier binning. Rows are grouped in blocks of blockRows for forEachPair.
  void build(const SearchSet& set, double reach, std::int32_t blockRows)
  {
    m_first = set.first;
    m_blockRows = blockRows;
    // The margin keeps a pair two cells apart from rounding to a distance
    // equal to the reach.
    m_edge = reach * (1.0 + 1e-6) + 1e-6;
    m_oneCell = !std::isfinite(m_edge);
    const auto rows = static_cast<std::size_t>(std::max(0, set.count - set.first));
    m_cellOf.assign(rows, -1);
    Key low{kMaxCell, kMaxCell, kMaxCell};
    Key high{-kMaxCell, -kMaxCell, -kMaxCell};
    std::size_t members = 0;
    for (std::int32_t i = set.first; i < set.count; ++i) {
      Key key;
      if (!keyOf(set, i, key))
        continue;
      m_cellOf[i - m_first] = 0;
      ++members;
      low = {std::min(low.x, key.x), std::min(low.y, key.y), std::min(low.z, key.z)};
      high = {std::max(high.x, key.x), std::max(high.y, key.y), std::max(high.z, key.z)};
    }

    // Count the atoms per cell into m_start[c + 1].
    m_dense = true;
    m_keys.clear();
    m_start.assign(1, 0);
    if (members > 0) {
      m_low = low;
      m_nx = std::int64_t{high.x} - low.x + 1;
      m_ny = std::int64_t{high.y} - low.y + 1;
      m_nz = std::int64_t{high.z} - low.z + 1;
      const double cells = static_cast<double>(m_nx) * static_cast<double>(m_ny)
                           * static_cast<double>(m_nz);
      m_dense = cells <= 4.0 * static_cast<double>(members) + 64.0 && cells < 2147483647.0;
      if (m_dense)
        m_start.assign(static_cast<std::size_t>(cells) + 1, 0);
      else
        clearTable(members);
    }
    for (std::int32_t i = set.first; i < set.count; ++i) {
      Key key;
      if (m_cellOf[i - m_first] < 0 || !keyOf(set, i, key))
        continue;
      std::int32_t cell;
      if (m_dense) {
        cell = static_cast<std::int32_t>(
            ((std::int64_t{key.z} - m_low.z) * m_ny + (key.y - m_low.y)) * m_nx
            + (key.x - m_low.x));
      } else {
        cell = find(key);
        if (cell < 0) {
          cell = static_cast<std::int32_t>(m_keys.size());
          insert(key, cell);
          m_keys.push_back(key);
          m_start.push_back(0);
        }
      }
      m_cellOf[i - m_first] = cell;
      ++m_start[cell + 1];
    }

    // Ends of the cells, then fill backwards so each cell lists its atoms in
    // ascending order and m_start[c + 1] ends up at cell c's first atom.
    for (std::size_t c = 1; c < m_start.size(); ++c)
      m_start[c] += m_start[c - 1];
    m_members.resize(members);
    m_memberCell.resize(members);
    for (std::int32_t i = set.count - 1; i >= set.first; --i) {
      const std::int32_t cell = m_cellOf[i - m_first];
      if (cell < 0)
        continue;
      const std::int32_t k = --m_start[cell + 1];
      m_members[k] = {set.x[i], set.y[i], set.z[i], i};
      m_memberCell[k] = cell;
    }
    m_start.erase(m_start.begin());
    m_start.push_back(static_cast<std::int32_t>(members));

    // The members of each block of rows, in cell order.
    const std::size_t blocks = rows / static_cast<std::size_t>(blockRows) + 1;
    m_blockStart.assign(blocks + 1, 0);
    for (const Member& m : m_members)
      ++m_blockStart[blockOf(m.id) + 1];
    for (std::size_t b = 1; b <= blocks; ++b)
      m_blockStart[b] += m_blockStart[b - 1];
    m_blockOrder.resize(members);
    std::vector<std::int32_t> next(m_blockStart.begin(), m_blockStart.end() - 1);
    for (std::int32_t k = 0; k < static_cast<std::int32_t>(members); ++k)
      m_blockOrder[next[blockOf(m_members[k].id)]++] = k;
  }

  // Calls visit(a, b) for every pair of binned atoms a, b in the same or
  // adjacent cells with a in the given block of rows and a.id < b.id. The
  // walk goes cell by cell, so neighbouring work touches neighbouring memory
  // whatever the order of the atoms.
  template <typename Visit>
  void forEachPair(std::size_t block, Visit&& visit) const
  {
    std::array<std::array<std::int32_t, 2>, 27> runs;
    std::size_t runCount = 0;
    std::int32_t runsOf = -1;
    for (std::int32_t b = m_blockStart[block]; b < m_blockStart[block + 1]; ++b) {
      const std::int32_t k = m_blockOrder[b];
      if (m_memberCell[k] != runsOf) {
        runsOf = m_memberCell[k];
        runCount = neighbourRuns(runsOf, runs);
      }
      const Member& a = m_members[k];
      for (std::size_t r = 0; r < runCount; ++r)
        for (std::int32_t n = runs[r][0]; n < runs[r][1]; ++n)
          if (m_members[n].id > a.id)
            visit(a, m_members[n]);
    }
  }

private:
  struct Key {
    std::int32_t x, y, z;
    bool operator==(const Key&) const = default;
  };
  struct Slot {
    Key key{};
    std::int32_t cell = -1;
  };
  static constexpr std::int32_t kMaxCell = 1 << 30;

  // The runs of m_members that hold the atoms of cell c and its neighbours.
  std::size_t neighbourRuns(std::int32_t c, std::array<std::array<std::int32_t, 2>, 27>& runs) const
  {
    std::size_t count = 0;
    if (m_dense) {
      // x runs fastest, so the three cells of a row are one run.
      const std::int64_t x = c % m_nx;
      const std::int64_t y = c / m_nx % m_ny;
      const std::int64_t z = c / m_nx / m_ny;
      const std::int64_t x0 = std::max<std::int64_t>(x - 1, 0);
      const std::int64_t x1 = std::min(x + 1, m_nx - 1);
      for (std::int64_t cz = std::max<std::int64_t>(z - 1, 0); cz <= std::min(z + 1, m_nz - 1);
           ++cz)
        for (std::int64_t cy = std::max<std::int64_t>(y - 1, 0);
             cy <= std::min(y + 1, m_ny - 1); ++cy) {
          const std::int64_t row = (cz * m_ny + cy) * m_nx;
          runs[count++] = {m_start[row + x0], m_start[row + x1 + 1]};
        }
      return count;
    }
    const Key home = m_keys[static_cast<std::size_t>(c)];
    for (std::int32_t ox = -1; ox <= 1; ++ox)
      for (std::int32_t oy = -1; oy <= 1; ++oy)
        for (std::int32_t oz = -1; oz <= 1; ++oz) {
          const std::int32_t near = find({home.x + ox, home.y + oy, home.z + oz});
          if (near >= 0)
            runs[count++] = {m_start[near], m_start[near + 1]};
        }
    return count;
  }

  std::size_t blockOf(std::int32_t id) const
  {
    return static_cast<std::size_t>((id - m_first) / m_blockRows);
  }

  std::int32_t coordinate(float v) const
  {
    const double c = std::floor(static_cast<double>(v) / m_edge);
    return static_cast<std::int32_t>(std::clamp(c, -double{kMaxCell}, double{kMaxCell}));
  }

  // The cell of atom i; false when the atom takes part in no pair.
  bool keyOf(const SearchSet& set, std::int32_t i, Key& key) const
  {
    if (set.type != nullptr && set.type[i] < 1)
      return false;
    key = {0, 0, 0};
    if (m_oneCell)
      return true;
    // With a finite reach a non-finite coordinate can meet no bound.
    if (!std::isfinite(set.x[i]) || !std::isfinite(set.y[i]) || !std::isfinite(set.z[i]))
      return false;
    key = {coordinate(set.x[i]), coordinate(set.y[i]), coordinate(set.z[i])};
    return true;
  }

  static std::uint64_t hash(const Key& key)
  {
    std::uint64_t h = static_cast<std::uint32_t>(key.x) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::uint32_t>(key.y) * 0xC2B2AE3D27D4EB4Full;
    h ^= static_cast<std::uint32_t>(key.z) * 0x165667B19E3779F9ull;
    return h ^ (h >> 31);
  }

  void clearTable(std::size_t members)
  {
    std::size_t capacity = 16;
    while (capacity < 2 * members)
      capacity *= 2;
    m_slots.assign(capacity, Slot{});
    m_mask = capacity - 1;
  }

  std::int32_t find(const Key& key) const
  {
    for (std::size_t s = hash(key) & m_mask;; s = (s + 1) & m_mask) {
      const Slot& slot = m_slots[s];
      if (slot.cell < 0)
        return -1;
      if (slot.key == key)
        return slot.cell;
    }
  }

  void insert(const Key& key, std::int32_t cell)
  {
    std::size_t s = hash(key) & m_mask;
    while (m_slots[s].cell >= 0)
      s = (s + 1) & m_mask;
    m_slots[s] = {key, cell};
  }

  std::int32_t m_first = 0;
  double m_edge = 0.0;
  bool m_oneCell = false;
  bool m_dense = true;
  Key m_low{};
  std::int64_t m_nx = 0, m_ny = 0, m_nz = 0;
  // Per row from m_first: its cell, -1 when the atom takes no part.
  std::vector<std::int32_t> m_cellOf;
  std::vector<Slot> m_slots;
  std::size_t m_mask = 0;
  std::vector<Key> m_keys;
  // Atoms of cell c: m_start[c] .. m_start[c + 1] - 1 of m_members.
  std::vector<std::int32_t> m_start;
  std::vector<Member> m_members;
  std::vector<std::int32_t> m_memberCell;
  // Member positions by block of rows: block b's are m_blockOrder[m_blockStart[b]
  // .. m_blockStart[b + 1] - 1], in cell order.
  std::int32_t m_blockRows = 1;
  std::vector<std::int32_t> m_blockStart;
  std::vector<std::int32_t> m_blockOrder;
};

// Appends the bonds of rows set.first .. set.count - 2 in row order,
// polling Escape after each row. Returns false when Escape stopped it.
//
// The rows go in blocks: the pairs of a block's rows are found cell by cell
// (cache-friendly for atoms in any order), sorted by row, and then handed
// out row by row with the polls, so a stop keeps exactly the rows before it.
bool searchRows(Model& model, const SearchSet& set, float lower, float upper, CellGrid& grid,
                AbortToken& abort)
{
  // An empty or inverted window, or a NaN bound, admits no distance.
  if (set.count - set.first < 2 || !(lower <= upper && upper >= 0.0f))
    return true;
  const std::int32_t rowEnd = set.count - 1;
  // Every block re-reads the whole grid for its neighbours, so blocks are
  // large; they still keep the window alive in searches of many millions.
  constexpr std::int32_t blockRows = 1 << 20;
  grid.build(set, upper, blockRows);

  std::vector<std::array<std::int32_t, 2>> found;
  std::vector<std::int32_t> rowStart;
  std::vector<std::int32_t> partner;
  for (std::int32_t b0 = set.first; b0 < rowEnd; b0 += std::min(blockRows, rowEnd - b0)) {
    const std::int32_t b1 = b0 + std::min(blockRows, rowEnd - b0);
    found.clear();
    const auto block = static_cast<std::size_t>((b0 - set.first) / blockRows);
    grid.forEachPair(block, [&](const CellGrid::Member& a, const CellGrid::Member& b) {
      const float d = pairDistance(a.x, a.y, a.z, b.x, b.y, b.z);
      if (lower <= d && d <= upper)
        found.push_back({a.id, b.id});
    });

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
        return false;
      }
    }
  }
  model.bondCount = static_cast<std::int32_t>(model.bondAtom1.size());
  return true;
}

// The smallest pair distance of the set (with skipZero the smallest above 0),
// or kNoPair when no pair is closer. The grid grows until the closest pair it
// sees lies within its reach, which proves no closer pair sits further apart
// in the grid.
float closestDistance(const SearchSet& set, double startReach, bool skipZero, CellGrid& grid)
{
  if (set.count - set.first < 2)
    return kNoPair;
  double reach = startReach > 0.0 && startReach < kNoPair ? startReach : 1.0;
  for (;;) {
    grid.build(set, reach, set.count - set.first);
    float best = std::numeric_limits<float>::infinity();
    grid.forEachPair(0, [&](const CellGrid::Member& a, const CellGrid::Member& b) {
      const float d = pairDistance(a.x, a.y, a.z, b.x, b.y, b.z);
      if (d > 0.0f || !skipZero)
        best = std::min(best, d);
    });
    if (best <= reach || reach >= kNoPair)
      return std::min(best, kNoPair);
    reach = std::min(reach * 2.0, static_cast<double>(kNoPair));
  }
}

} // namespace

std::optional<float> closestNonZeroDistance(std::span<const float> x, std::span<const float> y,
                                            std::span<const float> z)
{
  assert(x.size() == y.size() && x.size() == z.size());
  const SearchSet set{x.data(), y.data(), z.data(), nullptr, 0,
                      static_cast<std::int32_t>(x.size())};
  CellGrid grid;
  const float d = closestDistance(set, 1.5, true, grid);
  if (d >= kNoPair)
    return std::nullopt;
  return d;
}

void clearBonds(Model& model)
{
  model.bondCount = 0;
  model.bondAtom1.clear();
  model.bondAtom2.clear();
}

void createBonds(Model& model, float lowerArg, float upperArg, Prompts& prompts,
                 AbortToken& abort)
{
  abort.clearEscape();
  if (model.partsFlag)
    return;
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
    if (!prompts.yesNo(">3000 Atoms. Do you still wish to create bonds?", "",
                       MessageIcon::Question)) {
      model.bigBondsConfirmed = false;
      return;
    }
    model.bigBondsConfirmed = true;
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

  CellGrid grid;
  searchRows(model, set, lower, upper, grid, abort);
  model.lastBondCount = model.bondCount;
}

void findBonds(Model& model, AbortToken& abort)
{
  abort.clearEscape();
  if (model.partsFlag)
    return;
  clearBonds(model);

  const double a = model.bondLength;
  const float lower = static_cast<float>(0.5 * a);
  const float upper = static_cast<float>(1.15 * a);
  assert(model.atomCount <= static_cast<std::int32_t>(model.atomX.size()));
  const SearchSet set{model.atomX.data(), model.atomY.data(), model.atomZ.data(), nullptr, 0,
                      model.atomCount};

  CellGrid grid;
  if (searchRows(model, set, lower, upper, grid, abort) && model.bondCount == 0) {
    const float dmin = closestDistance(set, upper, false, grid);
    if (dmin < kNoPair) {
      searchRows(model, set, static_cast<float>(0.95 * dmin), static_cast<float>(1.1 * dmin),
                 grid, abort);
    }
  }
  model.lastBondCount = model.bondCount;
}

} // namespace tarvek
