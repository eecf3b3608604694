// Points in rows along x, for the bond search's pair walk on several threads.
#pragma once

#include "model/cell_grid.h"
#include "runtime/big_buffer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace tarvek {

class WorkTeam;

// The points of a search set binned by y and z in square cells at least as
// wide as the reach, each such row of cells along x holding its points in
// order of x (then index). Every pair within the reach lies in one row or in
// two neighbouring ones, and within the reach in x; so a walk that looks from
// each point along x into its own row and into four of the eight rows around
// it meets each such pair exactly once, and looks at far fewer pairs than a
// walk over whole cells. Rows are found by their place in the box when it has
// few of them for its points (tubes, sheets, clouds, cones), else by their
// cell, from a sorted list of the occupied ones. Points of type < 1 (with a
// type array) take no part, nor do points with a non-finite coordinate while
// the reach is finite; with an infinite reach every point shares one row and
// every pair is met.
//
// Unlike CellGrid the walk can be cut into parts for several threads, and it
// meets a pair in either order.
//
// Order of use: build, then forEachPair for each part, on any threads at
// once; build again for another set or reach (the memory is reused).
class RowGrid {
public:
  using Member = CellGrid::Member;

  // Bins the points of the set for the given reach on the team's threads.
  void build(const SearchSet& set, double reach, WorkTeam& team);

  // The points binned.
  std::size_t memberCount() const { return m_members.size(); }

  // Calls visit(a, b) for every pair of binned points a, b that lie in the
  // same or neighbouring rows and at most a cell width apart in x, once
  // each; only those in part `part` of `parts` (about as many points each).
  template <typename Visit>
  void forEachPair(std::size_t part, std::size_t parts, Visit&& visit) const
  {
    const std::size_t members = m_members.size();
    const std::size_t from = members / parts * part + members % parts * part / parts;
    const std::size_t to = members / parts * (part + 1) + members % parts * (part + 1) / parts;
    if (from == to)
      return;
    const Member* const m = m_members.data();
    if (m_oneRow) {
      for (std::size_t i = from; i < to; ++i)
        for (std::size_t j = i + 1; j < members; ++j)
          visit(m[i], m[j]);
      return;
    }
    const std::size_t firstRow = rowAt(from);
    const std::size_t endRow = rowAt(to);
    if (firstRow == endRow)
      return;
    std::array<std::size_t, 4> cursors{};
    if (!m_dense)
      for (std::size_t k = 0; k < 4; ++k)
        cursors[k] = static_cast<std::size_t>(
            std::lower_bound(m_rowKey.begin(), m_rowKey.end() - 1, m_rowKey[firstRow] + kAhead[k])
            - m_rowKey.begin());
    for (std::size_t r = firstRow; r < endRow; ++r) {
      const std::size_t begin = static_cast<std::size_t>(m_rowStart[r]);
      const std::size_t end = static_cast<std::size_t>(m_rowStart[r + 1]);
      if (begin == end)
        continue;
      for (std::size_t i = begin; i < end; ++i) {
        const double reach = static_cast<double>(m[i].x) + m_edge;
        for (std::size_t j = i + 1; j < end && m[j].x <= reach; ++j)
          visit(m[i], m[j]);
      }
      std::array<std::size_t, 4> ahead{};
      const std::size_t rows = m_dense ? rowsAhead(r, ahead) : rowsAhead(r, cursors, ahead);
      for (std::size_t k = 0; k < rows; ++k) {
        std::size_t low = static_cast<std::size_t>(m_rowStart[ahead[k]]);
        const std::size_t high = static_cast<std::size_t>(m_rowStart[ahead[k] + 1]);
        for (std::size_t i = begin; i < end && low < high; ++i) {
          const double left = static_cast<double>(m[i].x) - m_edge;
          const double right = static_cast<double>(m[i].x) + m_edge;
          while (low < high && m[low].x < left)
            ++low;
          for (std::size_t j = low; j < high && m[j].x <= right; ++j)
            visit(m[i], m[j]);
        }
      }
    }
  }

private:
  // A row's key in the list of occupied rows: its z then its y cell, each
  // from the box's low corner plus 1, so the rows around one are fixed
  // offsets away and a row below y = 0 is no row.
  static constexpr std::uint64_t kZStep = std::uint64_t{1} << 32;
  // The four rows looked into from a row: y + 1; then z + 1 at y - 1, y, y + 1.
  static constexpr std::array<std::uint64_t, 4> kAhead{1, kZStep - 1, kZStep, kZStep + 1};

  // The row holding member `member` (the first row starting at or after it).
  std::size_t rowAt(std::size_t member) const
  {
    return static_cast<std::size_t>(
        std::lower_bound(m_rowStart.begin(), m_rowStart.end() - 1, static_cast<std::int32_t>(member))
        - m_rowStart.begin());
  }
  // The rows ahead of row r that lie in the box: indexed straight, or found
  // by the cursors, which only move forward as r grows. Returns their number.
  std::size_t rowsAhead(std::size_t r, std::array<std::size_t, 4>& ahead) const
  {
    const auto y = static_cast<std::int64_t>(r) % m_ny;
    const auto z = static_cast<std::int64_t>(r) / m_ny;
    const auto ny = static_cast<std::size_t>(m_ny);
    std::size_t n = 0;
    if (y + 1 < m_ny)
      ahead[n++] = r + 1;
    if (z + 1 < m_nz) {
      if (y > 0)
        ahead[n++] = r + ny - 1;
      ahead[n++] = r + ny;
      if (y + 1 < m_ny)
        ahead[n++] = r + ny + 1;
    }
    return n;
  }
  std::size_t rowsAhead(std::size_t r, std::array<std::size_t, 4>& cursors,
                        std::array<std::size_t, 4>& ahead) const
  {
    std::size_t n = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const std::uint64_t key = m_rowKey[r] + kAhead[k];
      std::size_t& c = cursors[k];
      while (m_rowKey[c] < key)
        ++c;
      if (m_rowKey[c] == key)
        ahead[n++] = c;
    }
    return n;
  }

  std::int32_t coordinate(float v) const;
  bool takesPart(const SearchSet& set, std::int32_t i) const;
  std::int64_t slotOf(const SearchSet& set, std::int32_t i) const;
  void binStraight(const SearchSet& set, std::size_t binned, WorkTeam& team);
  void binSorted(const SearchSet& set, std::size_t binned);
  void sortRows(WorkTeam& team);

  double m_edge = 0.0;
  double m_inverseEdge = 0.0;
  bool m_oneRow = false;
  // Rows indexed straight: (z - lowZ) * ny + (y - lowY).
  bool m_dense = true;
  std::int32_t m_lowY = 0;
  std::int32_t m_lowZ = 0;
  std::int64_t m_ny = 0;
  std::int64_t m_nz = 0;
  // The points of row r: m_members[m_rowStart[r] .. m_rowStart[r + 1] - 1].
  BigScratch<Member> m_members;
  BigScratch<std::int32_t> m_rowStart;
  // The keys of the occupied rows, in order, and an end mark above all,
  // when rows are not indexed straight.
  BigScratch<std::uint64_t> m_rowKey;
  struct Sortable {
    std::uint64_t key;
    float x;
    std::int32_t id;
  };
  BigScratch<Sortable> m_sortable;
};

} // namespace tarvek
