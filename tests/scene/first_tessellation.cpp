// The scene's first sphere and cylinder tessellation: the reference for its batches.
#include "first_tessellation.h"

#include "runtime/math_util.h"
#include "scene/gl_api.h"

#include <cmath>

namespace tarvek::test {

namespace {

using V = std::array<double, 3>;
using Rotation = std::array<V, 3>;

Rotation rotation(float angle, const std::array<float, 3>& axis)
{
  Rotation r{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  const double length =
      std::sqrt(static_cast<double>(axis[0]) * axis[0] + static_cast<double>(axis[1]) * axis[1]
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

V turn(const Rotation& r, const V& v)
{
  return {r[0][0] * v[0] + r[0][1] * v[1] + r[0][2] * v[2],
          r[1][0] * v[0] + r[1][1] * v[1] + r[1][2] * v[2],
          r[2][0] * v[0] + r[2][1] * v[1] + r[2][2] * v[2]};
}

void addVertex(GlBatch& batch, const V& position, const V& normal,
               const std::array<std::uint8_t, 4>& rgba)
{
  for (int i = 0; i < 3; ++i) {
    batch.vertices.push_back(static_cast<float>(position[i]));
    batch.normals.push_back(static_cast<float>(normal[i]));
  }
  batch.colors.insert(batch.colors.end(), rgba.begin(), rgba.end());
}

} // namespace

void firstSphere(GlBatch& batch, const SphereRecord& s)
{
  const auto first = static_cast<std::uint32_t>(batch.vertices.size() / 3);
  for (int i = 0; i <= s.stacks; ++i) {
    const double theta = kPi * i / s.stacks;
    for (int j = 0; j <= s.slices; ++j) {
      const double phi = 2.0 * kPi * j / s.slices;
      const V n{std::sin(theta) * std::sin(phi), std::sin(theta) * std::cos(phi), std::cos(theta)};
      addVertex(batch,
                {s.centre[0] + s.radius * n[0], s.centre[1] + s.radius * n[1],
                 s.centre[2] + s.radius * n[2]},
                n, s.rgba);
    }
  }
  const auto row = static_cast<std::uint32_t>(s.slices + 1);
  for (int i = 0; i < s.stacks; ++i) {
    for (int j = 0; j < s.slices; ++j) {
      const std::uint32_t a =
          first + static_cast<std::uint32_t>(i) * row + static_cast<std::uint32_t>(j);
      batch.indices.insert(batch.indices.end(), {a, a + 1, a + row + 1, a, a + row + 1, a + row});
    }
  }
}

void firstCylinder(GlBatch& batch, const CylinderRecord& c)
{
  const Rotation r = rotation(c.angle, c.axis);
  const std::array<std::uint8_t, 4> rgba{c.rgb[0], c.rgb[1], c.rgb[2], 255};
  auto place = [&](const V& local) {
    const V v = turn(r, local);
    return V{c.origin[0] + v[0], c.origin[1] + v[1], c.origin[2] + v[2]};
  };
  const auto first = static_cast<std::uint32_t>(batch.vertices.size() / 3);
  const V down = turn(r, {0, 0, -1}), up = turn(r, {0, 0, 1});
  for (int j = 0; j <= kCylinderSlices; ++j) {
    const double phi = 2.0 * kPi * j / kCylinderSlices;
    const V radial{std::cos(phi), std::sin(phi), 0};
    const V n = turn(r, radial);
    addVertex(batch, place({c.radius * radial[0], c.radius * radial[1], 0}), n, rgba);
    addVertex(batch, place({c.radius * radial[0], c.radius * radial[1], c.length}), n, rgba);
  }
  for (std::uint32_t j = 0; j < kCylinderSlices; ++j) {
    const std::uint32_t b0 = first + 2 * j;
    batch.indices.insert(batch.indices.end(), {b0, b0 + 2, b0 + 3, b0, b0 + 3, b0 + 1});
  }
  for (int cap = 0; cap < 2; ++cap) {
    const double z = cap == 0 ? 0.0 : c.length;
    const V& n = cap == 0 ? down : up;
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

} // namespace tarvek::test
