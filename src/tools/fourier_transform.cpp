// The in-place multi-dimensional complex FFT of the image workspace.
#include "tools/fourier_transform.h"

#include "runtime/runtime_error.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace tarvek {

namespace {

constexpr double kFullTurn = 6.28318530717959;

struct Twiddle {
  float re;
  float im;
};

// Swaps the complex elements at a[2i] and a[2j].
void swapElements(float* a, std::size_t i, std::size_t j)
{
  std::swap(a[2 * i], a[2 * j]);
  std::swap(a[2 * i + 1], a[2 * j + 1]);
}

void checkArguments(std::span<float> data, std::span<const std::int32_t> nn, std::int16_t isign)
{
  if (isign != 1 && isign != -1)
    throw RuntimeError("The transform direction " + std::to_string(isign) + " is neither 1 nor -1.");
  if (nn.empty())
    throw RuntimeError("The transform needs at least one dimension.");
  std::uint64_t total = 1;
  for (const std::int32_t n : nn) {
    if (n < 1 || (n & (n - 1)) != 0)
      throw RuntimeError("The transform length " + std::to_string(n) + " is not a power of two.");
    total *= static_cast<std::uint64_t>(n);
    if (total > (std::uint64_t{1} << 40))
      throw RuntimeError("The transform is too large.");
  }
  if (data.size() != 2 * total + 1)
    throw RuntimeError("The transform buffer holds " + std::to_string(data.size()) +
                       " values instead of " + std::to_string(2 * total + 1) + ".");
}

// Reorders the n elements of every line of one dimension by bit-reversed
// position. a holds complex elements as float pairs; a line starts at element
// o·n·stride + q and steps by stride elements.
void reverseBits(float* a, std::size_t n, std::size_t stride, std::size_t outer)
{
  std::size_t j = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (j > i) {
      for (std::size_t o = 0; o < outer; ++o) {
        const std::size_t line = o * n * stride;
        for (std::size_t q = 0; q < stride; ++q)
          swapElements(a, line + i * stride + q, line + j * stride + q);
      }
    }
    std::size_t bit = n >> 1;
    while (bit >= 1 && (j & bit) != 0) {
      j ^= bit;
      bit >>= 1;
    }
    j |= bit;
  }
}

// The twiddle factors w_m = exp(iθm), m < half, θ = isign·2π / (2·half),
// advanced by w ← w + w·(cos θ − 1 + i sin θ) with cos θ − 1 = −2 sin²(θ/2).
void twiddles(std::vector<Twiddle>& w, std::size_t half, std::int16_t isign)
{
  const double theta = isign * kFullTurn / static_cast<double>(2 * half);
  const double s = std::sin(0.5 * theta);
  const double wpr = -2.0 * s * s;
  const double wpi = std::sin(theta);
  double wr = 1.0;
  double wi = 0.0;
  w.resize(half);
  for (std::size_t m = 0; m < half; ++m) {
    w[m] = {static_cast<float>(wr), static_cast<float>(wi)};
    const double previous = wr;
    wr = wr * wpr - wi * wpi + wr;
    wi = wi * wpr + previous * wpi + wi;
  }
}

// Danielson-Lanczos passes over one dimension, block lengths 2, 4, ..., n.
void butterflies(float* a, std::size_t n, std::size_t stride, std::size_t outer, std::int16_t isign,
                 std::vector<Twiddle>& w)
{
  for (std::size_t half = 1; half < n; half *= 2) {
    twiddles(w, half, isign);
    for (std::size_t o = 0; o < outer; ++o) {
      float* line = a + 2 * o * n * stride;
      for (std::size_t block = 0; block < n; block += 2 * half) {
        for (std::size_t m = 0; m < half; ++m) {
          const float wr = w[m].re;
          const float wi = w[m].im;
          float* even = line + 2 * (block + m) * stride;
          float* odd = even + 2 * half * stride;
          for (std::size_t q = 0; q < 2 * stride; q += 2) {
            const float tr = wr * odd[q] - wi * odd[q + 1];
            const float ti = wr * odd[q + 1] + wi * odd[q];
            odd[q] = even[q] - tr;
            odd[q + 1] = even[q + 1] - ti;
            even[q] += tr;
            even[q + 1] += ti;
          }
        }
      }
    }
  }
}

} // namespace

void fourn(std::span<float> data, std::span<const std::int32_t> nn, std::int16_t isign)
{
  checkArguments(data, nn, isign);
  float* a = data.data() + 1;
  std::size_t total = (data.size() - 1) / 2;
  std::size_t stride = 1;
  std::vector<Twiddle> w;
  for (std::size_t d = nn.size(); d-- > 0;) {
    const auto n = static_cast<std::size_t>(nn[d]);
    const std::size_t outer = total / (n * stride);
    reverseBits(a, n, stride, outer);
    butterflies(a, n, stride, outer, isign, w);
    stride *= n;
  }
}

} // namespace tarvek
