#include "support/cage_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <sstream>

namespace tarvek::test {

bool CageReport::closed() const
{
  std::int32_t other = 0;
  for (std::size_t k = 0; k < faceSizes.size(); ++k)
    if (k != 5 && k != 6)
      other += faceSizes[k];
  return atoms > 0 && wrongDegree.empty() && 2 * bonds == 3 * atoms && other == 0
         && pentagons() == 12 && atoms - bonds + faces == 2;
}

std::string CageReport::summary() const
{
  std::ostringstream out;
  out << atoms << " atoms, " << bonds << " bonds, " << wrongDegree.size()
      << " atoms without three bonds, " << faces << " faces (";
  for (std::size_t k = 0; k < faceSizes.size(); ++k)
    if (faceSizes[k] > 0)
      out << " " << faceSizes[k] << "x" << k;
  out << " ), V - E + F = " << atoms - bonds + faces;
  return out.str();
}

CageReport checkCage(std::span<const float> x, std::span<const float> y,
                     std::span<const float> z, std::int32_t count, double a, double zLow,
                     double zHigh)
{
  CageReport report;
  report.atoms = count;
  const auto n = static_cast<std::size_t>(count);
  const double lo = 0.7 * a;
  const double hi = 1.3 * a;

  // Pairs by a sweep along z.
  std::vector<std::int32_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::int32_t p, std::int32_t q) { return z[p] < z[q]; });
  std::vector<std::vector<std::int32_t>> near(n);
  for (std::size_t s = 0; s < n; ++s)
    for (std::size_t t = s + 1; t < n; ++t) {
      const std::int32_t i = order[s];
      const std::int32_t j = order[t];
      const double dz = static_cast<double>(z[j]) - z[i];
      if (dz > hi)
        break;
      const double dx = static_cast<double>(x[j]) - x[i];
      const double dy = static_cast<double>(y[j]) - y[i];
      const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
      if (d >= lo && d <= hi) {
        near[i].push_back(j);
        near[j].push_back(i);
        ++report.bonds;
      }
    }
  for (std::size_t i = 0; i < n; ++i)
    if (near[i].size() != 3)
      report.wrongDegree.push_back(static_cast<std::int32_t>(i));
  if (!report.wrongDegree.empty())
    return report;

  // Each atom's neighbours counter-clockwise about its outward normal.
  for (std::size_t i = 0; i < n; ++i) {
    const std::array<double, 3> p = {x[i], y[i], z[i]};
    const std::array<double, 3> normal = {p[0], p[1], p[2] - std::clamp(p[2], zLow, zHigh)};
    // A frame (e1, e2) of the tangent plane.
    const std::array<double, 3> helper =
        std::fabs(normal[2]) < 0.9 * std::hypot(normal[0], normal[1], normal[2])
            ? std::array<double, 3>{0, 0, 1}
            : std::array<double, 3>{1, 0, 0};
    const auto cross = [](const std::array<double, 3>& u, const std::array<double, 3>& v) {
      return std::array<double, 3>{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                                   u[0] * v[1] - u[1] * v[0]};
    };
    const auto e1 = cross(helper, normal);
    const auto e2 = cross(normal, e1);
    const auto angle = [&](std::int32_t j) {
      const std::array<double, 3> d = {x[j] - p[0], y[j] - p[1], z[j] - p[2]};
      return std::atan2(d[0] * e2[0] + d[1] * e2[1] + d[2] * e2[2],
                        d[0] * e1[0] + d[1] * e1[1] + d[2] * e1[2]);
    };
    std::sort(near[i].begin(), near[i].end(),
              [&](std::int32_t u, std::int32_t v) { return angle(u) < angle(v); });
  }

  // Walk every directed edge once: after u -> v the face goes on to the
  // neighbour of v that follows u.
  std::vector<std::array<bool, 3>> used(n, {false, false, false});
  for (std::size_t start = 0; start < n; ++start)
    for (std::size_t k = 0; k < 3; ++k) {
      if (used[start][k])
        continue;
      std::int32_t u = static_cast<std::int32_t>(start);
      std::size_t slot = k;
      std::int32_t size = 0;
      while (!used[u][slot]) {
        used[u][slot] = true;
        ++size;
        const std::int32_t v = near[u][slot];
        const auto back = static_cast<std::size_t>(
            std::find(near[v].begin(), near[v].end(), u) - near[v].begin());
        u = v;
        slot = (back + 2) % 3;
      }
      ++report.faceSizes[static_cast<std::size_t>(std::min(size, 12))];
      ++report.faces;
    }
  return report;
}

} // namespace tarvek::test
