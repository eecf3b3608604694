#include "model/cmatrix.h"

#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numbers>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>

namespace tarvek {
namespace {

using Matrix = CMatrix::Matrix;
using Vector = CMatrix::Vector;
using Exact = std::array<double, 16>;

Matrix elements(const CMatrix& m)
{
  Matrix out;
  m.GetMatrix(out);
  return out;
}

CMatrix fromElements(const Matrix& values)
{
  CMatrix m;
  m.Copy(values);
  return m;
}

std::array<std::uint32_t, 16> bits(const Matrix& values)
{
  std::array<std::uint32_t, 16> out;
  for (int i = 0; i < 16; ++i)
    out[i] = std::bit_cast<std::uint32_t>(values[i]);
  return out;
}

std::string show(const Matrix& values)
{
  std::string s;
  for (float v : values)
    s += std::to_string(v) + " ";
  return s;
}

// Column-major product in double, element (r, c) at 4c + r.
Exact multiply(const Exact& a, const Exact& b)
{
  Exact p{};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      for (int k = 0; k < 4; ++k)
        p[4 * c + r] += a[4 * k + r] * b[4 * c + k];
  return p;
}

Exact widen(const Matrix& values)
{
  Exact out;
  for (int i = 0; i < 16; ++i)
    out[i] = values[i];
  return out;
}

// Rotation about a unit axis in double, by Rodrigues' formula.
Exact rotation(double radians, double x, double y, double z)
{
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  const double t = 1.0 - c;
  return {t * x * x + c,     t * x * y + s * z, t * x * z - s * y, 0.0,
          t * x * y - s * z, t * y * y + c,     t * y * z + s * x, 0.0,
          t * x * z + s * y, t * y * z - s * x, t * z * z + c,     0.0,
          0.0,               0.0,               0.0,               1.0};
}

// Inverse by cofactors in double, an algorithm unlike the elimination under test.
Exact cofactorInverse(const Exact& a)
{
  auto at = [&a](int r, int c) { return a[4 * c + r]; };
  auto minor3 = [&at](int skipRow, int skipCol) {
    int rows[3];
    int cols[3];
    for (int i = 0, n = 0; i < 4; ++i)
      if (i != skipRow)
        rows[n++] = i;
    for (int i = 0, n = 0; i < 4; ++i)
      if (i != skipCol)
        cols[n++] = i;
    auto e = [&](int r, int c) { return at(rows[r], cols[c]); };
    return e(0, 0) * (e(1, 1) * e(2, 2) - e(1, 2) * e(2, 1))
           - e(0, 1) * (e(1, 0) * e(2, 2) - e(1, 2) * e(2, 0))
           + e(0, 2) * (e(1, 0) * e(2, 1) - e(1, 1) * e(2, 0));
  };
  double det = 0.0;
  for (int c = 0; c < 4; ++c)
    det += ((c % 2) ? -1.0 : 1.0) * at(0, c) * minor3(0, c);
  Exact inverse;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      inverse[4 * c + r] = (((r + c) % 2) ? -1.0 : 1.0) * minor3(c, r) / det;
  return inverse;
}

void expectNear(const Exact& expected, const Matrix& actual, double tolerance, const std::string& what)
{
  for (int i = 0; i < 16; ++i)
    EXPECT_NEAR(actual[i], expected[i], tolerance) << what << ", element " << i;
}

TEST(CMatrixTest, activeAxisIsClampedToTheSixModes)
{
  const std::pair<int, int> cases[] = {{7, 5}, {-2, 0}, {0, 0}, {3, 3}, {5, 5}};
  for (auto [written, stored] : cases) {
    CMatrix m;
    m.ActiveAxis(written);
    EXPECT_EQ(m.ActiveAxis(), stored) << "written " << written;
  }
}

// One unit of KeyDown is five degrees, and the sine and cosine are rounded to float.
TEST(CMatrixTest, keyDownTurnsByFiveDegreeSteps)
{
  CMatrix m;
  m.ActiveAxis(2);
  m.KeyDown(1);
  const Matrix a = elements(m);
  EXPECT_EQ(a[0], 0.99619472f);
  EXPECT_EQ(a[5], 0.99619472f);
  EXPECT_EQ(a[1], 0.087155737f);
  EXPECT_EQ(a[4], -0.087155737f);
  EXPECT_EQ(a[10], 1.0f);
  EXPECT_EQ(a[15], 1.0f);

  // 900 and -450 degrees: the factor five holds for every angle.
  m.Identity();
  m.KeyDown(180);
  EXPECT_EQ(elements(m)[0], -1.0f);
  EXPECT_NEAR(elements(m)[1], 0.0, 1e-6);
  m.Identity();
  m.KeyDown(-90);
  EXPECT_EQ(elements(m)[1], -1.0f);
  EXPECT_NEAR(elements(m)[0], 0.0, 1e-6);
}

// Viewer modes turn the translation with the model; object modes leave it.
TEST(CMatrixTest, keyDownAboutTheViewerAxisMovesTheTranslation)
{
  CMatrix m;
  m.SetTranslation(1, 0, 0);
  m.ActiveAxis(5);
  m.KeyDown(18);
  Matrix a = elements(m);
  EXPECT_NEAR(a[12], 0.0, 1e-6);
  EXPECT_NEAR(a[13], 1.0, 1e-6);
  EXPECT_NEAR(a[14], 0.0, 1e-6);

  m.SetTranslation(1, 0, 0);
  m.ActiveAxis(2);
  m.KeyDown(18);
  a = elements(m);
  EXPECT_EQ(a[12], 1.0f);
  EXPECT_EQ(a[13], 0.0f);
  EXPECT_EQ(a[14], 0.0f);
  EXPECT_NEAR(a[0], 0.0, 1e-6);
  EXPECT_NEAR(a[1], 1.0, 1e-6);
}

// Each mode turns about its own axis, on the right side of the product.
TEST(CMatrixTest, keyDownModesMatchADoublePrecisionProduct)
{
  const Exact start = multiply(rotation(0.4, 0.0, 0.6, 0.8), Exact{2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0.5, 0, 1, -2, 3, 1});
  Matrix startValues;
  for (int i = 0; i < 16; ++i)
    startValues[i] = static_cast<float>(start[i]);
  const double step = 3 * 5 * std::numbers::pi / 180;
  const double axes[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

  for (int mode = 0; mode < 6; ++mode) {
    CMatrix m = fromElements(startValues);
    m.ActiveAxis(mode);
    m.KeyDown(3);
    const double* axis = axes[mode % 3];
    const Exact r = rotation(step, axis[0], axis[1], axis[2]);
    const Exact expected = mode < 3 ? multiply(widen(startValues), r) : multiply(r, widen(startValues));
    expectNear(expected, elements(m), 1e-6, "mode " + std::to_string(mode));
  }
}

// Counter-clockwise seen from the positive end: x takes y to z, y takes z to x, z takes x to y.
TEST(CMatrixTest, axisRotationsTurnCounterClockwise)
{
  const float quarter = CMatrix::DegToRadf(90);
  struct Case {
    void (CMatrix::*set)(float);
    Vector from;
    Vector to;
  };
  const Case cases[] = {{&CMatrix::SetRotationX, {0, 1, 0}, {0, 0, 1}},
                        {&CMatrix::SetRotationY, {0, 0, 1}, {1, 0, 0}},
                        {&CMatrix::SetRotationZ, {1, 0, 0}, {0, 1, 0}}};
  for (int k = 0; k < 3; ++k) {
    CMatrix m;
    m.SetTranslation(5, 6, 7);
    (m.*cases[k].set)(quarter);
    Vector p;
    m.MulPoint3(p, cases[k].from);
    for (int i = 0; i < 3; ++i)
      EXPECT_NEAR(p[i], cases[k].to[i], 1e-6) << "axis " << k << ", component " << i;
  }
}

TEST(CMatrixTest, setRotationNormalisesTheCallersAxisAndMatchesTheAxisRotations)
{
  float x = 0;
  float y = 0;
  float z = 2;
  CMatrix m;
  m.SetRotation(90, x, y, z);
  EXPECT_EQ(z, 1.0f);
  CMatrix reference;
  reference.SetRotationZ(CMatrix::DegToRadf(90));
  EXPECT_EQ(bits(elements(m)), bits(elements(reference)));

  struct Case {
    float axis[3];
    void (CMatrix::*set)(float);
  };
  const Case cases[] = {{{3, 0, 0}, &CMatrix::SetRotationX},
                        {{0, 0.5f, 0}, &CMatrix::SetRotationY},
                        {{0, 0, 1}, &CMatrix::SetRotationZ}};
  for (float angle : {30.0f, -135.0f, 450.0f, 200.0f}) {
    for (const Case& c : cases) {
      float ax = c.axis[0];
      float ay = c.axis[1];
      float az = c.axis[2];
      m.SetRotation(angle, ax, ay, az);
      (reference.*c.set)(CMatrix::DegToRadf(angle));
      EXPECT_EQ(bits(elements(m)), bits(elements(reference)))
        << "angle " << angle << ", axis " << c.axis[0] << " " << c.axis[1] << " " << c.axis[2] << "\n"
        << show(elements(m)) << "\n"
        << show(elements(reference));
    }
  }
}

TEST(CMatrixTest, setRotationAboutAGeneralAxis)
{
  // 120 degrees about the diagonal permutes the axes: x goes to y.
  float x = 1;
  float y = 1;
  float z = 1;
  CMatrix m;
  m.SetRotation(120, x, y, z);
  EXPECT_EQ(x, 0.57735026f);
  EXPECT_EQ(y, 0.57735026f);
  EXPECT_EQ(z, 0.57735026f);
  Vector p;
  m.MulPoint3(p, {1, 0, 0});
  EXPECT_NEAR(p[0], 0.0, 1e-6);
  EXPECT_NEAR(p[1], 1.0, 1e-6);
  EXPECT_NEAR(p[2], 0.0, 1e-6);

  // A zero axis stays zero and leaves only the cosine on the diagonal.
  x = y = z = 0;
  m.SetTranslation(1, 2, 3);
  m.SetRotation(30, x, y, z);
  const float c = static_cast<float>(std::cos(static_cast<double>(CMatrix::DegToRadf(30))));
  Matrix expected{};
  expected[0] = expected[5] = expected[10] = c;
  expected[15] = 1;
  EXPECT_EQ(elements(m), expected) << show(elements(m));
  EXPECT_EQ(x, 0.0f);
  EXPECT_EQ(y, 0.0f);
  EXPECT_EQ(z, 0.0f);
}

// MulPoint3 is the transform (rotation, then translation); DotV3 the transposed rotation alone.
TEST(CMatrixTest, mulPoint3AppliesTheTransformAndDotV3ItsTransposedRotation)
{
  CMatrix m;
  m.SetTranslation(1, 2, 3);
  Vector p{1, 1, 1};
  m.MulPoint3(p, p);
  EXPECT_EQ(p, (Vector{2, 3, 4}));
  Vector q;
  m.MulPoint3(q, {1, 1, 1});
  EXPECT_EQ(q, (Vector{2, 3, 4}));

  m.SetRotationZ(CMatrix::DegToRadf(90));
  m.SetTransOnly(10, 20, 30);
  m.MulPoint3(q, {1, 0, 0});
  EXPECT_NEAR(q[0], 10.0, 1e-6);
  EXPECT_NEAR(q[1], 21.0, 1e-6);
  EXPECT_NEAR(q[2], 30.0, 1e-6);

  Vector v{1, 0, 0};
  m.DotV3(v, v);
  EXPECT_NEAR(v[0], 0.0, 1e-6);
  EXPECT_NEAR(v[1], -1.0, 1e-6);
  EXPECT_NEAR(v[2], 0.0, 1e-6);
}

TEST(CMatrixTest, invertGivesExactInversesOfSimpleMatrices)
{
  // Permutations put a zero on the first pivot; their inverse is the transpose.
  const Matrix cycle{0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
  const Matrix reversal{0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0};
  const Matrix swapAndScale{0, 4, 0, 0, 2, 0, 0, 0, 0, 0, 0, -8, 0, 0, 0.5f, 0};
  const struct {
    const char* name;
    Matrix in;
    Matrix out;
  } cases[] = {
    {"diagonal", {2, 0, 0, 0, 0, 4, 0, 0, 0, 0, 8, 0, 0, 0, 0, 1},
     {0.5f, 0, 0, 0, 0, 0.25f, 0, 0, 0, 0, 0.125f, 0, 0, 0, 0, 1}},
    {"cycle", cycle, {0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1}},
    {"reversal", reversal, reversal},
    {"swap and scale", swapAndScale, {0, 0.5f, 0, 0, 0.25f, 0, 0, 0, 0, 0, 0, 2, 0, 0, -0.125f, 0}},
  };
  for (const auto& c : cases) {
    CMatrix m = fromElements(c.in);
    EXPECT_TRUE(m.Invert()) << c.name;
    EXPECT_EQ(elements(m), c.out) << c.name << ": " << show(elements(m));
  }

  // The pivot search swaps rows here, so the rotation part picks up rounding
  // of a few 1e-8; the translation itself comes out exact.
  CMatrix m;
  m.SetTranslation(1, 2, 3);
  EXPECT_TRUE(m.Invert());
  const Matrix inverse = elements(m);
  EXPECT_EQ(inverse[12], -1.0f);
  EXPECT_EQ(inverse[13], -2.0f);
  EXPECT_EQ(inverse[14], -3.0f);
  expectNear(Exact{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, -2, -3, 1}, inverse, 1e-6, "translation");
}

TEST(CMatrixTest, invertOfASingularMatrixFailsAndChangesNothing)
{
  const struct {
    const char* name;
    Matrix in;
  } cases[] = {
    {"last diagonal zero", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}},
    // The elimination has changed rows before it meets the zero pivot.
    {"dependent column", {4, 1, 2, 1, 2, 0.5f, 1, 0.5f, 0, 1, 1, 0, 0, 0, 1, 1}},
    {"zero", {}},
  };
  for (const auto& c : cases) {
    CMatrix m = fromElements(c.in);
    EXPECT_FALSE(m.Invert()) << c.name;
    EXPECT_EQ(bits(elements(m)), bits(c.in)) << c.name << ": " << show(elements(m));
  }
}

// Float elimination stays within 1e-6 of the double inverse, relative to its largest element.
TEST(CMatrixTest, invertMatchesADoublePrecisionInverse)
{
  std::mt19937 random(20240611);
  std::uniform_real_distribution<float> entry(-1.0f, 1.0f);
  for (int run = 0; run < 200; ++run) {
    Matrix values;
    for (int i = 0; i < 16; ++i)
      values[i] = entry(random);
    for (int i = 0; i < 4; ++i)
      values[5 * i] += (i % 2 ? -3.0f : 3.0f);
    const Exact expected = cofactorInverse(widen(values));
    double largest = 0.0;
    for (double v : expected)
      largest = std::max(largest, std::fabs(v));

    CMatrix m = fromElements(values);
    ASSERT_TRUE(m.Invert());
    expectNear(expected, elements(m), 1e-6 * largest, "run " + std::to_string(run) + ": " + show(values));
  }
}

TEST(CMatrixTest, transposeWritesTheTransposeAndTwiceRestoresTheMatrix)
{
  const Matrix start{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  CMatrix m = fromElements(start);
  Matrix t;
  m.Transpose(t);
  EXPECT_EQ(elements(m), start);
  EXPECT_EQ(t, (Matrix{1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16}));
  m.Copy(t);
  m.Transpose(t);
  m.Copy(t);
  Matrix back;
  m.CopyTo(back);
  EXPECT_EQ(back, start);
}

TEST(CMatrixTest, setTranslationAndScaleStartFromIdentityTheirOnlyFormsKeepTheRest)
{
  const Matrix start{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  CMatrix m = fromElements(start);
  m.SetTransOnly(-1, -2, -3);
  EXPECT_EQ(elements(m), (Matrix{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, -1, -2, -3, 16}));
  m.Copy(start);
  m.SetScaleOnly(-1, -2, -3);
  EXPECT_EQ(elements(m), (Matrix{-1, 2, 3, 4, 5, -2, 7, 8, 9, 10, -3, 12, 13, 14, 15, 16}));
  m.Copy(start);
  m.SetTranslation(-1, -2, -3);
  EXPECT_EQ(elements(m), (Matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, -2, -3, 1}));
  m.Copy(start);
  m.SetScale(-1, -2, -3);
  EXPECT_EQ(elements(m), (Matrix{-1, 0, 0, 0, 0, -2, 0, 0, 0, 0, -3, 0, 0, 0, 0, 1}));
}

TEST(CMatrixTest, stackRestoresInReverseOrderAndRefusesBeyondItsBounds)
{
  CMatrix m;
  EXPECT_THROW(m.Pop(), std::out_of_range);
  EXPECT_EQ(elements(m), elements(CMatrix{}));

  for (int i = 0; i < CMatrix::kStackSize; ++i) {
    m.SetTranslation(static_cast<float>(i), 0, 0);
    m.Push();
  }
  m.SetTranslation(99, 0, 0);
  EXPECT_THROW(m.Push(), std::out_of_range);
  EXPECT_EQ(elements(m)[12], 99.0f);

  for (int i = CMatrix::kStackSize - 1; i >= 0; --i) {
    m.Pop();
    EXPECT_EQ(elements(m)[12], static_cast<float>(i)) << "slot " << i;
  }
  EXPECT_THROW(m.Pop(), std::out_of_range);
  EXPECT_EQ(elements(m)[12], 0.0f);
}

TEST(CMatrixTest, arcFunctionsAreExactAtTheEndsAndRefuseBeyond)
{
  const double pi = std::numbers::pi;
  const struct {
    float x;
    double arcCos;
    double arcSin;
  } cases[] = {{1.0f, 0.0, pi / 2}, {-1.0f, pi, -pi / 2}, {0.0f, pi / 2, 0.0}, {0.5f, pi / 3, pi / 6}};
  for (const auto& c : cases) {
    EXPECT_NEAR(CMatrix::ArcCos(c.x), c.arcCos, 1e-15) << c.x;
    EXPECT_NEAR(CMatrix::Arcsin(c.x), c.arcSin, 1e-15) << c.x;
  }
  EXPECT_EQ(CMatrix::ArcCos(1.0f), 0.0);
  EXPECT_EQ(CMatrix::ArcCos(-1.0f), pi);
  EXPECT_EQ(CMatrix::Arcsin(-1.0f), -pi / 2);

  for (float x : {1.0000001f, -2.0f, std::numeric_limits<float>::quiet_NaN()}) {
    EXPECT_THROW(CMatrix::ArcCos(x), std::domain_error) << x;
    EXPECT_THROW(CMatrix::Arcsin(x), std::domain_error) << x;
  }
}

// The decimal π and one rounding to float: DegToRadf(90) is the float 1.5707964.
TEST(CMatrixTest, degreesAndRadiansUseTheDecimalPi)
{
  EXPECT_EQ(CMatrix::DegToRadf(90), 1.5707964f);
  EXPECT_EQ(CMatrix::DegToRadf(90), static_cast<float>(90.0 * 3.141592654 / 180.0));
  EXPECT_EQ(CMatrix::RadToDegf(CMatrix::DegToRadf(90)), 90.0f);
  EXPECT_EQ(CMatrix::RadToDegf(1.0f), static_cast<float>(180.0 / 3.141592654));
}

// A result beyond the float range throws and leaves the matrix, the output and the axis as they were.
TEST(CMatrixTest, overflowThrowsAndChangesNothing)
{
  const float big = 3e38f;
  const Matrix huge{big, big, 0, 0, big, big, 0, 0, 0, 0, 1, 0, big, big, 0, 1};
  const Matrix tinyPivot{1e-45f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  const struct {
    const char* name;
    Matrix start;
    std::function<void(CMatrix&)> call;
  } cases[] = {
    {"step on a huge matrix", huge, [](CMatrix& m) { m.ActiveAxis(2); m.KeyDown(9); }},
    {"huge step", Matrix{}, [](CMatrix& m) { m.KeyDown(1e38f); }},
    {"inverse through a tiny pivot", tinyPivot, [](CMatrix& m) { m.Invert(); }},
  };
  for (const auto& c : cases) {
    CMatrix m = fromElements(c.start);
    EXPECT_THROW(c.call(m), RuntimeError) << c.name;
    EXPECT_EQ(bits(elements(m)), bits(c.start)) << c.name;
  }

  CMatrix m = fromElements(huge);
  Vector p{1, 1, 1};
  EXPECT_THROW(m.MulPoint3(p, p), RuntimeError);
  EXPECT_THROW(m.DotV3(p, p), RuntimeError);
  EXPECT_EQ(p, (Vector{1, 1, 1}));

  float x = 1e-45f;
  float y = 0;
  float z = 0;
  EXPECT_THROW(m.SetRotation(30, x, y, z), RuntimeError);
  EXPECT_EQ(x, 1e-45f);
  EXPECT_EQ(bits(elements(m)), bits(huge));
}

} // namespace
} // namespace tarvek
