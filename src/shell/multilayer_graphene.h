// Stacks of graphene layers: one layer, the stack, and the file of stacks too large to show.
#pragma once

#include "model/model.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tarvek {

class AbortToken;

// The six values of a stack, in the order the dialog hands them over.
struct GrapheneLayers {
  // Å.
  float width = 15.0f;
  float height = 15.0f;
  // Rounded half to even where used.
  float layers = 2.0f;
  // Å between neighbouring layers.
  float distance = 3.395f;
  // 1: odd layers move by one bond length along y (AB stacking).
  float graphiteShift = 0.0f;
  // Degrees; odd layers turn by this about z. 0: no turn.
  float rotation = 0.0f;
};

// Estimated atoms per layer: width × height / 2.56 (2.56 Å² per atom). Only
// sizes and asks; the real count comes from the layer's filter.
double estimatedLayerAtoms(const GrapheneLayers& layers);

// The most atoms a layer may be estimated to hold.
constexpr double kMaxLayerAtoms = 20000000.0;

// Refuses what cannot be built, throwing RuntimeError with the sentence for
// the user: fewer than one layer (after rounding), a layer count beyond the
// 16-bit range, a value that is not finite, a layer estimated above
// kMaxLayerAtoms. Returns the rounded layer count.
std::int16_t checkGrapheneLayers(const GrapheneLayers& layers);

// An atom at (x, y) of the unrotated, uncentred layer belongs to it:
// -0.01 < x <= width and -0.01 < y <= height.
bool insideLayer(double x, double y, const GrapheneLayers& layers);

// Builds one layer with bond length a (Å) into `layer`: the four-atom cell
// of the graphene sheet (all carbon, type 3) tiled in columns i, rows j,
// cell atoms k in that nesting order, kept by insideLayer and centred on the
// origin. The set's arrays end exactly as long as its count, which is the
// number of atoms per layer. Inputs are those checkGrapheneLayers passes.
std::int32_t buildGrapheneLayer(AtomSetRef layer, const GrapheneLayers& layers, float a);

// Atom p of `layer` as it lies in layer L of the stack: odd layers turned by
// the rotation when it is not 0, else shifted by a along y when the
// graphite shift is on; every layer lifted by L × distance.
struct StackedAtom {
  float x, y, z;
};
StackedAtom stackedAtom(float x, float y, float z, std::int32_t L, const GrapheneLayers& layers,
                        float a);

// The layer copied into `stack` once per layer, layer 0 unchanged, then by
// stackedAtom. The stack's arrays end exactly as long as its count.
void stackGrapheneLayers(AtomSetRef layer, AtomSetRef stack, const GrapheneLayers& layers,
                         float a);

// Writes the stack straight to a text file, layer by layer: a count line
// (the count's print form padded with blanks to ten characters), then per
// atom "C" and x, y, z formatted "0.0000" in 14-column print zones; CR LF
// line ends, or LF with lfLineEnds (the "LINUX / UNIX line breaks" option);
// a is the bond length (Å). The folder is made when missing. Escape (polled
// per layer) discards the file and gives nothing; otherwise the number of
// atom lines. Throws RuntimeError for what checkGrapheneLayers refuses, a
// bond length that is not positive, and (naming the path) a file that
// cannot be written; the old file then stays.
std::optional<std::int64_t> writeMultiLayerGraphene(const GrapheneLayers& layers, float a,
                                                    const std::string& path, AbortToken& abort,
                                                    bool lfLineEnds);

} // namespace tarvek
