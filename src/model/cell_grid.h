// Cell grid over a point set, for pair searches in time linear in the points.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

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

// The distance of two points rounded to float, as the bond searches compare
// it: differences rounded to float, the root taken in double.
float pairDistance(float xi, float yi, float zi, float xj, float yj, float zj);

// Points binned in cubic cells at least as wide as the reach, so every pair
// whose distance is at most the reach lies in the same or adjacent cells. A
// compact box gets a dense array of cells, x fastest, so the three cells of
// a row around a point are one run of points. A box too sparse for that (a
// tiny reach, a far outlier) keys only its occupied cells in a hash table,
// so it costs no memory. Cell coordinates are clamped: that merges far cells
// but never separates neighbours. Points with a non-finite coordinate take
// no part unless the reach is infinite.
//
// Order of use: build, then forEachPair for each block of rows; build again
// for another reach (the memory is reused).
class CellGrid {
public:
  // A point's copy beside its cell neighbours: one cache line serves a run.
  struct Member {
    float x, y, z;
    std::int32_t id;
  };

  // Bins the points of the set for the given reach. Rows are grouped in
  // blocks of blockRows (at least 1) for forEachPair.
  void build(const SearchSet& set, double reach, std::int32_t blockRows);

  // Added to the cell edge beside a relative 1e-6, so a pair two cells apart
  // never rounds to a distance equal to the reach. The bond searches' 1e-6 Å
  // keeps a zero reach workable; points in free units, whose reach is never
  // 0, set 0 so a fine lattice (spacing 1e-7) still spreads over many cells.
  double absoluteMargin = 1e-6;

  // Calls visit(a, b) for every pair of binned points a, b in the same or
  // adjacent cells with a in the given block of rows and a.id < b.id. The
  // walk goes cell by cell, so neighbouring work touches neighbouring memory
  // whatever the order of the points.
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

  std::size_t neighbourRuns(std::int32_t c,
                            std::array<std::array<std::int32_t, 2>, 27>& runs) const;
  std::size_t blockOf(std::int32_t id) const
  {
    return static_cast<std::size_t>((id - m_first) / m_blockRows);
  }
  std::int32_t coordinate(float v) const;
  bool keyOf(const SearchSet& set, std::int32_t i, Key& key) const;
  static std::uint64_t hash(const Key& key);
  void clearTable(std::size_t members);
  std::int32_t find(const Key& key) const;
  void insert(const Key& key, std::int32_t cell);

  std::int32_t m_first = 0;
  double m_edge = 0.0;
  bool m_oneCell = false;
  bool m_dense = true;
  Key m_low{};
  std::int64_t m_nx = 0, m_ny = 0, m_nz = 0;
  // Per row from m_first: its cell, -1 when the point takes no part.
  std::vector<std::int32_t> m_cellOf;
  std::vector<Slot> m_slots;
  std::size_t m_mask = 0;
  std::vector<Key> m_keys;
  // Points of cell c: m_start[c] .. m_start[c + 1] - 1 of m_members.
  std::vector<std::int32_t> m_start;
  std::vector<Member> m_members;
  std::vector<std::int32_t> m_memberCell;
  // Member positions by block of rows: block b's are m_blockOrder[m_blockStart[b]
  // .. m_blockStart[b + 1] - 1], in cell order.
  std::int32_t m_blockRows = 1;
  std::vector<std::int32_t> m_blockStart;
  std::vector<std::int32_t> m_blockOrder;
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
    grid.build(set, reach, set.count - set.first);
    double best = std::numeric_limits<double>::infinity();
    grid.forEachPair(0, [&](const CellGrid::Member& a, const CellGrid::Member& b) {
      best = std::min(best, static_cast<double>(distance(a, b)));
    });
    if (best <= reach || reach >= cap)
      return std::min(best, cap);
    reach = std::min(reach * 2.0, cap);
  }
}

} // namespace tarvek
