#pragma once

namespace tarvek {

class CMatrix;
class GlApi;

// The view matrix into the current GL matrix. None of them changes the
// matrix or its save stack; each needs the context current.

// Multiplies by m.
void Apply(const CMatrix& matrix, GlApi& gl);
// Multiplies by m without its translation.
void ApplyRotation(const CMatrix& matrix, GlApi& gl);
// Multiplies by the translation of m alone; works on a copy, so it needs no
// free stack slot.
void ApplyTranslation(const CMatrix& matrix, GlApi& gl);
// Translates by minus the translation of m.
void ApplyNegTranslation(const CMatrix& matrix, GlApi& gl);

} // namespace tarvek
