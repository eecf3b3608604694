#include "model/cell_grid.h"

#include <cmath>

namespace tarvek {

float pairDistance(float xi, float yi, float zi, float xj, float yj, float zj)
{
  const float dx = static_cast<float>(static_cast<double>(xj) - xi);
  const float dy = static_cast<float>(static_cast<double>(yj) - yi);
  const float dz = static_cast<float>(static_cast<double>(zj) - zi);
  return static_cast<float>(std::sqrt(static_cast<double>(dx) * dx
                                      + static_cast<double>(dy) * dy
                                      + static_cast<double>(dz) * dz));
}

void CellGrid::build(const SearchSet& set, double reach, std::int32_t blockRows)
{
  m_first = set.first;
  m_blockRows = blockRows;
  m_edge = reach * (1.0 + 1e-6) + absoluteMargin;
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

std::size_t CellGrid::neighbourRuns(std::int32_t c,
                                    std::array<std::array<std::int32_t, 2>, 27>& runs) const
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

std::int32_t CellGrid::coordinate(float v) const
{
  const double c = std::floor(static_cast<double>(v) / m_edge);
  return static_cast<std::int32_t>(std::clamp(c, -double{kMaxCell}, double{kMaxCell}));
}

bool CellGrid::keyOf(const SearchSet& set, std::int32_t i, Key& key) const
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

std::uint64_t CellGrid::hash(const Key& key)
{
  std::uint64_t h = static_cast<std::uint32_t>(key.x) * 0x9E3779B97F4A7C15ull;
  h ^= static_cast<std::uint32_t>(key.y) * 0xC2B2AE3D27D4EB4Full;
  h ^= static_cast<std::uint32_t>(key.z) * 0x165667B19E3779F9ull;
  return h ^ (h >> 31);
}

void CellGrid::clearTable(std::size_t members)
{
  std::size_t capacity = 16;
  while (capacity < 2 * members)
    capacity *= 2;
  m_slots.assign(capacity, Slot{});
  m_mask = capacity - 1;
}

std::int32_t CellGrid::find(const Key& key) const
{
  for (std::size_t s = hash(key) & m_mask;; s = (s + 1) & m_mask) {
    const Slot& slot = m_slots[s];
    if (slot.cell < 0)
      return -1;
    if (slot.key == key)
      return slot.cell;
  }
}

void CellGrid::insert(const Key& key, std::int32_t cell)
{
  std::size_t s = hash(key) & m_mask;
  while (m_slots[s].cell >= 0)
    s = (s + 1) & m_mask;
  m_slots[s] = {key, cell};
}

} // namespace tarvek
