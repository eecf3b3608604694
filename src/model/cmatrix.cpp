#include "model/cmatrix.h"

#include "model/vector_helpers.h"

#include "runtime/math_util.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace tarvek {
namespace {

using Matrix = CMatrix::Matrix;
using Rows = std::array<std::array<float, 4>, 4>;

// Doubles from here on round to a float value other than infinity: FLT_MAX
// plus half its last place.
constexpr double kFloatLimit = static_cast<double>(FLT_MAX) + 0x1p103;

// The one rounding of a computed element to float. An overflow is an error
// rather than an infinity stored in the view's transform.
float toSingle(double x)
{
  if (std::fabs(x) >= kFloatLimit && std::isfinite(x))
    throw RuntimeError("The result is too large for a 32-bit float.");
  return static_cast<float>(x);
}

// P = B * A in the row and column sense of the storage order, each element
// summed in double and rounded once.
Matrix product(const Matrix& b, const Matrix& a)
{
  Matrix p;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      p[4 * i + j] = toSingle(static_cast<double>(a[4 * i]) * b[j]
                              + static_cast<double>(a[4 * i + 1]) * b[4 + j]
                              + static_cast<double>(a[4 * i + 2]) * b[8 + j]
                              + static_cast<double>(a[4 * i + 3]) * b[12 + j]);
    }
  }
  return p;
}

// Rotation about x (0), y (1) or z (2), angle in radians.
Matrix axisRotation(int axis, float angle)
{
  const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
  const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
  Matrix r{};
  r[15] = 1.0f;
  switch (axis) {
  case 0:
    r[0] = 1.0f;
    r[5] = c;
    r[6] = s;
    r[9] = -s;
    r[10] = c;
    break;
  case 1:
    r[0] = c;
    r[2] = -s;
    r[5] = 1.0f;
    r[8] = s;
    r[10] = c;
    break;
  default:
    r[0] = c;
    r[1] = s;
    r[4] = -s;
    r[5] = c;
    r[10] = 1.0f;
    break;
  }
  return r;
}

void requireArcArgument(float x)
{
  if (!(std::fabs(x) <= 1.0f))
    throw std::domain_error("The argument of an arc function must lie between -1 and 1.");
}

} // namespace

CMatrix::CMatrix()
{
  Identity();
}

std::int32_t CMatrix::ActiveAxis() const
{
  return activeAxis_;
}

void CMatrix::ActiveAxis(std::int32_t value)
{
  activeAxis_ = std::clamp(value, 0, 5);
}

double CMatrix::ArcCos(float x)
{
  requireArcArgument(x);
  if (x == 1.0f)
    return 0.0;
  if (x == -1.0f)
    return std::numbers::pi;
  const double xd = x;
  return std::atan(-xd / std::sqrt(1.0 - xd * xd)) + 2.0 * std::atan(1.0);
}

double CMatrix::Arcsin(float x)
{
  requireArcArgument(x);
  if (x == 1.0f || x == -1.0f)
    return x * (std::numbers::pi / 2.0);
  const double xd = x;
  return std::atan(xd / std::sqrt(1.0 - xd * xd));
}

float CMatrix::DegToRadf(float degrees)
{
  return toSingle(static_cast<double>(degrees) * kPi * 0.005555555555555556);
}

float CMatrix::RadToDegf(float radians)
{
  return toSingle(static_cast<double>(radians) * 180.0 * 0.31830988614222805);
}

void CMatrix::KeyDown(float angle)
{
  const float degrees = toSingle(static_cast<double>(angle) * 5.0);
  const Matrix r = axisRotation(activeAxis_ % 3, DegToRadf(degrees));
  m_ = activeAxis_ < 3 ? product(m_, r) : product(r, m_);
}

void CMatrix::Push()
{
  if (depth_ == kStackSize)
    throw std::out_of_range("The matrix stack is full.");
  stack_[depth_] = m_;
  ++depth_;
}

void CMatrix::Pop()
{
  if (depth_ == 0)
    throw std::out_of_range("The matrix stack is empty.");
  --depth_;
  m_ = stack_[depth_];
}

void CMatrix::GetMatrix(Matrix& out) const
{
  out = m_;
}

void CMatrix::CopyTo(Matrix& out) const
{
  out = m_;
}

void CMatrix::Copy(const Matrix& in)
{
  m_ = in;
}

void CMatrix::Transpose(Matrix& out) const
{
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      out[4 * r + c] = m_[4 * c + r];
}

void CMatrix::Identity()
{
  m_ = {};
  m_[0] = m_[5] = m_[10] = m_[15] = 1.0f;
}

void CMatrix::SetTranslation(float x, float y, float z)
{
  Identity();
  SetTransOnly(x, y, z);
}

void CMatrix::SetTransOnly(float x, float y, float z)
{
  m_[12] = x;
  m_[13] = y;
  m_[14] = z;
}

void CMatrix::SetScale(float x, float y, float z)
{
  Identity();
  SetScaleOnly(x, y, z);
}

void CMatrix::SetScaleOnly(float x, float y, float z)
{
  m_[0] = x;
  m_[5] = y;
  m_[10] = z;
}

void CMatrix::SetRotationX(float angle)
{
  m_ = axisRotation(0, angle);
}

void CMatrix::SetRotationY(float angle)
{
  m_ = axisRotation(1, angle);
}

void CMatrix::SetRotationZ(float angle)
{
  m_ = axisRotation(2, angle);
}

void CMatrix::SetRotation(float angle, float& x, float& y, float& z)
{
  float nx = x;
  float ny = y;
  float nz = z;
  V3Normalize(nx, ny, nz);
  const double a = DegToRadf(angle);
  const double c = static_cast<float>(std::cos(a));
  const double s = static_cast<float>(std::sin(a));
  const double xd = nx;
  const double yd = ny;
  const double zd = nz;

  Matrix r{};
  r[15] = 1.0f;
  r[0] = toSingle((1.0 - xd * xd) * c + xd * xd);
  r[5] = toSingle((1.0 - yd * yd) * c + yd * yd);
  r[10] = toSingle((1.0 - zd * zd) * c + zd * zd);
  r[4] = toSingle(-(xd * yd) * c + xd * yd - zd * s);
  r[1] = toSingle(-(xd * yd) * c + xd * yd + zd * s);
  r[8] = toSingle(-(xd * zd) * c + xd * zd + yd * s);
  r[2] = toSingle(-(xd * zd) * c + xd * zd - yd * s);
  r[9] = toSingle(-(yd * zd) * c + yd * zd - xd * s);
  r[6] = toSingle(-(yd * zd) * c + yd * zd + xd * s);

  m_ = r;
  x = nx;
  y = ny;
  z = nz;
}

void CMatrix::DotV3(Vector& result, const Vector& v) const
{
  Vector out;
  for (int i = 0; i < 3; ++i) {
    out[i] = toSingle(static_cast<double>(v[0]) * m_[4 * i] + static_cast<double>(v[1]) * m_[4 * i + 1]
                      + static_cast<double>(v[2]) * m_[4 * i + 2]);
  }
  result = out;
}

void CMatrix::MulPoint3(Vector& result, const Vector& p) const
{
  Vector out;
  for (int i = 0; i < 3; ++i) {
    out[i] = toSingle(static_cast<double>(m_[i]) * p[0] + static_cast<double>(m_[4 + i]) * p[1]
                      + static_cast<double>(m_[8 + i]) * p[2] + m_[12 + i]);
  }
  result = out;
}

bool CMatrix::Invert()
{
  // Working on the groups of four (the rows of the transpose) gives the
  // inverse in m's own storage order, since inverse and transpose commute.
  Rows a;
  Rows b{};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j)
      a[i][j] = m_[4 * i + j];
    b[i][i] = 1.0f;
  }

  for (int c = 0; c < 4; ++c) {
    // Each candidate is measured against the diagonal, not the best so far:
    // the last row that beats the diagonal wins.
    int pivot = c;
    for (int r = c + 1; r < 4; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[c][c]))
        pivot = r;
    if (pivot != c) {
      std::swap(a[pivot], a[c]);
      std::swap(b[pivot], b[c]);
    }
    if (a[c][c] == 0.0f)
      return false;

    const double t = a[c][c];
    for (int k = 0; k < 4; ++k) {
      a[c][k] = toSingle(a[c][k] / t);
      b[c][k] = toSingle(b[c][k] / t);
    }
    for (int r = 0; r < 4; ++r) {
      if (r == c)
        continue;
      const double f = a[r][c];
      for (int k = 0; k < 4; ++k) {
        a[r][k] = toSingle(a[r][k] - f * a[c][k]);
        b[r][k] = toSingle(b[r][k] - f * b[c][k]);
      }
    }
  }

  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      m_[4 * i + j] = b[i][j];
  return true;
}

} // namespace tarvek
