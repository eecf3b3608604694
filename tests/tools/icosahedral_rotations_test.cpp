// The compiled-in rotation table of the icosahedral group and its face set.
#include "tools/icosahedral_cage.h"
#include "tools/icosahedral_rotations.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <string>

namespace tarvek {
namespace {

using Vec = std::array<double, 3>;

constexpr double kA = 0.850651;
constexpr double kB = 0.5257308;
const std::array<Vec, 12> kVertices{{{-kA, 0, kB}, {0, -kB, kA}, {kA, 0, kB}, {kB, kA, 0}, {-kB, kA, 0},
                                      {kB, -kA, 0}, {0, kB, kA}, {kA, 0, -kB}, {-kA, 0, -kB},
                                      {-kB, -kA, 0}, {0, kB, -kA}, {0, -kB, -kA}}};

// Where each rotation sends V0, V1 and V6, in table order.
const std::array<std::array<int, 3>, 60> kImages{{
    {0, 1, 6},   {1, 2, 6},  {2, 3, 6},   {3, 4, 6},   {4, 0, 6},  {2, 6, 1},   {5, 2, 1},  {6, 1, 2},
    {3, 6, 2},   {7, 3, 2},  {6, 2, 3},   {4, 6, 3},   {0, 6, 4},  {8, 0, 4},   {6, 4, 0},  {1, 6, 0},
    {9, 1, 0},   {6, 0, 1},  {8, 9, 0},   {1, 0, 9},   {5, 1, 9},  {0, 9, 1},   {9, 5, 1},  {2, 1, 5},
    {7, 2, 5},   {1, 5, 2},  {5, 7, 2},   {10, 4, 3},  {6, 3, 4},  {4, 8, 0},   {11, 5, 9}, {1, 9, 5},
    {7, 5, 11},  {8, 11, 9}, {0, 8, 9},   {10, 11, 8}, {5, 9, 11}, {11, 9, 8},  {10, 8, 4}, {9, 0, 8},
    {7, 10, 3},  {8, 4, 10}, {11, 8, 10}, {0, 4, 8},   {3, 10, 4}, {3, 7, 10},  {5, 11, 7}, {8, 10, 11},
    {9, 8, 11},  {4, 10, 8}, {7, 11, 10}, {9, 11, 5},  {10, 7, 11}, {2, 5, 7},  {3, 2, 7},  {11, 7, 5},
    {11, 10, 7}, {4, 3, 10}, {2, 7, 3},   {10, 3, 7},
}};

Vec apply(const Matrix3& m, const Vec& p)
{
  Vec q{};
  for (std::size_t r = 0; r < 3; ++r)
    q[r] = m[r][0] * p[0] + m[r][1] * p[1] + m[r][2] * p[2];
  return q;
}

double gap(const Vec& a, const Vec& b)
{
  return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

double determinant(const Matrix3& m)
{
  return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
         m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

// Every matrix is a proper rotation of the group, fixed by the images of
// V0, V1 and V6; a wrong row or sign in the table breaks one of these.
TEST(IcosahedralRotationsTest, sixtyDistinctRotationsMapTheListedVertices)
{
  const IcosahedralRotations r = getMatrices();
  ASSERT_EQ(r.all.size(), 60u);
  EXPECT_EQ(std::set<Matrix3>(r.all.begin(), r.all.end()).size(), 60u);
  const std::set<float> allowed{0.0f, 1.0f, -1.0f, 0.5f, -0.5f, 0.30902f, -0.30902f, 0.80902f, -0.80902f};
  for (std::size_t i = 0; i < 60; ++i) {
    const Matrix3& m = r.all[i];
    EXPECT_NEAR(determinant(m), 1.0, 1e-4) << "matrix " << i;
    for (std::size_t a = 0; a < 3; ++a) {
      for (std::size_t b = 0; b < 3; ++b) {
        EXPECT_TRUE(allowed.count(m[a][b])) << "matrix " << i << " entry " << a << b << " = " << m[a][b];
        const double dot = double(m[a][0]) * m[b][0] + double(m[a][1]) * m[b][1] + double(m[a][2]) * m[b][2];
        EXPECT_NEAR(dot, a == b ? 1.0 : 0.0, 1e-4) << "matrix " << i;
      }
    }
    const std::array<int, 3> from{0, 1, 6};
    for (std::size_t v = 0; v < 3; ++v)
      EXPECT_LT(gap(apply(m, kVertices[from[v]]), kVertices[kImages[i][v]]), 1e-4) << "matrix " << i << " V" << from[v];
  }
  EXPECT_EQ(r.all[0], (Matrix3{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}));
  EXPECT_EQ(r.all[1], (Matrix3{{{0.30902f, -0.80902f, 0.5f}, {0.80902f, 0.5f, 0.30902f}, {-0.5f, 0.30902f, 0.80902f}}}));
  EXPECT_EQ(std::set<std::string_view>(kIcosahedralRotationRows.begin(), kIcosahedralRotationRows.end()).size(),
            30u);
}

// The face set covers the icosahedron once: the reference face lands on 20
// different faces, the last copy being the face itself.
TEST(IcosahedralRotationsTest, faceSetCoversEveryFaceOnce)
{
  const IcosahedralRotations r = getMatrices();
  ASSERT_EQ(r.faces.size(), 20u);
  const Vec centre{(kVertices[0][0] + kVertices[1][0] + kVertices[6][0]) / 3,
                   (kVertices[0][1] + kVertices[1][1] + kVertices[6][1]) / 3,
                   (kVertices[0][2] + kVertices[1][2] + kVertices[6][2]) / 3};
  std::vector<Vec> seen;
  for (std::size_t f = 0; f < 20; ++f) {
    EXPECT_EQ(r.faces[f], r.all[kFaceRotationIndices[f]]);
    const Vec c = apply(r.faces[f], centre);
    for (const Vec& other : seen)
      EXPECT_GT(gap(c, other), 0.1) << "face " << f;
    seen.push_back(c);
  }
  EXPECT_EQ(r.faces[19], r.all[0]);
}

} // namespace
} // namespace tarvek
