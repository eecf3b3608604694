#include "scene/scene_records.h"

#include "runtime/math_util.h"
#include "scene/gl_api.h"

#include <algorithm>
#include <cmath>

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

void addVertex(GlBatch& batch, const Vec& position, const Vec& normal,
               const std::array<std::uint8_t, 4>& rgba)
{
  for (int i = 0; i < 3; ++i) {
    batch.vertices.push_back(static_cast<float>(position[i]));
    batch.normals.push_back(static_cast<float>(normal[i]));
  }
  batch.colors.insert(batch.colors.end(), rgba.begin(), rgba.end());
}

void addQuad(GlBatch& batch, std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
{
  // Counter-clockwise seen from outside: a, b, c and a, c, d.
  batch.indices.insert(batch.indices.end(), {a, b, c, a, c, d});
}

// The grid of a GLU sphere: stacks from +z down to -z, slices about z, with
// (stacks + 1) x (slices + 1) vertices and unit normals.
void addSphere(GlBatch& batch, const SphereRecord& s)
{
  const auto first = static_cast<std::uint32_t>(batch.vertices.size() / 3);
  const int slices = s.slices, stacks = s.stacks;
  for (int i = 0; i <= stacks; ++i) {
    const double theta = kPi * i / stacks;
    for (int j = 0; j <= slices; ++j) {
      const double phi = 2.0 * kPi * j / slices;
      const Vec n{std::sin(theta) * std::sin(phi), std::sin(theta) * std::cos(phi), std::cos(theta)};
      addVertex(batch,
                {s.centre[0] + s.radius * n[0], s.centre[1] + s.radius * n[1],
                 s.centre[2] + s.radius * n[2]},
                n, s.rgba);
    }
  }
  const auto row = static_cast<std::uint32_t>(slices + 1);
  for (int i = 0; i < stacks; ++i) {
    for (int j = 0; j < slices; ++j) {
      const std::uint32_t a = first + static_cast<std::uint32_t>(i) * row + static_cast<std::uint32_t>(j);
      addQuad(batch, a, a + 1, a + row + 1, a + row);
    }
  }
}

// A closed cylinder: one stack of sides with radial normals and two caps.
void addCylinder(GlBatch& batch, const CylinderRecord& c)
{
  const Rotation r = rotation(c.angle, c.axis);
  const std::array<std::uint8_t, 4> rgba{c.rgb[0], c.rgb[1], c.rgb[2], 255};
  const Vec origin{c.origin[0], c.origin[1], c.origin[2]};
  auto place = [&](const Vec& local) {
    const Vec v = turn(r, local);
    return Vec{origin[0] + v[0], origin[1] + v[1], origin[2] + v[2]};
  };
  const auto first = static_cast<std::uint32_t>(batch.vertices.size() / 3);
  const Vec down = turn(r, {0, 0, -1}), up = turn(r, {0, 0, 1});
  // Sides: bottom and top ring per slice edge.
  for (int j = 0; j <= kCylinderSlices; ++j) {
    const double phi = 2.0 * kPi * j / kCylinderSlices;
    const Vec radial{std::cos(phi), std::sin(phi), 0};
    const Vec n = turn(r, radial);
    addVertex(batch, place({c.radius * radial[0], c.radius * radial[1], 0}), n, rgba);
    addVertex(batch, place({c.radius * radial[0], c.radius * radial[1], c.length}), n, rgba);
  }
  for (std::uint32_t j = 0; j < kCylinderSlices; ++j) {
    const std::uint32_t b0 = first + 2 * j;
    addQuad(batch, b0, b0 + 2, b0 + 3, b0 + 1);
  }
  // Caps: centre then ring, facing down and up.
  for (int cap = 0; cap < 2; ++cap) {
    const double z = cap == 0 ? 0.0 : c.length;
    const Vec& n = cap == 0 ? down : up;
    const auto centre = static_cast<std::uint32_t>(batch.vertices.size() / 3);
    addVertex(batch, place({0, 0, z}), n, rgba);
    for (int j = 0; j <= kCylinderSlices; ++j) {
      const double phi = 2.0 * kPi * j / kCylinderSlices;
      addVertex(batch, place({c.radius * std::cos(phi), c.radius * std::sin(phi), z}), n, rgba);
    }
    for (std::uint32_t j = 1; j <= kCylinderSlices; ++j) {
      if (cap == 0)
        batch.indices.insert(batch.indices.end(), {centre, centre + j + 1, centre + j});
      else
        batch.indices.insert(batch.indices.end(), {centre, centre + j, centre + j + 1});
    }
  }
}

template <typename Record, typename Add>
void drawInBatches(const std::vector<Record>& records, GlApi& gl, Add add)
{
  for (std::size_t start = 0; start < records.size(); start += kBatchPrimitives) {
    GlBatch batch;
    const std::size_t stop = std::min(records.size(), start + kBatchPrimitives);
    for (std::size_t i = start; i < stop; ++i)
      add(batch, records[i]);
    gl.drawBatch(batch);
  }
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
  drawInBatches(record.spheres, gl, addSphere);
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
  drawInBatches(record.cylinders, gl, addCylinder);
  for (const BallRecord& ball : record.balls) {
    gl.color4ub(ball.rgb[0], ball.rgb[1], ball.rgb[2], 255);
    gl.sphere(ball.radius, kFillBallDetail, kFillBallDetail);
  }
  gl.popMatrix();
  if (record.cullFace)
    gl.enable(GlCapability::CullFace);
}

} // namespace tarvek
