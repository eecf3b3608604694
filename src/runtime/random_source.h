#pragma once

#include <cstdint>
#include <random>

namespace tarvek {

// The program's one source of random numbers. The application owns one,
// seeded with kDefaultSeed, and hands it to every user of chance (display
// colours, tool filters, markers), so a run repeats; tests pass their own seed.
class RandomSource {
public:
  static constexpr std::uint32_t kDefaultSeed = 5489u;

  explicit RandomSource(std::uint32_t seed = kDefaultSeed) : m_engine(seed) {}

  // Uniform in [0, 1) with 53 random bits. Built from the engine's raw words
  // rather than a standard distribution, whose results differ between
  // library implementations.
  double uniform();

private:
  std::mt19937 m_engine;
};

} // namespace tarvek
