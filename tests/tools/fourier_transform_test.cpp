// Tests of the in-place multi-dimensional FFT against a plain DFT and FFTW.
#include "runtime/random_source.h"
#include "runtime/runtime_error.h"
#include "tools/fourier_transform.h"

#include <fftw3.h>
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <vector>

namespace tarvek {
namespace {

std::size_t product(const std::vector<std::int32_t>& nn)
{
  std::size_t total = 1;
  for (const std::int32_t n : nn)
    total *= static_cast<std::size_t>(n);
  return total;
}

// The buffer layout of fourn: data[0] unused, then re, im pairs.
std::vector<float> seededBuffer(std::size_t total, std::uint32_t seed)
{
  RandomSource random(seed);
  std::vector<float> data(2 * total + 1, 0.0f);
  for (std::size_t i = 1; i < data.size(); ++i)
    data[i] = static_cast<float>(std::nearbyint(random.uniform() * 510.0 - 255.0));
  return data;
}

// X(k) = Σ x(n) exp(isign·2πi Σ k_d n_d / N_d), in double, element by element.
std::vector<std::complex<double>> naiveTransform(const std::vector<float>& data,
                                                 const std::vector<std::int32_t>& nn, int isign)
{
  const std::size_t total = product(nn);
  const std::size_t dims = nn.size();
  auto indices = [&](std::size_t k) {
    std::vector<std::size_t> idx(dims);
    for (std::size_t d = dims; d-- > 0;) {
      idx[d] = k % static_cast<std::size_t>(nn[d]);
      k /= static_cast<std::size_t>(nn[d]);
    }
    return idx;
  };
  std::vector<std::complex<double>> out(total);
  for (std::size_t k = 0; k < total; ++k) {
    const auto ki = indices(k);
    std::complex<double> sum = 0.0;
    for (std::size_t n = 0; n < total; ++n) {
      const auto ni = indices(n);
      double phase = 0.0;
      for (std::size_t d = 0; d < dims; ++d)
        phase += static_cast<double>((ki[d] * ni[d]) % static_cast<std::size_t>(nn[d])) / nn[d];
      sum += std::complex<double>(data[2 * n + 1], data[2 * n + 2]) *
             std::polar(1.0, isign * 2.0 * std::numbers::pi * phase);
    }
    out[k] = sum;
  }
  return out;
}

double absoluteSum(const std::vector<float>& data)
{
  double sum = 0.0;
  for (std::size_t i = 1; i < data.size(); ++i)
    sum += std::fabs(data[i]);
  return sum;
}

// Every shape of one to three dimensions, both directions, matches the plain
// DFT to float accuracy.
TEST(FournTest, matchesPlainTransformInOneToThreeDimensions)
{
  const std::vector<std::vector<std::int32_t>> shapes = {
    {1}, {2}, {4}, {8}, {16}, {1024}, {4, 4}, {8, 8}, {16, 16}, {8, 4}, {4, 8}, {2, 4, 8}};
  std::uint32_t seed = 11;
  for (const auto& nn : shapes) {
    for (const int isign : {1, -1}) {
      std::vector<float> data = seededBuffer(product(nn), seed++);
      const auto expected = naiveTransform(data, nn, isign);
      const double tolerance = 1e-5 * absoluteSum(data);
      fourn(data, nn, static_cast<std::int16_t>(isign));
      for (std::size_t k = 0; k < expected.size(); ++k) {
        ASSERT_NEAR(data[2 * k + 1], expected[k].real(), tolerance)
          << "shape of " << nn.size() << " dims, first " << nn[0] << ", isign " << isign << ", k " << k;
        ASSERT_NEAR(data[2 * k + 2], expected[k].imag(), tolerance)
          << "shape of " << nn.size() << " dims, first " << nn[0] << ", isign " << isign << ", k " << k;
      }
    }
  }
}

// On a 512 × 512 picture the result matches FFTW's; FFTW's backward
// direction has the kernel exp(+2πi…) of isign +1.
TEST(FournTest, matchesFftwOnAPicture)
{
  constexpr int n = 512;
  constexpr std::size_t total = static_cast<std::size_t>(n) * n;
  RandomSource random(7);
  std::vector<float> picture(2 * total + 1, 0.0f);
  for (std::size_t k = 0; k < total; ++k)
    picture[2 * k + 1] = static_cast<float>(std::floor(random.uniform() * 256.0));
  const double tolerance = 1e-6 * absoluteSum(picture);

  for (const int isign : {1, -1}) {
    std::vector<float> data = picture;
    auto* in = fftwf_alloc_complex(total);
    auto* out = fftwf_alloc_complex(total);
    for (std::size_t k = 0; k < total; ++k) {
      in[k][0] = data[2 * k + 1];
      in[k][1] = data[2 * k + 2];
    }
    fftwf_plan plan = fftwf_plan_dft_2d(n, n, in, out, isign == 1 ? FFTW_BACKWARD : FFTW_FORWARD,
                                        FFTW_ESTIMATE);
    fftwf_execute(plan);
    const std::int32_t nn[2] = {n, n};
    fourn(data, nn, static_cast<std::int16_t>(isign));
    double worst = 0.0;
    for (std::size_t k = 0; k < total; ++k) {
      worst = std::max(worst, static_cast<double>(std::fabs(data[2 * k + 1] - out[k][0])));
      worst = std::max(worst, static_cast<double>(std::fabs(data[2 * k + 2] - out[k][1])));
    }
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);
    EXPECT_LE(worst, tolerance) << "isign " << isign;
  }
}

// Bad lengths, a short buffer or a bad direction are refused before the
// buffer is touched.
TEST(FournTest, refusesBadArgumentsLeavingTheBufferAlone)
{
  struct Case {
    const char* what;
    std::vector<std::int32_t> nn;
    std::size_t size;
    std::int16_t isign;
  };
  const std::vector<Case> cases = {
    {"length 6", {6}, 13, 1},
    {"length 0", {0}, 1, 1},
    {"no dimension", {}, 1, 1},
    {"buffer one float short", {4, 4}, 32, 1},
    {"isign 2", {8}, 17, 2},
    {"isign 0", {8}, 17, 0},
  };
  for (const Case& c : cases) {
    std::vector<float> data = seededBuffer(c.size / 2, 3);
    data.resize(c.size);
    const std::vector<float> before = data;
    EXPECT_THROW(fourn(data, c.nn, c.isign), RuntimeError) << c.what;
    EXPECT_EQ(data, before) << c.what;
  }
}

} // namespace
} // namespace tarvek
