#include "model/cell_grid.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace tarvek {

void CellGrid::build(const SearchSet& set, double reach)
{
  m_edge = reach * (1.0 + 1e-6) + absoluteMargin;
  // A product rounds monotonically like the quotient; the 1e-6 of slack in
  // the edge covers its last bit, so points within the reach still land in
  // the same or adjacent cells.
  m_inverseEdge = 1.0 / m_edge;
  m_oneCell = !std::isfinite(m_edge);
  m_entries.clear();
  Key low{kMaxCell, kMaxCell, kMaxCell};
  Key high{-kMaxCell, -kMaxCell, -kMaxCell};
  for (std::int32_t i = set.first; i < set.count; ++i) {
    Key key;
    if (!keyOf(set, i, key))
      continue;
    m_entries.push_back({key, {set.x[i], set.y[i], set.z[i], i}});
    low = {std::min(low.x, key.x), std::min(low.y, key.y), std::min(low.z, key.z)};
    high = {std::max(high.x, key.x), std::max(high.y, key.y), std::max(high.z, key.z)};
  }
  // Stable counting sorts put the cells in order and keep each cell's rows
  // ascending: by the whole cell index when the box has few cells for its
  // points, else by x and then the row index when the rows are few, else
  // by x, y and z.
  const std::int64_t limit = 4 * static_cast<std::int64_t>(m_entries.size()) + 64;
  auto extent = [&](std::int32_t Key::*axis) { return std::int64_t{high.*axis} - low.*axis + 1; };
  m_dense = !m_entries.empty() && extent(&Key::y) * extent(&Key::z) <= limit
            && extent(&Key::x) <= limit / (extent(&Key::y) * extent(&Key::z));
  packAxes(low, high);
  m_low = low;
  const std::int64_t nx = extent(&Key::x);
  const std::int64_t ny = extent(&Key::y);
  const std::int64_t nz = extent(&Key::z);
  const auto dx = [&](const Key& k) { return std::int64_t{k.x} - low.x; };
  const auto dy = [&](const Key& k) { return std::int64_t{k.y} - low.y; };
  const auto dz = [&](const Key& k) { return std::int64_t{k.z} - low.z; };
  const auto row = [&](const Key& k) { return dz(k) * ny + dy(k); };
  if (m_dense) {
    const auto cell = [&](const Key& k) { return row(k) * nx + dx(k); };
    sortBy(cell, nx * ny * nz);
    m_nx = nx;
    m_ny = ny;
    m_nz = nz;
    m_denseStart.assign(static_cast<std::size_t>(nx * ny * nz) + 1, 0);
    for (const Entry& e : m_entries)
      ++m_denseStart[static_cast<std::size_t>(cell(e.key)) + 1];
    for (std::size_t c = 1; c < m_denseStart.size(); ++c)
      m_denseStart[c] += m_denseStart[c - 1];
  } else if (ny * nz <= limit) {
    sortBy(dx, nx);
    sortBy(row, ny * nz);
  } else {
    sortBy(dx, nx);
    sortBy(dy, ny);
    sortBy(dz, nz);
  }

  const std::size_t members = m_entries.size();
  m_cells.clear();
  m_start.clear();
  // At most one cell per member, and the end marks: no copy while they grow.
  m_cells.reserve(members + 1);
  m_start.reserve(members + 1);
  m_members.resize(members);
  m_memberCell.resize(members);
  for (std::size_t k = 0; k < members; ++k) {
    const Entry& e = m_entries[k];
    const std::uint64_t cell = packed(e.key);
    if (m_cells.empty() || m_cells.back() < cell) {
      m_cells.push_back(cell);
      m_start.push_back(static_cast<std::int32_t>(k));
    }
    m_members[k] = e.member;
    m_memberCell[k] = static_cast<std::int32_t>(m_cells.size()) - 1;
  }
  m_start.push_back(static_cast<std::int32_t>(members));
  m_cells.push_back(~std::uint64_t{0});
}

namespace {

// The smallest bit count that holds 0 .. range + 1.
int bitsFor(std::int64_t range)
{
  int bits = 1;
  while ((std::int64_t{1} << bits) < range + 2)
    ++bits;
  return bits;
}

} // namespace

void CellGrid::packAxes(Key& low, Key& high)
{
  // A box too wide to pack in 63 bits (far outliers on every axis) has its
  // widest axes renumbered by occupied coordinate: neighbours stay
  // neighbours, any wider gap becomes a gap of two.
  std::int32_t Key::*axes[3] = {&Key::x, &Key::y, &Key::z};
  auto width = [&](std::int32_t Key::*axis) {
    return bitsFor(std::int64_t{high.*axis} - low.*axis + 1);
  };
  while (width(&Key::x) + width(&Key::y) + width(&Key::z) > 63) {
    std::int32_t Key::*widest = *std::max_element(
        std::begin(axes), std::end(axes), [&](auto a, auto b) { return width(a) < width(b); });
    std::vector<std::int32_t> values;
    values.reserve(m_entries.size());
    for (const Entry& e : m_entries)
      values.push_back(e.key.*widest);
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    std::vector<std::int32_t> rank(values.size(), 0);
    for (std::size_t i = 1; i < values.size(); ++i)
      rank[i] = rank[i - 1]
                + static_cast<std::int32_t>(
                    std::min<std::int64_t>(std::int64_t{values[i]} - values[i - 1], 2));
    for (Entry& e : m_entries)
      e.key.*widest = rank[static_cast<std::size_t>(
          std::lower_bound(values.begin(), values.end(), e.key.*widest) - values.begin())];
    low.*widest = 0;
    high.*widest = rank.back();
  }
  m_xBits = width(&Key::x);
  m_yBits = width(&Key::y);
}

void CellGrid::startCursors(std::int32_t cell, Runs& runs) const
{
  const std::uint64_t home = m_cells[static_cast<std::size_t>(cell)];
  std::size_t o = 0;
  for (std::int64_t dz = -1; dz <= 1; ++dz)
    for (std::int64_t dy = -1; dy <= 1; ++dy) {
      const std::uint64_t first = home + rowStep(dz, dy) - 1;
      runs.cursor[o++] = static_cast<std::int32_t>(
          std::lower_bound(m_cells.begin(), m_cells.end() - 1, first) - m_cells.begin());
    }
}

void CellGrid::neighbourRuns(std::int32_t cell, Runs& runs) const
{
  runs.count = 0;
  if (m_dense) {
    // x runs fastest, so the three cells of a row are one run.
    const std::uint64_t home = m_cells[static_cast<std::size_t>(cell)];
    const auto x = static_cast<std::int64_t>(home & ((std::uint64_t{1} << m_xBits) - 1)) - 1;
    const auto y =
        static_cast<std::int64_t>((home >> m_xBits) & ((std::uint64_t{1} << m_yBits) - 1)) - 1;
    const auto z = static_cast<std::int64_t>(home >> (m_xBits + m_yBits)) - 1;
    const std::int64_t x0 = std::max<std::int64_t>(x - 1, 0);
    const std::int64_t x1 = std::min(x + 1, m_nx - 1);
    for (std::int64_t cz = std::max<std::int64_t>(z - 1, 0); cz <= std::min(z + 1, m_nz - 1); ++cz)
      for (std::int64_t cy = std::max<std::int64_t>(y - 1, 0); cy <= std::min(y + 1, m_ny - 1);
           ++cy) {
        const std::int64_t row = (cz * m_ny + cy) * m_nx;
        const std::int32_t first = m_denseStart[static_cast<std::size_t>(row + x0)];
        const std::int32_t last = m_denseStart[static_cast<std::size_t>(row + x1 + 1)];
        if (last > first)
          runs.span[runs.count++] = {first, last};
      }
    return;
  }
  // Cells are visited in order, so each row's first cell only moves forward;
  // the row's cells up to x + 1 follow it as one run of points. The end mark
  // stops both walks.
  const std::uint64_t home = m_cells[static_cast<std::size_t>(cell)];
  const std::uint64_t* const cells = m_cells.data();
  std::size_t o = 0;
  for (std::int64_t dz = -1; dz <= 1; ++dz)
    for (std::int64_t dy = -1; dy <= 1; ++dy) {
      const std::uint64_t first = home + rowStep(dz, dy) - 1;
      std::int32_t& c = runs.cursor[o++];
      while (cells[c] < first)
        ++c;
      std::int32_t e = c;
      while (cells[e] <= first + 2)
        ++e;
      if (e > c)
        runs.span[runs.count++] = {m_start[static_cast<std::size_t>(c)],
                                   m_start[static_cast<std::size_t>(e)]};
    }
}

std::int32_t CellGrid::coordinate(float v) const
{
  const double c = std::floor(static_cast<double>(v) * m_inverseEdge);
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

} // namespace tarvek
