// Icosahedral cages: the T-number list, the face lattice and the cage.
#include "tools/icosahedral_cage.h"

#include "model/bond_search.h"
#include "model/model.h"
#include "platform/abort.h"
#include "platform/prompts.h"
#include "runtime/number_parse.h"
#include "runtime/split.h"
#include "tools/icosahedral_rotations.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <unordered_map>

namespace tarvek {

namespace {

// The list in the order the user knows it: by T, then the larger
// min(h, k), then of a mirrored pair the one with h > k.
constexpr std::array<std::array<std::int16_t, 2>, kTNumberCount> kLatticePairs{{
    {1, 0}, {1, 1}, {2, 0}, {2, 1}, {1, 2}, {3, 0}, {2, 2}, {3, 1}, {1, 3}, {4, 0}, {3, 2},
    {2, 3}, {4, 1}, {1, 4}, {5, 0}, {3, 3}, {4, 2}, {2, 4}, {5, 1}, {1, 5}, {6, 0}, {4, 3},
    {3, 4}, {5, 2}, {2, 5}, {6, 1}, {1, 6}, {4, 4}, {5, 3}, {3, 5}, {7, 0}, {6, 2}, {2, 6},
    {7, 1}, {1, 7}, {5, 4}, {4, 5}, {6, 3}, {3, 6}, {8, 0}, {7, 2}, {2, 7}, {8, 1}, {1, 8},
    {5, 5}, {6, 4}, {4, 6}, {7, 3}, {3, 7}, {9, 0}, {8, 2}, {2, 8}, {6, 5}, {5, 6}, {9, 1},
    {1, 9}, {7, 4}, {4, 7}, {8, 3}, {3, 8}, {10, 0},
}};

constexpr double kSqrt3 = 1.7320508075688772;
// The unit vertex V0 of the icosahedron whose two-fold axes are x, y and z.
constexpr double kVertexA = 0.850651;
constexpr double kVertexB = 0.5257308;
// Circumradius over edge length of an icosahedron.
constexpr double kRadiusPerEdge = 1.05146;
// Circumradius over the extent along a two-fold axis.
constexpr double kRadiusPerHeight = 1.175502527;
constexpr double kVertexMergeDistance = 0.1;

using Point3 = std::array<float, 3>;

Point3 rotate(const Matrix3& m, const Point3& p)
{
  Point3 q{};
  for (std::size_t r = 0; r < 3; ++r)
    q[r] = m[r][0] * p[0] + m[r][1] * p[1] + m[r][2] * p[2];
  return q;
}

float distance(const Point3& a, const Point3& b)
{
  const double dx = static_cast<double>(a[0]) - b[0];
  const double dy = static_cast<double>(a[1]) - b[1];
  const double dz = static_cast<double>(a[2]) - b[2];
  return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

std::int32_t roundHalfEven(double v) { return static_cast<std::int32_t>(std::nearbyint(v)); }

double triangleArea(double ax, double ay, double bx, double by) { return std::abs(ax * by - ay * bx) / 2.0; }

void appendAtom(Model& m, const Point3& p, std::int16_t type)
{
  m.atomX.push_back(p[0]);
  m.atomY.push_back(p[1]);
  m.atomZ.push_back(p[2]);
  m.atomType.push_back(type);
  m.atomCount = static_cast<std::int32_t>(m.atomX.size());
}

Point3 atom(const Model& m, std::int32_t i) { return {m.atomX[i], m.atomY[i], m.atomZ[i]}; }

// The cage points placed so far, binned in cubes of the merge distance, so
// finding a point closer than that looks at 27 cubes instead of every point.
class MergeGrid {
public:
  explicit MergeGrid(float distance) : m_distance(distance), m_cellSize(std::max(distance, 1e-6f)) {}

  // True when an atom of the list lies closer than the merge distance to q.
  bool holdsPointNear(const Model& m, const Point3& q) const
  {
    const std::array<std::int64_t, 3> c = cell(q);
    for (std::int64_t dx = -1; dx <= 1; ++dx) {
      for (std::int64_t dy = -1; dy <= 1; ++dy) {
        for (std::int64_t dz = -1; dz <= 1; ++dz) {
          const auto found = m_cells.find(key({c[0] + dx, c[1] + dy, c[2] + dz}));
          if (found == m_cells.end())
            continue;
          for (const std::int32_t i : found->second) {
            if (distance(atom(m, i), q) < m_distance)
              return true;
          }
        }
      }
    }
    return false;
  }

  void add(std::int32_t index, const Point3& q) { m_cells[key(cell(q))].push_back(index); }

private:
  std::array<std::int64_t, 3> cell(const Point3& q) const
  {
    std::array<std::int64_t, 3> c{};
    for (std::size_t k = 0; k < 3; ++k)
      c[k] = static_cast<std::int64_t>(std::floor(static_cast<double>(q[k]) / m_cellSize));
    return c;
  }
  // Cells that share a key share a bucket; the distance test keeps the
  // answer exact.
  static std::int64_t key(const std::array<std::int64_t, 3>& c)
  {
    return (c[0] * 73856093) ^ (c[1] * 19349663) ^ (c[2] * 83492791);
  }

  float m_distance;
  float m_cellSize;
  std::unordered_map<std::int64_t, std::vector<std::int32_t>> m_cells;
};

// The 30 icosahedron edges among atoms 0 .. 11, appended after the cage
// bonds; Escape ends the search at once.
void appendEdges(Model& m, float lower, float upper, AbortToken& abort, EventPump& pump)
{
  abort.clearEscape();
  for (std::int32_t i = 0; i <= 10; ++i) {
    for (std::int32_t j = i + 1; j <= 11; ++j) {
      if (m.atomType[i] > 0 && m.atomType[j] > 0) {
        const float d = distance(atom(m, i), atom(m, j));
        if (d >= lower && d <= upper) {
          m.bondAtom1.push_back(i);
          m.bondAtom2.push_back(j);
          ++m.bondCount;
        }
      }
      if (abort.escapePressed())
        return;
    }
    if (i % 100 == 0)
      pump.pumpEvents();
  }
}

} // namespace

IcosahedralRotations getMatrices()
{
  IcosahedralRotations r;
  r.all.resize(kIcosahedralRotationRows.size() / 3);
  for (std::size_t row = 0; row < kIcosahedralRotationRows.size(); ++row) {
    const std::vector<std::string> parts = splitBy(kIcosahedralRotationRows[row], ' ');
    for (std::size_t c = 0; c < 3; ++c)
      r.all[row / 3][row % 3][c] = static_cast<float>(Val(parts.at(c)));
  }
  r.faces = getMatrices20(r.all);
  return r;
}

std::vector<Matrix3> getMatrices20(const std::vector<Matrix3>& all)
{
  std::vector<Matrix3> faces;
  faces.reserve(kFaceRotationIndices.size());
  for (const std::int32_t i : kFaceRotationIndices)
    faces.push_back(all.at(static_cast<std::size_t>(i)));
  return faces;
}

TNumberEntry tNumberEntry(std::int32_t index)
{
  const auto& p = kLatticePairs.at(static_cast<std::size_t>(index));
  return {p[0], p[1], p[0] * p[0] + p[0] * p[1] + p[1] * p[1]};
}

std::string tNumberText(std::int32_t index)
{
  const TNumberEntry e = tNumberEntry(index);
  return std::to_string(index + 1) + "\tT=" + std::to_string(e.t) + "\t(h,k) = (" + std::to_string(e.h) +
         "," + std::to_string(e.k) + ")";
}

std::int32_t defaultSliderValue(std::int32_t index)
{
  if (index < 0 || index >= kTNumberCount)
    throw std::out_of_range("T-number entry out of range");
  if (index <= 2)
    return 45;
  if (index <= 8)
    return 35;
  if (index <= 19)
    return 25;
  if (index <= 29)
    return 20;
  if (index <= 48)
    return 15;
  return 12;
}

std::optional<std::pair<std::int16_t, std::int16_t>> parseLatticePair(const std::string& text)
{
  std::string tail = text.size() > 6 ? text.substr(text.size() - 6) : text;
  std::replace(tail.begin(), tail.end(), '(', ' ');
  std::replace(tail.begin(), tail.end(), ')', ' ');
  const std::vector<std::string> parts = splitBy(trimBlanks(tail), ',');
  if (parts.size() < 2)
    return std::nullopt;
  const std::optional<double> h = leadingNumber(parts[0]);
  const std::optional<double> k = leadingNumber(parts[1]);
  if (!h || !k || std::abs(*h) > 32767.0 || std::abs(*k) > 32767.0)
    return std::nullopt;
  return std::pair{static_cast<std::int16_t>(roundHalfEven(*h)), static_cast<std::int16_t>(roundHalfEven(*k))};
}

std::string cageTitle(const std::string& entryText)
{
  std::string title = "Virus Geometry #";
  for (const char c : entryText) {
    if (c == '\t')
      title += ", ";
    else
      title += c;
  }
  return title;
}

FaceData latticePoints(std::int32_t width, std::int32_t height, std::int32_t slider)
{
  FaceData f;
  f.origin = {width / 2, height - 30};
  f.slider = slider;
  const double s = slider;
  f.g = static_cast<float>(1.41 / s);
  f.a1 = {static_cast<float>(kSqrt3 / 2.0), 0.5f};
  f.a2 = {0.0f, 1.0f};
  const std::int32_t nx = roundHalfEven(width / s / 5.0);
  const std::int32_t ny = roundHalfEven(height / s / 2.0);
  const double rise = kSqrt3 / 2.0 * s;
  const std::array<std::array<double, 2>, 4> cell{{{0.0, 0.0}, {1.5 * s, rise}, {s, 0.0}, {2.5 * s, rise}}};
  for (std::int32_t i = -nx; i <= nx; ++i) {
    for (std::int32_t j = -ny; j <= 1; ++j) {
      for (const auto& q : cell) {
        const auto x = static_cast<float>(3.0 * i * s + q[0] - s / 2.0 + f.origin[0]);
        const auto y = static_cast<float>(j * kSqrt3 * s + q[1] - rise + f.origin[1]);
        if (x > -0.01f && x <= static_cast<float>(width) && y > -0.01f && y <= static_cast<float>(height))
          f.points.push_back({x, y, 0.0f, 0.0f, 0.0f});
      }
    }
  }
  return f;
}

std::array<PicturePoint, 4> faceTriangle(PicturePoint origin, std::int32_t h, std::int32_t k,
                                         std::int32_t slider)
{
  const double d = kSqrt3 * slider;
  const double px = (h * (kSqrt3 / 2.0)) * d;
  const double py = (h * 0.5 + k) * d;
  const double turn = 1.0471975513333334;
  const double ox = origin[0], oy = origin[1];
  const PicturePoint c1{roundHalfEven(ox + px), roundHalfEven(oy - py)};
  const PicturePoint c2{roundHalfEven(ox + px * std::cos(turn) - py * std::sin(turn)),
                        roundHalfEven(oy - (px * std::sin(turn) + py * std::cos(turn)))};
  return {origin, c1, c2, origin};
}

std::vector<std::int32_t> markFacePoints(FaceData& face)
{
  const auto& c = face.corners;
  const double faceArea = triangleArea(c[1][0] - c[0][0], c[1][1] - c[0][1], c[2][0] - c[0][0], c[2][1] - c[0][1]);
  const auto limit = static_cast<float>(1.01 * faceArea);
  std::vector<std::int32_t> inside;
  face.markedCount = 0;
  for (std::size_t i = 0; i < face.points.size(); ++i) {
    FacePoint& p = face.points[i];
    p.mark = 0.0f;
    double sum = 0.0;
    for (std::size_t e = 0; e < 3; ++e) {
      const auto& a = c[e];
      const auto& b = c[e + 1];
      sum += triangleArea(a[0] - p.x, a[1] - p.y, b[0] - p.x, b[1] - p.y);
    }
    if (sum < limit) {
      p.mark = 1.0f;
      inside.push_back(static_cast<std::int32_t>(i));
    }
  }
  face.markedCount = static_cast<std::int32_t>(inside.size());

  // Face coordinates through the inverse of the edge matrix [u; v].
  const float ux = static_cast<float>(c[1][0] - c[0][0]), uy = static_cast<float>(c[1][1] - c[0][1]);
  const float vx = static_cast<float>(c[2][0] - c[0][0]), vy = static_cast<float>(c[2][1] - c[0][1]);
  const float det = ux * vy - uy * vx;
  if (std::abs(det) <= 1e-6f) {
    for (const std::int32_t i : inside)
      face.points[i].mark = 0.0f;
    return inside;
  }
  const float n00 = vy / det, n01 = -uy / det, n10 = -vx / det, n11 = ux / det;
  for (const std::int32_t i : inside) {
    FacePoint& p = face.points[i];
    const float dx = p.x - static_cast<float>(c[0][0]);
    const float dy = p.y - static_cast<float>(c[0][1]);
    p.s = dx * n00 + dy * n10;
    p.t = dx * n01 + dy * n11;
    if (!(p.s >= -0.01f && p.s < 0.99f && p.t >= -0.01f && p.t < 0.99f))
      p.mark = 0.0f;
  }
  return inside;
}

std::vector<std::pair<std::int32_t, std::int32_t>> honeycombEdges(const std::vector<FacePoint>& points,
                                                                 std::int32_t slider)
{
  const float tolerance = static_cast<float>(slider / 10);
  std::vector<std::pair<std::int32_t, std::int32_t>> edges;
  for (std::size_t a = 0; a < points.size(); ++a) {
    for (std::size_t b = a + 1; b < points.size(); ++b) {
      const double dx = static_cast<double>(points[a].x) - points[b].x;
      const double dy = static_cast<double>(points[a].y) - points[b].y;
      const auto d = static_cast<float>(std::sqrt(dx * dx + dy * dy));
      if (std::abs(d - static_cast<float>(slider)) <= tolerance)
        edges.emplace_back(static_cast<std::int32_t>(a), static_cast<std::int32_t>(b));
    }
  }
  return edges;
}

FaceData layoutFace(std::int32_t width, std::int32_t height, std::int32_t slider, std::int32_t h,
                    std::int32_t k)
{
  FaceData face = latticePoints(width, height, slider);
  face.corners = faceTriangle(face.origin, h, k, slider);
  markFacePoints(face);
  return face;
}

std::optional<float> manualCageHeight(const std::string& text)
{
  const std::optional<double> value = leadingNumber(text);
  if (!value)
    return std::nullopt;
  const double height = std::abs(*value);
  if (!(height >= 1.0 && height <= 10000.0))
    return std::nullopt;
  return static_cast<float>(height);
}

void buildCageAtoms(Model& model, const FaceData& face, const IcosahedralRotations& rotations,
                    const CageOptions& options, Prompts& prompts, AbortToken& abort, EventPump& pump)
{
  const WaitCursor wait(prompts);
  const float h2 = options.height / 2.0f;
  const bool automatic = options.automatic || h2 < 0.0f;

  // Sizes: the face edge d in pixels becomes the icosahedron edge in Å.
  float ref = static_cast<float>(face.slider) * face.g;
  const double edgeX = face.corners[1][0] - face.corners[0][0];
  const double edgeY = face.corners[1][1] - face.corners[0][1];
  const auto d = static_cast<float>(std::sqrt(edgeX * edgeX + edgeY * edgeY));
  const auto r0 = static_cast<float>(d * face.g / kRadiusPerEdge);
  float radius = r0;
  float ratio = 1.0f;
  if (!automatic) {
    radius = static_cast<float>(h2 * kRadiusPerHeight);
    ratio = radius / r0;
    ref *= ratio;
  }

  // The twelve vertices as the distinct images of one.
  const Point3 v{static_cast<float>(radius * -kVertexA), 0.0f, static_cast<float>(radius * kVertexB)};
  std::vector<Point3> vertices;
  for (const Matrix3& m : rotations.all) {
    const Point3 q = rotate(m, v);
    const bool known = std::any_of(vertices.begin(), vertices.end(), [&](const Point3& p) {
      return distance(p, q) < static_cast<float>(kVertexMergeDistance);
    });
    if (!known)
      vertices.push_back(q);
  }

  model.atomX.clear();
  model.atomY.clear();
  model.atomZ.clear();
  model.atomType.clear();
  model.atomCount = 0;
  for (std::size_t i = 0; i < vertices.size(); ++i)
    appendAtom(model, vertices[i], (i == 0 || i == 1 || i == 6) ? 1 : 3);

  // Each face point of the reference face (V0, V1, V6), copied onto every
  // face; copies that meet on shared edges and corners are merged.
  if (vertices.size() > 6) {
    const Point3 v0 = vertices[0];
    const Point3 e1{vertices[1][0] - v0[0], vertices[1][1] - v0[1], vertices[1][2] - v0[2]};
    const Point3 e2{vertices[6][0] - v0[0], vertices[6][1] - v0[1], vertices[6][2] - v0[2]};
    MergeGrid placed(radius / 100.0f);
    for (const FacePoint& fp : face.points) {
      if (fp.mark != 1.0f)
        continue;
      const Point3 p{v0[0] + fp.s * e1[0] + fp.t * e2[0], v0[1] + fp.s * e1[1] + fp.t * e2[1],
                     v0[2] + fp.s * e1[2] + fp.t * e2[2]};
      for (const Matrix3& f : rotations.faces) {
        const Point3 q = rotate(f, p);
        if (!placed.holdsPointNear(model, q)) {
          placed.add(model.atomCount, q);
          appendAtom(model, q, 2);
        }
      }
    }
  }

  createBonds(model, 0.8f * ref, 1.1f * ref, prompts, abort);
  if (options.withEdges) {
    model.cageBondStart = model.bondCount;
    const float edge = d * face.g;
    appendEdges(model, edge * 0.95f * ratio, edge * 1.05f * ratio, abort, pump);
    model.lastBondCount = model.bondCount;
  } else {
    model.cageBondStart = -1;
  }
  model.bondAtom1.resize(static_cast<std::size_t>(model.bondCount));
  model.bondAtom2.resize(static_cast<std::size_t>(model.bondCount));
}

} // namespace tarvek
