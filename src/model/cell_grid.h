// Cell grid over a point set, for pair searches in time linear in the points.
#pragma once

#include "runtime/big_buffer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace tarvek {

// The points one search looks at: rows first .. count - 1 of parallel
// arrays; with a type array only points of type >= 1 take part.
struct SearchSet {
  const float* x;
  const float* y;
  const float* z;
  const std::int16_t* type;
  std::int32_t first;
  std::int32_t count;
};

// The square that pairDistance takes the root of: the differences rounded to
// float, their squares summed in double.
inline double pairDistanceSquared(float xi, float yi, float zi, float xj, float yj, float zj)
{
  const float dx = static_cast<float>(static_cast<double>(xj) - xi);
  const float dy = static_cast<float>(static_cast<double>(yj) - yi);
  const float dz = static_cast<float>(static_cast<double>(zj) - zi);
  return static_cast<double>(dx) * dx + static_cast<double>(dy) * dy + static_cast<double>(dz) * dz;
}

// The distance of two points rounded to float, as the bond searches compare
// it: differences rounded to float, the root taken in double.
inline float pairDistance(float xi, float yi, float zi, float xj, float yj, float zj)
{
  return static_cast<float>(std::sqrt(pairDistanceSquared(xi, yi, zi, xj, yj, zj)));
}

// Points binned in cubic cells at least as wide as the reach, so every pair
// whose distance is at most the reach lies in the same or adjacent cells.
// Only occupied cells are kept: the points are sorted by cell (z, then y,
// then x), so a cell and its x neighbours are one run of points, and the
// runs of the nine rows around a cell are found by cursors that only move
// forward as the walk goes through the cells in order. The cost per point
// is the same for a full box and for a hollow tube or cage whose box is
// nearly empty. A compact box (at most 4 cells a point) also keeps the start
// of every cell, empty ones too, and reads the runs straight from it. Cell
// coordinates are clamped, and renumbered on a box too wide to pack: that
// merges far cells but never separates neighbours. Points with a non-finite
// coordinate take no part unless the reach is infinite.
//
// Order of use: build, then forEachPair; build again for another reach (the
// memory is reused). RowGrid serves the bond search, whose walk is cut into
// parts for several threads.
class CellGrid {
public:
  // A point's copy beside its cell neighbours: one cache line serves a run.
  struct Member {
    float x, y, z;
    std::int32_t id;
  };

  // Bins the points of the set for the given reach.
  void build(const SearchSet& set, double reach);

  // Added to the cell edge beside a relative 1e-6, so a pair two cells apart
  // never rounds to a distance equal to the reach. The bond searches' 1e-6 Å
  // keeps a zero reach workable; points in free units, whose reach is never
  // 0, set 0 so a fine lattice (spacing 1e-7) still spreads over many cells.
  double absoluteMargin = 1e-6;

  // Calls visit(a, b) for every pair of binned points a, b in the same or
  // adjacent cells with a.id < b.id. The walk goes cell by cell, so
  // neighbouring work touches neighbouring memory whatever the order of the
  // points.
  template <typename Visit>
  void forEachPair(Visit&& visit) const
  {
    const auto members = static_cast<std::int32_t>(m_members.size());
    if (members == 0)
      return;
    Runs runs;
    if (!m_dense)
      startCursors(m_memberCell[0], runs);
    std::int32_t runsOf = -1;
    for (std::int32_t k = 0; k < members; ++k) {
      if (m_memberCell[k] != runsOf) {
        runsOf = m_memberCell[k];
        neighbourRuns(runsOf, runs);
      }
      const Member& a = m_members[k];
      for (std::size_t r = 0; r < runs.count; ++r)
        for (std::int32_t n = runs.span[r][0]; n < runs.span[r][1]; ++n)
          if (m_members[n].id > a.id)
            visit(a, m_members[n]);
    }
  }

private:
  // Cell coordinates; cells are ordered by z, then y, then x.
  struct Key {
    std::int32_t x, y, z;
  };
  // The nine rows (z - 1 .. z + 1, y - 1 .. y + 1) around a cell: each
  // row's cursor into the occupied cells, and the runs of points found.
  struct Runs {
    std::array<std::int32_t, 9> cursor;
    std::array<std::array<std::int32_t, 2>, 9> span;
    std::size_t count = 0;
  };
  static constexpr std::int32_t kMaxCell = 1 << 30;
  // A cell's coordinates from the box's low corner, each plus 1, packed z,
  // y, x from the top bit down: cells compare in order as numbers, and a
  // neighbour row is a fixed offset away.
  std::uint64_t packed(const Key& k) const
  {
    return (static_cast<std::uint64_t>(std::int64_t{k.z} - m_low.z + 1) << (m_xBits + m_yBits))
           | (static_cast<std::uint64_t>(std::int64_t{k.y} - m_low.y + 1) << m_xBits)
           | static_cast<std::uint64_t>(std::int64_t{k.x} - m_low.x + 1);
  }
  // The offset from a cell to the cell dz, dy rows over.
  std::uint64_t rowStep(std::int64_t dz, std::int64_t dy) const
  {
    return static_cast<std::uint64_t>(dz * (std::int64_t{1} << (m_xBits + m_yBits))
                                      + dy * (std::int64_t{1} << m_xBits));
  }
  void startCursors(std::int32_t cell, Runs& runs) const;
  void neighbourRuns(std::int32_t cell, Runs& runs) const;
  std::int32_t coordinate(float v) const;
  bool keyOf(const SearchSet& set, std::int32_t i, Key& key) const;
  void packAxes(Key& low, Key& high);
  // A binned point with its cell; sorted whole, so no pass reads the
  // point arrays out of order.
  struct Entry {
    Key key;
    Member member;
  };
  // Stable sort of the entries by index(key), from 0 to size - 1; a size
  // beyond 4 per point (a far outlier, a tiny reach) sorts by comparison.
  template <typename Index>
  void sortBy(Index index, std::int64_t size)
  {
    const std::size_t n = m_entries.size();
    if (n < 2 || size <= 1)
      return;
    if (size > 4 * static_cast<std::int64_t>(n) + 64) {
      std::stable_sort(m_entries.begin(), m_entries.end(),
                       [&](const Entry& a, const Entry& b) { return index(a.key) < index(b.key); });
      return;
    }
    m_counts.assign(static_cast<std::size_t>(size) + 1, 0);
    for (const Entry& e : m_entries)
      ++m_counts[static_cast<std::size_t>(index(e.key)) + 1];
    for (std::size_t c = 1; c < m_counts.size(); ++c)
      m_counts[c] += m_counts[c - 1];
    m_sorted.resize(n);
    for (const Entry& e : m_entries)
      m_sorted[static_cast<std::size_t>(m_counts[static_cast<std::size_t>(index(e.key))]++)] = e;
    m_entries.swap(m_sorted);
  }

  double m_edge = 0.0;
  double m_inverseEdge = 0.0;
  bool m_oneCell = false;
  // The binned points with their cells, sorted by cell in build().
  BigVector<Entry> m_entries;
  BigVector<Entry> m_sorted;
  BigVector<std::int32_t> m_counts;
  // The box's low corner. A compact box also keeps its extent in cells and
  // every cell's first point, x fastest.
  Key m_low{};
  bool m_dense = false;
  std::int64_t m_nx = 0, m_ny = 0, m_nz = 0;
  BigVector<std::int32_t> m_denseStart;
  // Occupied cells in order (packed, then an end mark above all); points of
  // cell c: m_start[c] .. m_start[c + 1] - 1 of m_members.
  int m_xBits = 0;
  int m_yBits = 0;
  BigVector<std::uint64_t> m_cells;
  BigVector<std::int32_t> m_start;
  BigVector<Member> m_members;
  BigVector<std::int32_t> m_memberCell;
};

// The smallest distance(a, b) over all pairs of the set (a and b are
// CellGrid::Members), or cap when no pair is closer than cap (cap may be
// infinite). The grid starts at startReach (1 when that is not positive or
// not below cap) and doubles until the closest pair it sees lies within its
// reach, which proves no closer pair sits further apart in the grid; so a
// start near the typical spacing costs one or two builds. distance must be
// at most a few rounding steps from the Euclidean distance.
template <typename Distance>
double closestDistance(const SearchSet& set, double startReach, double cap, CellGrid& grid,
                       Distance&& distance)
{
  if (set.count - set.first < 2)
    return cap;
  double reach = startReach > 0.0 && startReach < cap ? startReach : 1.0;
  for (;;) {
    grid.build(set, reach);
    double best = std::numeric_limits<double>::infinity();
    grid.forEachPair([&](const CellGrid::Member& a, const CellGrid::Member& b) {
      best = std::min(best, static_cast<double>(distance(a, b)));
    });
    if (best <= reach || reach >= cap)
      return std::min(best, cap);
    reach = std::min(reach * 2.0, cap);
  }
}

} // namespace tarvek
