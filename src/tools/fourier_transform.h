// The in-place multi-dimensional complex FFT of the image workspace.
#pragma once

#include <cstdint>
#include <span>

namespace tarvek {

// Transforms data in place: X(k) = Σ x(n) exp(isign · 2πi Σ_d k_d n_d / nn_d),
// without normalisation. data[0] is not used; data[1..2·∏nn] hold the
// elements as interleaved real and imaginary parts, the last dimension
// varying fastest (element (i, j) of an N × N grid is k = N·i + j, its real
// part at data[2k + 1]). Every length must be a power of two (1 allowed),
// data.size() must be 2·∏nn + 1 and isign +1 or -1; otherwise RuntimeError
// is thrown before data is touched. Butterflies run in float, the twiddle
// factors are advanced in double.
void fourn(std::span<float> data, std::span<const std::int32_t> nn, std::int16_t isign);

} // namespace tarvek
