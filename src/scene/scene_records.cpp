#include "scene/scene_records.h"

#include "runtime/math_util.h"
#include "scene/gl_api.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>

namespace tarvek {
namespace {

using Vec = std::array<double, 3>;
using Rotation = std::array<Vec, 3>;

// glRotatef's matrix: angle in degrees about the normalised axis.
Rotation rotation(float angle, const std::array<float, 3>& axis)
{
  Rotation r{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  const double length = std::sqrt(static_cast<double>(axis[0]) * axis[0]
                                  + static_cast<double>(axis[1]) * axis[1]
                                  + static_cast<double>(axis[2]) * axis[2]);
  if (angle == 0.0f || length == 0.0)
    return r;
  const double x = axis[0] / length, y = axis[1] / length, z = axis[2] / length;
  const double radians = angle * kPi / 180.0;
  const double c = std::cos(radians), s = std::sin(radians), t = 1.0 - c;
  r[0] = {t * x * x + c, t * x * y - s * z, t * x * z + s * y};
  r[1] = {t * x * y + s * z, t * y * y + c, t * y * z - s * x};
  r[2] = {t * x * z - s * y, t * y * z + s * x, t * z * z + c};
  return r;
}

Vec turn(const Rotation& r, const Vec& v)
{
  return {r[0][0] * v[0] + r[0][1] * v[1] + r[0][2] * v[2],
          r[1][0] * v[0] + r[1][1] * v[1] + r[1][2] * v[2],
          r[2][0] * v[0] + r[2][1] * v[1] + r[2][2] * v[2]};
}

// Angles k/n of a turn, in the arithmetic the tessellation has always used,
// so every vertex keeps its bits.
struct Circle {
  std::vector<double> cos;
  std::vector<double> sin;
};

Circle circle(int n, double turn)
{
  Circle c;
  for (int k = 0; k <= n; ++k) {
    const double angle = turn * kPi * k / n;
    c.cos.push_back(std::cos(angle));
    c.sin.push_back(std::sin(angle));
  }
  return c;
}

// The unit normals of a GLU sphere's grid: stacks from +z down to -z,
// slices about z, (stacks + 1) x (slices + 1) of them, and the triangles of
// its quads relative to the first vertex. Made once per detail.
struct UnitSphere {
  int slices = 0;
  int stacks = 0;
  std::vector<double> normals;
  std::vector<float> floatNormals;
  std::vector<std::uint32_t> indices;
};

UnitSphere makeUnitSphere(int slices, int stacks)
{
  UnitSphere u{slices, stacks, {}, {}, {}};
  const Circle theta = circle(stacks, 1.0);
  const Circle phi = circle(slices, 2.0);
  for (int i = 0; i <= stacks; ++i) {
    for (int j = 0; j <= slices; ++j) {
      const double n[3] = {theta.sin[i] * phi.sin[j], theta.sin[i] * phi.cos[j], theta.cos[i]};
      for (const double c : n) {
        u.normals.push_back(c);
        u.floatNormals.push_back(static_cast<float>(c));
      }
    }
  }
  const auto row = static_cast<std::uint32_t>(slices + 1);
  for (int i = 0; i < stacks; ++i) {
    for (int j = 0; j < slices; ++j) {
      const std::uint32_t a = static_cast<std::uint32_t>(i) * row + static_cast<std::uint32_t>(j);
      // Counter-clockwise seen from outside: a, b, c and a, c, d.
      u.indices.insert(u.indices.end(), {a, a + 1, a + row + 1, a, a + row + 1, a + row});
    }
  }
  return u;
}

// The unit spheres one compile uses, made as each detail first comes.
class UnitSpheres {
public:
  const UnitSphere& get(int slices, int stacks)
  {
    for (const UnitSphere& u : m_made)
      if (u.slices == slices && u.stacks == stacks)
        return u;
    return m_made.emplace_back(makeUnitSphere(slices, stacks));
  }

private:
  std::deque<UnitSphere> m_made;
};

// Appends count vertices' worth of room and returns where each part starts.
struct VertexRoom {
  float* position;
  float* normal;
  std::uint8_t* colour;
};

VertexRoom grow(GlBatch& batch, std::size_t count)
{
  const std::size_t first = batch.vertices.size();
  batch.vertices.resize(first + 3 * count);
  batch.normals.resize(first + 3 * count);
  batch.colors.resize(first / 3 * 4 + 4 * count);
  return {batch.vertices.data() + first, batch.normals.data() + first,
          batch.colors.data() + first / 3 * 4};
}

void putVertex(VertexRoom& room, const Vec& position, const Vec& normal,
               const std::array<std::uint8_t, 4>& rgba)
{
  for (int i = 0; i < 3; ++i) {
    *room.position++ = static_cast<float>(position[i]);
    *room.normal++ = static_cast<float>(normal[i]);
  }
  room.colour = std::copy(rgba.begin(), rgba.end(), room.colour);
}

void addSphere(GlBatch& batch, const SphereRecord& s, UnitSpheres& spheres)
{
  const UnitSphere& u = spheres.get(s.slices, s.stacks);
  const std::size_t count = u.normals.size() / 3;
  const auto first = static_cast<std::uint32_t>(batch.vertices.size() / 3);
  VertexRoom room = grow(batch, count);
  const double centre[3] = {s.centre[0], s.centre[1], s.centre[2]};
  const double radius = s.radius;
  const double* n = u.normals.data();
  for (std::size_t v = 0; v < count; ++v, n += 3) {
    for (int i = 0; i < 3; ++i)
      *room.position++ = static_cast<float>(centre[i] + radius * n[i]);
    room.colour = std::copy(s.rgba.begin(), s.rgba.end(), room.colour);
  }
  std::copy(u.floatNormals.begin(), u.floatNormals.end(), room.normal);
  const std::size_t start = batch.indices.size();
  batch.indices.resize(start + u.indices.size());
  std::uint32_t* out = batch.indices.data() + start;
  for (const std::uint32_t index : u.indices)
    *out++ = first + index;
}

// A closed cylinder: one stack of sides with radial normals and two caps.
void addCylinder(GlBatch& batch, const CylinderRecord& c, const Circle& ring)
{
  const Rotation r = rotation(c.angle, c.axis);
  const std::array<std::uint8_t, 4> rgba{c.rgb[0], c.rgb[1], c.rgb[2], 255};
  const Vec origin{c.origin[0], c.origin[1], c.origin[2]};
  auto place = [&](const Vec& local) {
    const Vec v = turn(r, local);
    return Vec{origin[0] + v[0], origin[1] + v[1], origin[2] + v[2]};
  };
  const auto first = static_cast<std::uint32_t>(batch.vertices.size() / 3);
  VertexRoom room = grow(batch, 4 * (kCylinderSlices + 1) + 2);
  const Vec down = turn(r, {0, 0, -1}), up = turn(r, {0, 0, 1});
  // Sides: bottom and top ring per slice edge.
  for (int j = 0; j <= kCylinderSlices; ++j) {
    const Vec radial{ring.cos[j], ring.sin[j], 0};
    const Vec n = turn(r, radial);
    putVertex(room, place({c.radius * radial[0], c.radius * radial[1], 0}), n, rgba);
    putVertex(room, place({c.radius * radial[0], c.radius * radial[1], c.length}), n, rgba);
  }
  for (std::uint32_t j = 0; j < kCylinderSlices; ++j) {
    const std::uint32_t b0 = first + 2 * j;
    batch.indices.insert(batch.indices.end(), {b0, b0 + 2, b0 + 3, b0, b0 + 3, b0 + 1});
  }
  // Caps: centre then ring, facing down and up.
  for (int cap = 0; cap < 2; ++cap) {
    const double z = cap == 0 ? 0.0 : c.length;
    const Vec& n = cap == 0 ? down : up;
    const auto centre =
        first + 2 * (kCylinderSlices + 1) + static_cast<std::uint32_t>(cap) * (kCylinderSlices + 2);
    putVertex(room, place({0, 0, z}), n, rgba);
    for (int j = 0; j <= kCylinderSlices; ++j)
      putVertex(room, place({c.radius * ring.cos[j], c.radius * ring.sin[j], z}), n, rgba);
    for (std::uint32_t j = 1; j <= kCylinderSlices; ++j) {
      if (cap == 0)
        batch.indices.insert(batch.indices.end(), {centre, centre + j + 1, centre + j});
      else
        batch.indices.insert(batch.indices.end(), {centre, centre + j, centre + j + 1});
    }
  }
}

template <typename Record, typename Add>
void drawInBatches(const BigVector<Record>& records, GlApi& gl, Add add)
{
  GlBatch batch;
  for (std::size_t start = 0; start < records.size(); start += kBatchPrimitives) {
    batch.vertices.clear();
    batch.normals.clear();
    batch.colors.clear();
    batch.indices.clear();
    const std::size_t stop = std::min(records.size(), start + kBatchPrimitives);
    for (std::size_t i = start; i < stop; ++i)
      add(batch, records[i]);
    gl.drawBatch(batch);
  }
}

double length3(const std::array<float, 3>& v)
{
  return std::sqrt(static_cast<double>(v[0]) * v[0] + static_cast<double>(v[1]) * v[1] +
                   static_cast<double>(v[2]) * v[2]);
}

} // namespace

std::size_t SceneRecord::bytes() const
{
  return spheres.capacity() * sizeof(SphereRecord) + lineVertices.capacity() * sizeof(float)
         + lineColors.capacity() * sizeof(lineColors[0])
         + cylinders.capacity() * sizeof(CylinderRecord) + balls.capacity() * sizeof(BallRecord);
}

void compileRecord(const SceneRecord& record, GlApi& gl)
{
  gl.pushMatrix();
  UnitSpheres spheres;
  drawInBatches(record.spheres, gl,
                [&](GlBatch& batch, const SphereRecord& s) { addSphere(batch, s, spheres); });
  if (!record.lineColors.empty()) {
    GlBatch lines;
    lines.primitive = GlPrimitive::Lines;
    lines.vertices = record.lineVertices;
    lines.colors.reserve(record.lineColors.size() * 8);
    for (const auto& rgb : record.lineColors) {
      for (int end = 0; end < 2; ++end)
        lines.colors.insert(lines.colors.end(), {rgb[0], rgb[1], rgb[2], 255});
    }
    gl.drawBatch(lines);
  }
  const Circle ring = circle(kCylinderSlices, 2.0);
  drawInBatches(record.cylinders, gl,
                [&](GlBatch& batch, const CylinderRecord& c) { addCylinder(batch, c, ring); });
  for (const BallRecord& ball : record.balls) {
    gl.color4ub(ball.rgb[0], ball.rgb[1], ball.rgb[2], 255);
    gl.sphere(ball.radius, kFillBallDetail, kFillBallDetail);
  }
  gl.popMatrix();
  if (record.cullFace)
    gl.enable(GlCapability::CullFace);
}

std::array<float, 3> cylinderEnd(const CylinderRecord& c)
{
  const Vec along = turn(rotation(c.angle, c.axis), {0.0, 0.0, static_cast<double>(c.length)});
  return {static_cast<float>(c.origin[0] + along[0]), static_cast<float>(c.origin[1] + along[1]),
          static_cast<float>(c.origin[2] + along[2])};
}

void forEachDrawnPoint(const SceneRecord& record, const std::function<void(const std::array<float, 3>&, float)>& take)
{
  for (const SphereRecord& s : record.spheres)
    take(s.centre, s.radius);
  for (const CylinderRecord& c : record.cylinders) {
    take(c.origin, c.radius);
    take(cylinderEnd(c), c.radius);
  }
  for (std::size_t i = 0; i + 2 < record.lineVertices.size(); i += 3)
    take({record.lineVertices[i], record.lineVertices[i + 1], record.lineVertices[i + 2]}, 0.0f);
  for (const BallRecord& b : record.balls)
    take({0.0f, 0.0f, 0.0f}, b.radius);
}

float recordRadius(const SceneRecord& record)
{
  double r = 0.0;
  forEachDrawnPoint(record, [&](const std::array<float, 3>& p, float pad) { r = std::max(r, length3(p) + pad); });
  return static_cast<float>(r);
}

} // namespace tarvek
