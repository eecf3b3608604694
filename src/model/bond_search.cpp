#include "model/bond_search.h"

#include "model/model.h"
#include "platform/abort.h"
#include "platform/prompts.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <limits>
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
// cells. Only occupied cells are stored (an open-addressing table), so a tiny
// reach or a far outlier costs no memory. Cell coordinates are clamped; that
// merges far cells but never separates neighbours.
class CellGrid {
public:
  CellGrid(const SearchSet& set, double reach) : m_first(set.first)
  {
    // The margin keeps a pair two cells apart from rounding to a distance
    // equal to the reach.
    m_edge = reach * (1.0 + 1e-6) + 1e-6;
    const bool oneCell = !std::isfinite(m_edge);
    const auto rows = static_cast<std::size_t>(std::max(0, set.count - set.first));
    m_cellOf.assign(rows, -1);

    std::size_t capacity = 16;
    while (capacity < 2 * rows)
      capacity *= 2;
    m_slots.assign(capacity, Slot{});
    m_mask = capacity - 1;

    std::vector<std::int32_t> sizes;
    for (std::int32_t i = set.first; i < set.count; ++i) {
      if (set.type != nullptr && set.type[i] < 1)
        continue;
      Key key{0, 0, 0};
      if (!oneCell) {
        // With a finite reach a non-finite coordinate can meet no bound.
        if (!std::isfinite(set.x[i]) || !std::isfinite(set.y[i]) || !std::isfinite(set.z[i]))
          continue;
        key = {coordinate(set.x[i]), coordinate(set.y[i]), coordinate(set.z[i])};
      }
      std::int32_t cell = find(key);
      if (cell < 0) {
        cell = static_cast<std::int32_t>(m_keys.size());
        insert(key, cell);
        m_keys.push_back(key);
        sizes.push_back(0);
      }
      m_cellOf[i - m_first] = cell;
      ++sizes[cell];
    }

    m_start.assign(m_keys.size() + 1, 0);
    for (std::size_t c = 0; c < sizes.size(); ++c)
      m_start[c + 1] = m_start[c] + sizes[c];
    const auto members = static_cast<std::size_t>(m_start.back());
    m_id.resize(members);
    m_x.resize(members);
    m_y.resize(members);
    m_z.resize(members);
    std::vector<std::int32_t> next(m_start.begin(), m_start.end() - 1);
    for (std::int32_t i = set.first; i < set.count; ++i) {
      const std::int32_t cell = m_cellOf[i - m_first];
      if (cell < 0)
        continue;
      const std::int32_t k = next[cell]++;
      m_id[k] = i;
      m_x[k] = set.x[i];
      m_y[k] = set.y[i];
      m_z[k] = set.z[i];
    }
  }

  bool holds(std::int32_t i) const { return m_cellOf[i - m_first] >= 0; }

  // Calls visit(j, xj, yj, zj) for every binned atom j > i in the cells
  // around atom i's cell; i must be binned.
  template <typename Visit>
  void forEachLater(std::int32_t i, Visit&& visit) const
  {
    const Key home = m_keys[m_cellOf[i - m_first]];
    for (std::int32_t ox = -1; ox <= 1; ++ox)
      for (std::int32_t oy = -1; oy <= 1; ++oy)
        for (std::int32_t oz = -1; oz <= 1; ++oz) {
          const std::int32_t cell = find({home.x + ox, home.y + oy, home.z + oz});
          if (cell < 0)
            continue;
          for (std::int32_t k = m_start[cell]; k < m_start[cell + 1]; ++k)
            if (m_id[k] > i)
              visit(m_id[k], m_x[k], m_y[k], m_z[k]);
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

  static constexpr double kClamp = 1 << 30;

  std::int32_t coordinate(float v) const
  {
    const double c = std::floor(static_cast<double>(v) / m_edge);
    return static_cast<std::int32_t>(std::clamp(c, -kClamp, kClamp));
  }

  static std::uint64_t hash(const Key& key)
  {
    std::uint64_t h = static_cast<std::uint32_t>(key.x) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::uint32_t>(key.y) * 0xC2B2AE3D27D4EB4Full;
    h ^= static_cast<std::uint32_t>(key.z) * 0x165667B19E3779F9ull;
    return h ^ (h >> 31);
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

  std::int32_t m_first;
  double m_edge = 0.0;
  std::vector<std::int32_t> m_cellOf;
  std::vector<Slot> m_slots;
  std::size_t m_mask = 0;
  std::vector<Key> m_keys;
  std::vector<std::int32_t> m_start;
  std::vector<std::int32_t> m_id;
  std::vector<float> m_x, m_y, m_z;
};

void clearBonds(Model& model)
{
  model.bondCount = 0;
  model.bondAtom1.clear();
  model.bondAtom2.clear();
}

// Appends the bonds of rows set.first .. set.count - 2 in row order, polling
// Escape after each row. Returns false when Escape stopped it.
bool searchRows(Model& model, const SearchSet& set, float lower, float upper, AbortToken& abort)
{
  // An empty or inverted window, or a NaN bound, admits no distance.
  if (set.count - set.first < 2 || !(lower <= upper && upper >= 0.0f))
    return true;
  const CellGrid grid(set, upper);
  std::vector<std::int32_t> row;
  bool stopped = false;
  for (std::int32_t i = set.first; i < set.count - 1 && !stopped; ++i) {
    if (grid.holds(i)) {
      row.clear();
      const float xi = set.x[i], yi = set.y[i], zi = set.z[i];
      grid.forEachLater(i, [&](std::int32_t j, float xj, float yj, float zj) {
        const float d = pairDistance(xi, yi, zi, xj, yj, zj);
        if (lower <= d && d <= upper)
          row.push_back(j);
      });
      std::sort(row.begin(), row.end());
      for (const std::int32_t j : row) {
        model.bondAtom1.push_back(i);
        model.bondAtom2.push_back(j);
      }
    }
    stopped = abort.escapePressed();
  }
  model.bondCount = static_cast<std::int32_t>(model.bondAtom1.size());
  return !stopped;
}

// The smallest pair distance of the set, or kNoPair when no pair is closer.
// The grid grows until the closest pair it sees lies within its reach, which
// proves no closer pair sits further apart in the grid.
float closestDistance(const SearchSet& set, double startReach)
{
  if (set.count - set.first < 2)
    return kNoPair;
  double reach = startReach > 0.0 && startReach < kNoPair ? startReach : 1.0;
  for (;;) {
    const CellGrid grid(set, reach);
    float best = std::numeric_limits<float>::infinity();
    for (std::int32_t i = set.first; i < set.count - 1; ++i) {
      if (!grid.holds(i))
        continue;
      const float xi = set.x[i], yi = set.y[i], zi = set.z[i];
      grid.forEachLater(i, [&](std::int32_t, float xj, float yj, float zj) {
        best = std::min(best, pairDistance(xi, yi, zi, xj, yj, zj));
      });
    }
    if (best <= reach || reach >= kNoPair)
      return std::min(best, kNoPair);
    reach = std::min(reach * 2.0, static_cast<double>(kNoPair));
  }
}

} // namespace

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

  searchRows(model, set, lower, upper, abort);
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

  if (searchRows(model, set, lower, upper, abort) && model.bondCount == 0) {
    const float dmin = closestDistance(set, upper);
    if (dmin < kNoPair) {
      searchRows(model, set, static_cast<float>(0.95 * dmin), static_cast<float>(1.1 * dmin),
                 abort);
    }
  }
  model.lastBondCount = model.bondCount;
}

} // namespace tarvek
