#include "model/row_grid.h"

#include "runtime/work_team.h"

#include <atomic>
#include <cmath>
#include <type_traits>
#include <vector>

namespace tarvek {

namespace {

constexpr std::int32_t kMaxCell = 1 << 30;
// Rows indexed straight cost 4 bytes each, empty or not: at most this many
// a point, so a tube's mostly empty box costs little; a box with more rows
// (points strewn along a diagonal, far outliers) lists the occupied ones.
constexpr std::int64_t kRowsPerPoint = 4;
// Rows up to this long are put in order by insertion.
constexpr std::ptrdiff_t kShortRow = 24;

bool before(const CellGrid::Member& a, const CellGrid::Member& b)
{
  return a.x < b.x || (a.x == b.x && a.id < b.id);
}

// Adds one to a count shared by the team's threads, or kept by one alone;
// returns the count before.
template <bool Shared>
std::int32_t bump(std::int32_t& count)
{
  if constexpr (Shared)
    return std::atomic_ref(count).fetch_add(1, std::memory_order_relaxed);
  else
    return count++;
}

} // namespace

std::int32_t RowGrid::coordinate(float v) const
{
  // floor, without a call, of a product clamped into the int range.
  const double t =
      std::clamp(static_cast<double>(v) * m_inverseEdge, -double{kMaxCell}, double{kMaxCell});
  const auto c = static_cast<std::int32_t>(t);
  return c > t ? c - 1 : c;
}

bool RowGrid::takesPart(const SearchSet& set, std::int32_t i) const
{
  if (set.type != nullptr && set.type[i] < 1)
    return false;
  // With a finite reach a non-finite coordinate can meet no bound.
  return m_oneRow || (std::isfinite(set.x[i]) && std::isfinite(set.y[i]) && std::isfinite(set.z[i]));
}

std::int64_t RowGrid::slotOf(const SearchSet& set, std::int32_t i) const
{
  return (std::int64_t{coordinate(set.z[i])} - m_lowZ) * m_ny + (coordinate(set.y[i]) - m_lowY);
}

void RowGrid::build(const SearchSet& set, double reach, WorkTeam& team)
{
  // The same cell width as CellGrid's: a product rounds monotonically like
  // the quotient, and the slack covers its last bit, so points within the
  // reach land in the same or neighbouring rows.
  m_edge = reach * (1.0 + 1e-6) + 1e-6;
  m_inverseEdge = 1.0 / m_edge;
  m_oneRow = !std::isfinite(m_edge);
  m_dense = true;
  m_rowKey.clear();
  const auto points = static_cast<std::size_t>(std::max(0, set.count - set.first));
  const auto pointAt = [&](std::size_t k) { return set.first + static_cast<std::int32_t>(k); };

  if (m_oneRow) {
    m_members.clear();
    for (std::size_t k = 0; k < points; ++k) {
      const std::int32_t i = pointAt(k);
      if (takesPart(set, i))
        m_members.push_back({set.x[i], set.y[i], set.z[i], i});
    }
    m_ny = m_nz = 1;
    m_rowStart.assign({0, static_cast<std::int32_t>(m_members.size())});
    return;
  }

  // The box in cells, and the points that take part.
  struct Box {
    std::int32_t lowY = kMaxCell, highY = -kMaxCell, lowZ = kMaxCell, highZ = -kMaxCell;
    std::size_t count = 0;
  };
  std::vector<Box> boxes(team.size());
  team.run([&](unsigned t) {
    Box box;
    for (std::size_t k = team.partStart(points, t); k < team.partStart(points, t + 1); ++k) {
      const std::int32_t i = pointAt(k);
      if (!takesPart(set, i))
        continue;
      const std::int32_t y = coordinate(set.y[i]);
      const std::int32_t z = coordinate(set.z[i]);
      box.lowY = std::min(box.lowY, y);
      box.highY = std::max(box.highY, y);
      box.lowZ = std::min(box.lowZ, z);
      box.highZ = std::max(box.highZ, z);
      ++box.count;
    }
    boxes[t] = box;
  });
  Box box;
  for (const Box& b : boxes) {
    box.lowY = std::min(box.lowY, b.lowY);
    box.highY = std::max(box.highY, b.highY);
    box.lowZ = std::min(box.lowZ, b.lowZ);
    box.highZ = std::max(box.highZ, b.highZ);
    box.count += b.count;
  }
  if (box.count == 0) {
    m_members.clear();
    m_ny = m_nz = 0;
    m_rowStart.assign({0});
    return;
  }
  m_lowY = box.lowY;
  m_lowZ = box.lowZ;
  m_ny = std::int64_t{box.highY} - box.lowY + 1;
  m_nz = std::int64_t{box.highZ} - box.lowZ + 1;
  m_dense = m_ny * m_nz <= kRowsPerPoint * static_cast<std::int64_t>(box.count) + 64;
  if (m_dense) {
    binStraight(set, box.count, team);
    sortRows(team);
  } else {
    binSorted(set, box.count);
  }
}

void RowGrid::binStraight(const SearchSet& set, std::size_t binned, WorkTeam& team)
{
  // A counting sort by row. The counts sit two places on, so the prefix sums
  // leave each row's start one place on; placing the points moves those up
  // to the next row's start, which is then the end of each row.
  const auto rows = static_cast<std::size_t>(m_ny * m_nz);
  const auto points = static_cast<std::size_t>(std::max(0, set.count - set.first));
  m_rowStart.resize(rows + 2);
  m_members.resize(binned);
  std::int32_t* const count = m_rowStart.data();
  team.run([&](unsigned t) {
    std::fill(count + team.partStart(rows + 2, t), count + team.partStart(rows + 2, t + 1), 0);
  });
  const bool shared = team.size() > 1;
  const auto countRows = [&](unsigned t, auto sharedCount) {
    for (std::size_t k = team.partStart(points, t); k < team.partStart(points, t + 1); ++k) {
      const std::int32_t i = set.first + static_cast<std::int32_t>(k);
      if (takesPart(set, i))
        bump<decltype(sharedCount)::value>(count[slotOf(set, i) + 2]);
    }
  };
  team.run([&](unsigned t) {
    shared ? countRows(t, std::true_type{}) : countRows(t, std::false_type{});
  });
  for (std::size_t r = 2; r < rows + 2; ++r)
    count[r] += count[r - 1];
  Member* const members = m_members.data();
  const auto place = [&](unsigned t, auto sharedCount) {
    for (std::size_t k = team.partStart(points, t); k < team.partStart(points, t + 1); ++k) {
      const std::int32_t i = set.first + static_cast<std::int32_t>(k);
      if (takesPart(set, i))
        members[bump<decltype(sharedCount)::value>(count[slotOf(set, i) + 1])] = {
            set.x[i], set.y[i], set.z[i], i};
    }
  };
  team.run([&](unsigned t) { shared ? place(t, std::true_type{}) : place(t, std::false_type{}); });
  m_rowStart.pop_back();
}

void RowGrid::binSorted(const SearchSet& set, std::size_t binned)
{
  m_sortable.clear();
  m_sortable.reserve(binned);
  for (std::int32_t i = set.first; i < set.count; ++i)
    if (takesPart(set, i)) {
      const auto y = static_cast<std::uint64_t>(std::int64_t{coordinate(set.y[i])} - m_lowY + 1);
      const auto z = static_cast<std::uint64_t>(std::int64_t{coordinate(set.z[i])} - m_lowZ + 1);
      m_sortable.push_back({z * kZStep + y, set.x[i], i});
    }
  std::sort(m_sortable.begin(), m_sortable.end(), [](const Sortable& a, const Sortable& b) {
    return a.key != b.key ? a.key < b.key : a.x != b.x ? a.x < b.x : a.id < b.id;
  });
  m_members.resize(binned);
  m_rowStart.clear();
  for (std::size_t k = 0; k < binned; ++k) {
    const Sortable& s = m_sortable[k];
    if (k == 0 || s.key != m_rowKey.back()) {
      m_rowKey.push_back(s.key);
      m_rowStart.push_back(static_cast<std::int32_t>(k));
    }
    m_members[k] = {set.x[s.id], set.y[s.id], set.z[s.id], s.id};
  }
  m_rowStart.push_back(static_cast<std::int32_t>(binned));
  m_rowKey.push_back(~std::uint64_t{0});
}

void RowGrid::sortRows(WorkTeam& team)
{
  team.run([&](unsigned t) {
    const std::size_t endRow = rowAt(team.partStart(m_members.size(), t + 1));
    for (std::size_t r = rowAt(team.partStart(m_members.size(), t)); r < endRow; ++r) {
      Member* const first = m_members.data() + m_rowStart[r];
      Member* const last = m_members.data() + m_rowStart[r + 1];
      if (last - first > kShortRow) {
        std::sort(first, last, before);
        continue;
      }
      for (Member* p = first + 1; p < last; ++p) {
        const Member m = *p;
        Member* q = p;
        for (; q > first && before(m, q[-1]); --q)
          *q = q[-1];
        *q = m;
      }
    }
  });
}

} // namespace tarvek
