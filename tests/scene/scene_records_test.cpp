#include "scene/scene_records.h"

#include "first_tessellation.h"

#include "scene/gl_recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>
#include <string>

namespace tarvek {
namespace {

using V = std::array<double, 3>;

V vertexOf(const GlBatch& batch, std::uint32_t i)
{
  return {batch.vertices[3 * i], batch.vertices[3 * i + 1], batch.vertices[3 * i + 2]};
}

V minus(const V& a, const V& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
V cross(const V& a, const V& b)
{
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const V& a, const V& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Culling is switched on after every list, so a triangle wound the wrong
// way would vanish: each one must face away from the solid's inside.
void expectOutwardTriangles(const GlBatch& batch, const V& inside, const std::string& what)
{
  ASSERT_EQ(batch.indices.size() % 3, 0u) << what;
  for (std::size_t t = 0; t < batch.indices.size(); t += 3) {
    const V a = vertexOf(batch, batch.indices[t]), b = vertexOf(batch, batch.indices[t + 1]),
            c = vertexOf(batch, batch.indices[t + 2]);
    const V n = cross(minus(b, a), minus(c, a));
    if (dot(n, n) < 1e-12)
      continue;
    const V centroid{(a[0] + b[0] + c[0]) / 3, (a[1] + b[1] + c[1]) / 3, (a[2] + b[2] + c[2]) / 3};
    EXPECT_GT(dot(n, minus(centroid, inside)), 0.0) << what << ", triangle " << t / 3;
  }
}

TEST(SceneRecordsTest, spheresFollowTheGluGridWithUnitNormalsFacingOut)
{
  for (const std::int16_t detail : {4, 8, 16}) {
    SceneRecord record;
    record.spheres.push_back({{1, -2, 3}, 0.5f, {10, 20, 30, 255}, detail, detail});
    RecordingGl gl;
    compileRecord(record, gl);
    ASSERT_EQ(gl.batches.size(), 1u) << detail;
    const GlBatch& batch = gl.batches[0];
    const std::size_t vertices = static_cast<std::size_t>((detail + 1) * (detail + 1));
    EXPECT_EQ(batch.vertices.size(), 3 * vertices) << detail;
    EXPECT_EQ(batch.colors.size(), 4 * vertices) << detail;
    for (std::uint32_t i = 0; i < vertices; ++i) {
      const V p = vertexOf(batch, i);
      const V n{batch.normals[3 * i], batch.normals[3 * i + 1], batch.normals[3 * i + 2]};
      EXPECT_NEAR(std::sqrt(dot(n, n)), 1.0, 1e-6) << detail << " vertex " << i;
      const V r = minus(p, {1, -2, 3});
      EXPECT_NEAR(std::sqrt(dot(r, r)), 0.5, 1e-6) << detail << " vertex " << i;
      EXPECT_EQ(batch.colors[4 * i + 1], 20);
    }
    expectOutwardTriangles(batch, {1, -2, 3}, "sphere " + std::to_string(detail));
  }
}

TEST(SceneRecordsTest, cylindersAreClosedAndTurnedAsPosed)
{
  struct Case {
    std::array<float, 3> axis;
    float angle;
    V top;
  };
  // Turning +z by the pose must land the far end where the bond goes.
  const Case cases[] = {{{0, 1, 0}, 0.0f, {0, 0, 2}},
                        {{0, 1, 0}, -180.0f, {0, 0, -2}},
                        {{0, -1, 0}, -90.0f, {2, 0, 0}}};
  for (const Case& c : cases) {
    SceneRecord record;
    record.cylinders.push_back({{1, 1, 1}, c.axis, c.angle, 2.0f, 0.25f, {1, 2, 3}});
    RecordingGl gl;
    compileRecord(record, gl);
    ASSERT_EQ(gl.batches.size(), 1u);
    const GlBatch& batch = gl.batches[0];
    const V end{1 + c.top[0], 1 + c.top[1], 1 + c.top[2]};
    double farthest = 0;
    for (std::uint32_t i = 0; i < batch.vertices.size() / 3; ++i) {
      const V d = minus(vertexOf(batch, i), end);
      farthest = std::max(farthest, dot(d, d));
    }
    // Every vertex lies within the radius of one end or the other.
    EXPECT_LT(farthest, 4.0 + 0.25 * 0.25 + 1e-4) << c.angle;
    const V mid{1 + c.top[0] / 2, 1 + c.top[1] / 2, 1 + c.top[2] / 2};
    expectOutwardTriangles(batch, mid, "cylinder at " + std::to_string(c.angle));
    EXPECT_EQ(batch.indices.size(), 3u * 4 * kCylinderSlices) << "sides and both caps";
  }
}

TEST(SceneRecordsTest, listFrameAndFullBatches)
{
  SceneRecord record;
  for (std::size_t i = 0; i < 2 * kBatchPrimitives + 1; ++i)
    record.spheres.push_back({{0, 0, 0}, 1.0f, {0, 0, 0, 255}, 4, 4});
  record.balls.push_back({3.4f, {0, 122, 185}});
  RecordingGl gl;
  compileRecord(record, gl);
  const std::string full = "drawBatch(TRIANGLES," + std::to_string(25 * kBatchPrimitives) + " vertices,"
                           + std::to_string(96 * kBatchPrimitives) + " indices)";
  EXPECT_EQ(gl.calls, (std::vector<std::string>{
                          "pushMatrix()", full, full, "drawBatch(TRIANGLES,25 vertices,96 indices)",
                          "color4ub(0,122,185,255)", "sphere(3.4000000953674316,32,32)", "popMatrix()",
                          "enable(CULL_FACE)"}));

  SceneRecord lines;
  lines.kind = ListKind::Bonds;
  lines.cullFace = false;
  lines.lineVertices = {0, 0, 0, 1, 1, 1};
  lines.lineColors = {{9, 8, 7}};
  gl.clear();
  compileRecord(lines, gl);
  EXPECT_EQ(gl.calls, (std::vector<std::string>{"pushMatrix()", "drawBatch(LINES,2 vertices,0 indices)",
                                                "popMatrix()"}));
  EXPECT_EQ(gl.batches.at(0).colors, (std::vector<std::uint8_t>{9, 8, 7, 255, 9, 8, 7, 255}));
}

void expectSameBatch(const GlBatch& got, const GlBatch& expected, const std::string& what)
{
  ASSERT_EQ(got.vertices.size(), expected.vertices.size()) << what;
  for (std::size_t i = 0; i < got.vertices.size(); ++i) {
    ASSERT_EQ(std::bit_cast<std::uint32_t>(got.vertices[i]),
              std::bit_cast<std::uint32_t>(expected.vertices[i]))
        << what << ", coordinate " << i;
    ASSERT_EQ(std::bit_cast<std::uint32_t>(got.normals[i]),
              std::bit_cast<std::uint32_t>(expected.normals[i]))
        << what << ", normal " << i;
  }
  EXPECT_EQ(got.colors, expected.colors) << what;
  EXPECT_EQ(got.indices, expected.indices) << what;
}

// A frame shows exactly what it showed before the shapes came from tables:
// every coordinate and normal keeps its bits, every triangle its place.
TEST(SceneRecordsTest, batchesKeepTheBitsOfTheFirstTessellation)
{
  std::mt19937 rng(11);
  std::uniform_real_distribution<float> coordinate(-300.0f, 300.0f);
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  std::uniform_real_distribution<float> angle(-180.0f, 180.0f);
  SceneRecord record;
  const std::int16_t details[][2] = {{4, 4}, {8, 8}, {16, 16}, {5, 7}};
  for (std::size_t i = 0; i < kBatchPrimitives + kBatchPrimitives / 5; ++i) {
    const auto& d = details[i % 4];
    record.spheres.push_back({{coordinate(rng), coordinate(rng), coordinate(rng)},
                              0.1f + std::fabs(unit(rng)),
                              {static_cast<std::uint8_t>(i), 20, 30, 255},
                              d[0],
                              d[1]});
    record.cylinders.push_back({{coordinate(rng), coordinate(rng), coordinate(rng)},
                                {unit(rng), unit(rng), unit(rng)},
                                i % 7 == 0 ? 0.0f : angle(rng),
                                1.42f + unit(rng),
                                0.2f,
                                {1, 2, static_cast<std::uint8_t>(i)}});
  }
  RecordingGl gl;
  compileRecord(record, gl);
  ASSERT_EQ(gl.batches.size(), 4u);
  for (std::size_t b = 0; b < 2; ++b) {
    GlBatch spheres, cylinders;
    for (std::size_t i = b * kBatchPrimitives;
         i < std::min(record.spheres.size(), (b + 1) * kBatchPrimitives); ++i) {
      test::firstSphere(spheres, record.spheres[i]);
      test::firstCylinder(cylinders, record.cylinders[i]);
    }
    expectSameBatch(gl.batches[b], spheres, "sphere batch " + std::to_string(b));
    expectSameBatch(gl.batches[2 + b], cylinders, "cylinder batch " + std::to_string(b));
  }
}

} // namespace
} // namespace tarvek
