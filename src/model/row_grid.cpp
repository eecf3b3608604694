// Binning points in rows along the box's longest axis, and the rows around each.
#include "model/row_grid.h"

#include "runtime/work_team.h"

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace tarvek {

namespace {

constexpr std::int32_t kMaxCell = 1 << 30;
constexpr float kInfinity = std::numeric_limits<float>::infinity();
// Rows indexed straight cost 4 bytes each, empty or not: at most this many
// a point, so a tube's mostly empty box costs little; a box with more rows
// (points strewn along a diagonal, far outliers) lists the occupied ones.
constexpr std::int64_t kRowsPerPoint = 4;
// Moves a point that sorting a row by insertion may take.
constexpr std::ptrdiff_t kMovesPerPoint = 3;

// The floor, without a call, of the product clamped into the int range.
std::int32_t cellOf(float coordinate, double inverseEdge)
{
  const double t = std::clamp(static_cast<double>(coordinate) * inverseEdge, -double{kMaxCell},
                              double{kMaxCell});
  const auto c = static_cast<std::int32_t>(t);
  return c > t ? c - 1 : c;
}

bool takesPart(const SearchSet& set, std::int32_t i, bool oneRow)
{
  if (set.type != nullptr && set.type[i] < 1)
    return false;
  // With a finite reach a non-finite coordinate can meet no bound.
  return oneRow || (std::isfinite(set.x[i]) && std::isfinite(set.y[i]) && std::isfinite(set.z[i]));
}

} // namespace

// The points that take part, and their rows: the coordinates across the
// rows, u and v, and the box's low corner in cells.
struct RowGrid::Cells {
  const SearchSet& set;
  const float* u;
  const float* v;
  double inverseEdge;
  std::int32_t lowU;
  std::int32_t lowV;
  std::int64_t nu;

  bool takesPart(std::int32_t i) const { return tarvek::takesPart(set, i, false); }

  // A straight row's index.
  std::int64_t row(std::int32_t i) const
  {
    return (std::int64_t{cellOf(v[i], inverseEdge)} - lowV) * nu
           + (cellOf(u[i], inverseEdge) - lowU);
  }

  // A listed row's key.
  std::uint64_t key(std::int32_t i) const
  {
    const auto cu = static_cast<std::uint64_t>(std::int64_t{cellOf(u[i], inverseEdge)} - lowU + 1);
    const auto cv = static_cast<std::uint64_t>(std::int64_t{cellOf(v[i], inverseEdge)} - lowV + 1);
    return cv * kVStep + cu;
  }
};

void RowGrid::build(const SearchSet& set, double reach, WorkTeam& team)
{
  // The same cell width as CellGrid's: a product rounds monotonically like
  // the quotient, and the slack covers its last bit, so points within the
  // reach land in the same or neighbouring rows.
  m_edge = reach * (1.0 + 1e-6) + 1e-6;
  m_inverseEdge = 1.0 / m_edge;
  m_oneRow = !std::isfinite(m_edge);
  m_along = &Member::x;
  m_dense = true;
  m_rowKey.clear();
  const auto points = static_cast<std::size_t>(std::max(0, set.count - set.first));

  if (m_oneRow) {
    m_members.clear();
    for (std::int32_t i = set.first; i < set.count; ++i)
      if (takesPart(set, i, true))
        m_members.push_back({set.x[i], set.y[i], set.z[i], i});
    m_nu = m_nv = 1;
    m_rowStart.assign({0, static_cast<std::int32_t>(m_members.size())});
    return;
  }

  // The box, and the points that take part. A cell coordinate never falls
  // as the point's coordinate grows, so the box's cells are its corners'.
  const std::array<const float*, 3> axes{set.x, set.y, set.z};
  struct Box {
    std::array<float, 3> low{};
    std::array<float, 3> high{};
    std::size_t count = 0;
  };
  const Box empty{{kInfinity, kInfinity, kInfinity}, {-kInfinity, -kInfinity, -kInfinity}, 0};
  std::vector<Box> boxes(team.size(), empty);
  team.run([&](unsigned t) {
    Box box = empty;
    for (std::size_t k = team.partStart(points, t); k < team.partStart(points, t + 1); ++k) {
      const std::int32_t i = set.first + static_cast<std::int32_t>(k);
      if (!takesPart(set, i, false))
        continue;
      for (std::size_t a = 0; a < 3; ++a) {
        box.low[a] = std::min(box.low[a], axes[a][i]);
        box.high[a] = std::max(box.high[a], axes[a][i]);
      }
      ++box.count;
    }
    boxes[t] = box;
  });
  Box box = empty;
  for (const Box& b : boxes) {
    for (std::size_t a = 0; a < 3; ++a) {
      box.low[a] = std::min(box.low[a], b.low[a]);
      box.high[a] = std::max(box.high[a], b.high[a]);
    }
    box.count += b.count;
  }
  if (box.count == 0) {
    m_members.clear();
    m_nu = m_nv = 0;
    m_rowStart.assign({0});
    return;
  }
  std::array<std::int64_t, 3> extent{};
  for (std::size_t a = 0; a < 3; ++a)
    extent[a] =
        std::int64_t{cellOf(box.high[a], m_inverseEdge)} - cellOf(box.low[a], m_inverseEdge) + 1;
  const auto along =
      static_cast<std::size_t>(std::max_element(extent.begin(), extent.end()) - extent.begin());
  const std::size_t u = along == 0 ? 1 : 0;
  const std::size_t v = along == 2 ? 1 : 2;
  constexpr std::array<float Member::*, 3> kCoordinates{&Member::x, &Member::y, &Member::z};
  m_along = kCoordinates[along];
  m_nu = extent[u];
  m_nv = extent[v];
  const std::int32_t lowU = cellOf(box.low[u], m_inverseEdge);
  const std::int32_t lowV = cellOf(box.low[v], m_inverseEdge);
  const Cells cells{set, axes[u], axes[v], m_inverseEdge, lowU, lowV, m_nu};
  m_dense = m_nu * m_nv <= kRowsPerPoint * static_cast<std::int64_t>(box.count) + 64;
  if (m_dense) {
    binStraight(cells, box.count, team);
    sortRows(team);
  } else {
    binSorted(cells, box.count);
  }
}

void RowGrid::binStraight(const Cells& cells, std::size_t binned, WorkTeam& team)
{
  // A counting sort by row that keeps the order of the set within a row, so
  // a builder's points, laid out along the rows' axis, come nearly in order
  // for sortRows. Each thread counts the rows of one run of the set; a run's
  // points of a row follow the runs before. Only as many threads count as
  // keep all their counts within about twice the points.
  const SearchSet& set = cells.set;
  const auto rows = static_cast<std::size_t>(m_nu * m_nv);
  const auto points = static_cast<std::size_t>(std::max(0, set.count - set.first));
  const auto threads = static_cast<unsigned>(
      std::clamp<std::size_t>((2 * binned + 64) / (rows + 1), 1, team.size()));
  m_place.resize(threads * rows);
  m_rowStart.resize(rows + 1);
  m_members.resize(binned);
  team.run([&](unsigned t) {
    if (t >= threads)
      return;
    std::int32_t* const count = m_place.data() + t * rows;
    std::fill(count, count + rows, 0);
    for (std::size_t k = WorkTeam::partStart(points, t, threads);
         k < WorkTeam::partStart(points, t + 1, threads); ++k) {
      const std::int32_t i = set.first + static_cast<std::int32_t>(k);
      if (cells.takesPart(i))
        ++count[cells.row(i)];
    }
  });
  std::int32_t next = 0;
  for (std::size_t r = 0; r < rows; ++r) {
    m_rowStart[r] = next;
    for (unsigned t = 0; t < threads; ++t)
      next += std::exchange(m_place[t * rows + r], next);
  }
  m_rowStart[rows] = next;
  Member* const members = m_members.data();
  team.run([&](unsigned t) {
    if (t >= threads)
      return;
    std::int32_t* const place = m_place.data() + t * rows;
    for (std::size_t k = WorkTeam::partStart(points, t, threads);
         k < WorkTeam::partStart(points, t + 1, threads); ++k) {
      const std::int32_t i = set.first + static_cast<std::int32_t>(k);
      if (cells.takesPart(i))
        members[place[cells.row(i)]++] = {set.x[i], set.y[i], set.z[i], i};
    }
  });
}

void RowGrid::binSorted(const Cells& cells, std::size_t binned)
{
  const SearchSet& set = cells.set;
  m_sortable.clear();
  m_sortable.reserve(binned);
  for (std::int32_t i = set.first; i < set.count; ++i)
    if (cells.takesPart(i)) {
      const Member m{set.x[i], set.y[i], set.z[i], i};
      m_sortable.push_back({cells.key(i), m.*m_along, i});
    }
  std::sort(m_sortable.begin(), m_sortable.end(), [](const Sortable& a, const Sortable& b) {
    return a.key != b.key ? a.key < b.key : a.along != b.along ? a.along < b.along : a.id < b.id;
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
  const float Member::*const along = m_along;
  const auto before = [along](const Member& a, const Member& b) {
    return a.*along < b.*along || (a.*along == b.*along && a.id < b.id);
  };
  team.run([&](unsigned t) {
    const std::size_t endRow = rowAt(team.partStart(m_members.size(), t + 1));
    for (std::size_t r = rowAt(team.partStart(m_members.size(), t)); r < endRow; ++r) {
      Member* const first = m_members.data() + m_rowStart[r];
      Member* const last = m_members.data() + m_rowStart[r + 1];
      if (last - first < 2)
        continue;
      // By insertion while a few moves a point put it in order, as they do
      // for a row that is nearly so; a row far from order is sorted anew.
      auto moves = kMovesPerPoint * (last - first);
      for (Member* p = first + 1; p < last && moves > 0; ++p) {
        const Member m = *p;
        Member* q = p;
        for (; q > first && before(m, q[-1]) && moves > 0; --q, --moves)
          *q = q[-1];
        *q = m;
      }
      if (moves == 0)
        std::sort(first, last, before);
    }
  });
}

} // namespace tarvek
