// The typical distance from an atom to its nearest neighbour.
#include "model/neighbour_distance.h"

#include "model/cell_grid.h"
#include "runtime/big_buffer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace tarvek {

namespace {

constexpr double kFarthest = 999.0;
// The reach the search starts from: a little above a carbon bond.
constexpr double kFirstReach = 1.5;
// Pairs looked at per place, and in all at the least, before the places
// count as a crowd.
constexpr std::int64_t kMostPairsPerPlace = 1024;
constexpr std::int64_t kFewestPairs = 1 << 16;

// The finite points gathered into cells kRepeatDistance wide, each place
// the first point of its cell, weighing as the points in the cell.
struct Places {
  BigVector<float> x, y, z;
  BigVector<std::int64_t> weight;
};

Places gather(std::span<const float> x, std::span<const float> y, std::span<const float> z)
{
  const std::size_t points = x.size();
  std::size_t slots = 16;
  while (slots < 2 * points)
    slots *= 2;
  // Each slot holds the index of a place, plus one; 0 is empty.
  BigVector<std::uint32_t> table(slots, 0);
  Places places;
  const double scale = 1.0 / static_cast<double>(kRepeatDistance);
  // A place's cell comes again from its point, which lies in it.
  const auto cellOf = [scale](float px, float py, float pz) {
    // Adding 0 makes -0 and 0 one cell.
    return std::array<double, 3>{std::floor(px * scale) + 0.0, std::floor(py * scale) + 0.0,
                                 std::floor(pz * scale) + 0.0};
  };
  for (std::size_t i = 0; i < points; ++i) {
    if (!std::isfinite(x[i]) || !std::isfinite(y[i]) || !std::isfinite(z[i]))
      continue;
    const std::array<double, 3> cell = cellOf(x[i], y[i], z[i]);
    std::uint64_t h = std::bit_cast<std::uint64_t>(cell[0]);
    h = (h ^ (h >> 29)) * 0xBF58476D1CE4E5B9u ^ std::bit_cast<std::uint64_t>(cell[1]);
    h = (h ^ (h >> 31)) * 0x94D049BB133111EBu ^ std::bit_cast<std::uint64_t>(cell[2]);
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9u;
    h ^= h >> 31;
    for (std::size_t slot = h & (slots - 1);; slot = (slot + 1) & (slots - 1)) {
      const std::uint32_t held = table[slot];
      if (held == 0) {
        table[slot] = static_cast<std::uint32_t>(places.x.size()) + 1;
        places.x.push_back(x[i]);
        places.y.push_back(y[i]);
        places.z.push_back(z[i]);
        places.weight.push_back(1);
        break;
      }
      if (cellOf(places.x[held - 1], places.y[held - 1], places.z[held - 1]) == cell) {
        ++places.weight[held - 1];
        break;
      }
    }
  }
  return places;
}

struct Crowded {};

// The lower weighted median of the nearest distances, or infinity when it
// lies beyond every distance found.
double weightedMedian(const BigVector<double>& nearest, const BigVector<std::int64_t>& weight,
                      std::int64_t total)
{
  const std::int64_t middle = (total + 1) / 2;
  if (total == static_cast<std::int64_t>(nearest.size())) {
    // Every place one point: a selection, no sort.
    BigVector<double> order(nearest);
    std::nth_element(order.begin(), order.begin() + (middle - 1), order.end());
    return order[static_cast<std::size_t>(middle - 1)];
  }
  BigVector<std::pair<double, std::int64_t>> order(nearest.size());
  for (std::size_t p = 0; p < nearest.size(); ++p)
    order[p] = {nearest[p], weight[p]};
  std::sort(order.begin(), order.end());
  std::int64_t seen = 0;
  for (const auto& [distance, w] : order) {
    seen += w;
    if (seen >= middle)
      return distance;
  }
  return std::numeric_limits<double>::infinity();
}

} // namespace

std::optional<float> typicalNeighbourDistance(std::span<const float> x, std::span<const float> y,
                                              std::span<const float> z)
{
  assert(x.size() == y.size() && x.size() == z.size());
  const Places places = gather(x, y, z);
  const std::size_t count = places.x.size();
  if (count < 2)
    return std::nullopt;
  std::int64_t total = 0;
  for (const std::int64_t w : places.weight)
    total += w;
  const SearchSet set{places.x.data(), places.y.data(), places.z.data(), nullptr, 0,
                      static_cast<std::int32_t>(count)};
  const std::int64_t mostPairs =
      std::max(kFewestPairs, kMostPairsPerPlace * static_cast<std::int64_t>(count));
  CellGrid grid;
  BigVector<double> nearest(count);
  double shortest = std::numeric_limits<double>::infinity();
  // The reach doubles until the median place finds its neighbour within it:
  // distances up to the reach are exact, those beyond it lie above them.
  for (double reach = kFirstReach;; reach = std::min(2.0 * reach, kFarthest)) {
    std::fill(nearest.begin(), nearest.end(), std::numeric_limits<double>::infinity());
    grid.build(set, reach);
    std::int64_t pairs = 0;
    try {
      grid.forEachPair([&](const CellGrid::Member& a, const CellGrid::Member& b) {
        if (++pairs > mostPairs)
          throw Crowded{};
        const double d = pairDistance(a.x, a.y, a.z, b.x, b.y, b.z);
        if (d <= kRepeatDistance)
          return;
        shortest = std::min(shortest, d);
        double& nearA = nearest[static_cast<std::size_t>(a.id)];
        double& nearB = nearest[static_cast<std::size_t>(b.id)];
        nearA = std::min(nearA, d);
        nearB = std::min(nearB, d);
      });
    } catch (const Crowded&) {
      if (shortest < kFarthest)
        return static_cast<float>(shortest);
      return std::nullopt;
    }
    for (double& d : nearest)
      if (d > reach)
        d = std::numeric_limits<double>::infinity();
    const double median = weightedMedian(nearest, places.weight, total);
    if (median <= reach)
      return static_cast<float>(median);
    if (reach >= kFarthest) {
      // Fewer than half the places have a neighbour in reach: the median of
      // those that do.
      BigVector<double> found;
      BigVector<std::int64_t> weights;
      std::int64_t foundTotal = 0;
      for (std::size_t p = 0; p < count; ++p)
        if (nearest[p] <= reach) {
          found.push_back(nearest[p]);
          weights.push_back(places.weight[p]);
          foundTotal += places.weight[p];
        }
      if (found.empty())
        return std::nullopt;
      return static_cast<float>(weightedMedian(found, weights, foundTotal));
    }
  }
}

} // namespace tarvek
