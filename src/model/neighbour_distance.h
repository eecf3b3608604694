// The typical distance from an atom to its nearest neighbour.
#pragma once

#include <optional>
#include <span>

namespace tarvek {

// Atoms closer together than this (Å) count as one atom repeated: no
// structure has bonds that short, and a heap of such near-repeats must not
// set a bond length or make a search look at the square of its size.
inline constexpr float kRepeatDistance = 1e-4f;

// The median over the points (x[i], y[i], z[i]) of each one's distance to
// its nearest neighbour (Å, rounded to float as the bond searches measure
// it), neighbours within kRepeatDistance left out: the bond length of a
// structure whose closest pair may be a gap between walls. Points are first
// gathered into places of kRepeatDistance cells, each weighing as the points
// it holds; non-finite points take no part. Nothing when no point has a
// neighbour beyond kRepeatDistance and closer than 999 Å. A crowd of places
// that would make the search look at more than about a thousand pairs a
// place ends it with the shortest distance seen so far beyond
// kRepeatDistance, so the bond search then meets the crowd as too dense.
std::optional<float> typicalNeighbourDistance(std::span<const float> x, std::span<const float> y,
                                              std::span<const float> z);

} // namespace tarvek
