#pragma once

#include <array>
#include <cstdint>

namespace tarvek {

// The model rotation of the 3-D view: a 4 x 4 single-precision transform with
// a save stack of ten matrices and a step-rotation mode.
//
// m is kept in GL order (column-major): row r, column c is m[4c + r], the
// translation is m[12..14]. Every computed element is evaluated in double and
// rounded to float once, when stored; sines and cosines are rounded to float
// before use. An element that does not fit in a float throws
// RuntimeError, and the failing call changes nothing.
//
// The view multiplies m into its GL matrix through the free functions of the
// scene (this class knows no GL); the POV-Ray writer reads it with GetMatrix.
class CMatrix {
public:
  using Matrix = std::array<float, 16>;
  using Vector = std::array<float, 3>;

  static constexpr int kStackSize = 10;

  CMatrix();

  // Rotation mode of KeyDown: 0, 1, 2 turn about the object's own x, y, z
  // (m := m * R); 3, 4, 5 about the viewer's fixed x, y, z (m := R * m).
  std::int32_t ActiveAxis() const;
  // Stores the value clamped to 0..5.
  void ActiveAxis(std::int32_t value);

  // Arc cosine and arc sine in radians of |x| <= 1, exact at the ends
  // (ArcCos(-1) is π, Arcsin(1) is π/2). Beyond ±1 or NaN: std::domain_error.
  static double ArcCos(float x);
  static double Arcsin(float x);
  // Degrees to radians and back with the decimal π 3.141592654.
  static float DegToRadf(float degrees);
  static float RadToDegf(float radians);

  // Turns m by angle * 5 degrees about the axis that ActiveAxis names: one
  // unit of angle is a 5-degree step.
  void KeyDown(float angle);

  // Saves m on the stack; std::out_of_range when ten are saved already.
  void Push();
  // Restores the last saved matrix; std::out_of_range when none is saved.
  void Pop();

  void GetMatrix(Matrix& out) const;
  void CopyTo(Matrix& out) const;
  void Copy(const Matrix& in);
  // Writes the transpose of m into out; m is unchanged.
  void Transpose(Matrix& out) const;

  void Identity();
  // Identity with the translation (x, y, z).
  void SetTranslation(float x, float y, float z);
  // Replaces the translation only.
  void SetTransOnly(float x, float y, float z);
  // Identity with the diagonal scale (x, y, z).
  void SetScale(float x, float y, float z);
  // Replaces the diagonal m[0], m[5], m[10] only.
  void SetScaleOnly(float x, float y, float z);

  // m := the rotation about one axis, angle in radians, counter-clockwise
  // seen from the positive end of the axis; the translation becomes 0.
  void SetRotationX(float angle);
  void SetRotationY(float angle);
  void SetRotationZ(float angle);
  // m := the rotation by angle DEGREES about (x, y, z). The caller's axis is
  // normalised in place first; a zero axis stays zero and leaves cos(angle)
  // on the first three diagonal elements.
  void SetRotation(float angle, float& x, float& y, float& z);

  // result := transpose of the rotation part times v (v dotted with the
  // first three columns); result and v may be the same array.
  void DotV3(Vector& result, const Vector& v) const;
  // result := m applied to the point p: rotation times p plus translation;
  // result and p may be the same array.
  void MulPoint3(Vector& result, const Vector& p) const;

  // m := its inverse. A singular matrix leaves m unchanged and gives false.
  bool Invert();

private:
  Matrix m_{};
  std::array<Matrix, kStackSize> stack_{};
  std::int32_t depth_ = 0;
  std::int32_t activeAxis_ = 0;
};

} // namespace tarvek
