#include "scene/cmatrix_gl.h"

#include "model/cmatrix.h"
#include "scene/gl_api.h"

namespace tarvek {

void Apply(const CMatrix& matrix, GlApi& gl)
{
  CMatrix::Matrix m;
  matrix.GetMatrix(m);
  gl.multMatrixf(m.data());
}

void ApplyRotation(const CMatrix& matrix, GlApi& gl)
{
  CMatrix::Matrix m;
  matrix.GetMatrix(m);
  m[12] = m[13] = m[14] = 0.0f;
  gl.multMatrixf(m.data());
}

void ApplyTranslation(const CMatrix& matrix, GlApi& gl)
{
  CMatrix::Matrix m;
  matrix.GetMatrix(m);
  const CMatrix::Matrix translation{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, m[12], m[13], m[14], 1};
  gl.multMatrixf(translation.data());
}

void ApplyNegTranslation(const CMatrix& matrix, GlApi& gl)
{
  CMatrix::Matrix m;
  matrix.GetMatrix(m);
  gl.translatef(-m[12], -m[13], -m[14]);
}

} // namespace tarvek
