// Points in rows along one axis, for the bond search's pair walk on several threads.
#pragma once

#include "model/cell_grid.h"
#include "runtime/big_buffer.h"
#include "runtime/work_team.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace tarvek {

// The points of a search set in rows along the box's longest axis: binned
// across it in square cells at least as wide as the reach, each row holding
// its points in order along the axis (then of index). Every pair within the
// reach lies in one row or in two neighbouring ones, and within the reach
// along them; so a walk that looks from each point along its own row and
// into four of the eight rows around it meets each such pair exactly once,
// and looks at far fewer pairs than a walk over whole cells. Along the
// longest axis the rows are fewest, and a tube's or a sheet's lie in its
// wall, so most rows around one are empty. Rows are found by their place in
// the box when it has few of them for its points, else by their cell, from a
// sorted list of the occupied ones. Points of type < 1 (with a type array)
// take no part, nor do points with a non-finite coordinate while the reach
// is finite; with an infinite reach every point shares one row and every
// pair is met.
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
  // same or neighbouring rows and at most a cell width apart along them,
  // once each; only those in part `part` of `parts` (about as many points
  // each).
  template <typename Visit>
  void forEachPair(unsigned part, unsigned parts, Visit&& visit) const
  {
    const std::size_t members = m_members.size();
    const std::size_t from = WorkTeam::partStart(members, part, parts);
    const std::size_t to = WorkTeam::partStart(members, part + 1, parts);
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
    // A straight row's place in the box, followed along instead of divided
    // out for every row.
    std::int64_t u = m_dense ? static_cast<std::int64_t>(firstRow) % m_nu : 0;
    std::int64_t v = m_dense ? static_cast<std::int64_t>(firstRow) / m_nu : 0;
    const std::int32_t* const start = m_rowStart.data();
    for (std::size_t r = firstRow; r < endRow; ++r) {
      const auto begin = static_cast<std::size_t>(start[r]);
      const auto end = static_cast<std::size_t>(start[r + 1]);
      if (begin < end) {
        pairsWithin(begin, end, visit);
        std::array<std::size_t, 4> ahead{};
        const std::size_t rows = m_dense ? rowsAhead(r, u, v, ahead) : rowsAhead(r, cursors, ahead);
        for (std::size_t k = 0; k < rows; ++k)
          pairsAcross(begin, end, static_cast<std::size_t>(start[ahead[k]]),
                      static_cast<std::size_t>(start[ahead[k] + 1]), visit);
      }
      if (m_dense && ++u == m_nu) {
        u = 0;
        ++v;
      }
    }
  }

private:
  // A row's key in the list of occupied rows: its cells v then u across the
  // rows (u the first axis other than the row's, v the second), each from
  // the box's low corner plus 1, so the rows around one are fixed offsets
  // away and a row below u = 0 is no row.
  static constexpr std::uint64_t kVStep = std::uint64_t{1} << 32;
  // The four rows looked into from a row: u + 1; then v + 1 at u - 1, u, u + 1.
  static constexpr std::array<std::uint64_t, 4> kAhead{1, kVStep - 1, kVStep, kVStep + 1};

  // The row holding member `member` (the first row starting at or after it).
  std::size_t rowAt(std::size_t member) const
  {
    return static_cast<std::size_t>(std::lower_bound(m_rowStart.begin(), m_rowStart.end() - 1,
                                                     static_cast<std::int32_t>(member))
                                    - m_rowStart.begin());
  }
  // The pairs of row members begin .. end - 1 among themselves, each with
  // those after it along the row.
  template <typename Visit>
  void pairsWithin(std::size_t begin, std::size_t end, Visit& visit) const
  {
    const Member* const m = m_members.data();
    const float Member::*const along = m_along;
    const double edge = m_edge;
    for (std::size_t i = begin; i < end; ++i) {
      const double reach = static_cast<double>(m[i].*along) + edge;
      for (std::size_t j = i + 1; j < end && m[j].*along <= reach; ++j)
        visit(m[i], m[j]);
    }
  }

  // The pairs of row members begin .. end - 1 with those of another row,
  // low .. high - 1, within the edge along them: both rows are in order, so
  // the start of each member's window only moves forward.
  template <typename Visit>
  void pairsAcross(std::size_t begin, std::size_t end, std::size_t low, std::size_t high,
                   Visit& visit) const
  {
    const Member* const m = m_members.data();
    const float Member::*const along = m_along;
    const double edge = m_edge;
    for (std::size_t i = begin; i < end; ++i) {
      const double left = static_cast<double>(m[i].*along) - edge;
      while (low < high && m[low].*along < left)
        ++low;
      if (low == high)
        return;
      const double right = static_cast<double>(m[i].*along) + edge;
      for (std::size_t j = low; j < high && m[j].*along <= right; ++j)
        visit(m[i], m[j]);
    }
  }

  // The rows ahead of row r that lie in the box: indexed straight from its
  // place (u, v), or found by the cursors, which only move forward as r
  // grows. Returns their number.
  std::size_t rowsAhead(std::size_t r, std::int64_t u, std::int64_t v,
                        std::array<std::size_t, 4>& ahead) const
  {
    const auto nu = static_cast<std::size_t>(m_nu);
    std::size_t n = 0;
    if (u + 1 < m_nu)
      ahead[n++] = r + 1;
    if (v + 1 < m_nv) {
      if (u > 0)
        ahead[n++] = r + nu - 1;
      ahead[n++] = r + nu;
      if (u + 1 < m_nu)
        ahead[n++] = r + nu + 1;
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

  struct Cells;
  void binStraight(const Cells& cells, std::size_t binned, WorkTeam& team);
  void binSorted(const Cells& cells, std::size_t binned);
  void sortRows(WorkTeam& team);

  double m_edge = 0.0;
  double m_inverseEdge = 0.0;
  bool m_oneRow = false;
  // The coordinate the rows run along.
  float Member::*m_along = &Member::x;
  // Rows indexed straight, (v - lowV) * nu + (u - lowU), with the box nu by
  // nv cells across the rows.
  bool m_dense = true;
  std::int64_t m_nu = 0;
  std::int64_t m_nv = 0;
  // The points of row r: m_members[m_rowStart[r] .. m_rowStart[r + 1] - 1].
  BigScratch<Member> m_members;
  BigScratch<std::int32_t> m_rowStart;
  // Each binning thread's points a row, then where it puts the next.
  BigScratch<std::int32_t> m_place;
  // The keys of the occupied rows, in order, and an end mark above all,
  // when rows are not indexed straight.
  BigScratch<std::uint64_t> m_rowKey;
  struct Sortable {
    std::uint64_t key;
    float along;
    std::int32_t id;
  };
  BigScratch<Sortable> m_sortable;
};

} // namespace tarvek
