#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace tarvek::test {

using BondPairs = std::vector<std::pair<std::int32_t, std::int32_t>>;

// The plain pair loop the grid search must reproduce: every pair i < j of
// rows first .. count - 1 (rows i < rowEnd only), i ascending then j; with a
// type array both atoms need type >= 1; bounds inclusive; distance in float.
struct PairLoop {
  const float* x;
  const float* y;
  const float* z;
  const std::int16_t* type = nullptr;
  std::int32_t first = 0;
  std::int32_t count = 0;

  static float distance(float xi, float yi, float zi, float xj, float yj, float zj)
  {
    const float dx = static_cast<float>(static_cast<double>(xj) - xi);
    const float dy = static_cast<float>(static_cast<double>(yj) - yi);
    const float dz = static_cast<float>(static_cast<double>(zj) - zi);
    return static_cast<float>(std::sqrt(static_cast<double>(dx) * dx
                                        + static_cast<double>(dy) * dy
                                        + static_cast<double>(dz) * dz));
  }

  BondPairs bonds(float lower, float upper,
                  std::int32_t rowEnd = std::numeric_limits<std::int32_t>::max()) const
  {
    BondPairs out;
    for (std::int32_t i = first; i < count - 1 && i < rowEnd; ++i)
      for (std::int32_t j = i + 1; j < count; ++j) {
        if (type != nullptr && (type[i] < 1 || type[j] < 1))
          continue;
        const float d = distance(x[i], y[i], z[i], x[j], y[j], z[j]);
        if (lower <= d && d <= upper)
          out.emplace_back(i, j);
      }
    return out;
  }

  // The closest-pair search: 999 when no pair is closer.
  float closest() const
  {
    float dmin = 999.0f;
    for (std::int32_t i = first; i < count - 1; ++i)
      for (std::int32_t j = i + 1; j < count; ++j) {
        const float d = distance(x[i], y[i], z[i], x[j], y[j], z[j]);
        if (d < dmin)
          dmin = d;
      }
    return dmin;
  }

  // The simple search: window 0.5–1.15 × a, else once more around the
  // closest pair.
  BondPairs findBonds(float a) const
  {
    BondPairs out = bonds(static_cast<float>(0.5 * a), static_cast<float>(1.15 * a));
    if (out.empty()) {
      const float dmin = closest();
      if (dmin < 999.0f)
        out = bonds(static_cast<float>(0.95 * dmin), static_cast<float>(1.1 * dmin));
    }
    return out;
  }
};

} // namespace tarvek::test
