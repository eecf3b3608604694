// Finding bytes in text eight at a time, for the readers of long files.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarvek {

namespace byte_scan {

static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7Fu;
constexpr std::uint64_t kHighs = 0x8080808080808080u;

inline std::uint64_t word(const char* bytes)
{
  std::uint64_t w;
  std::memcpy(&w, bytes, sizeof w);
  return w;
}

inline std::uint64_t spread(char c)
{
  return kOnes * static_cast<unsigned char>(c);
}

// The high bit of each byte of w equal to c. Bits above the lowest may be
// false alarms (a borrow), the lowest never is.
inline std::uint64_t firstEqualBytes(std::uint64_t w, char c)
{
  const std::uint64_t x = w ^ spread(c);
  return (x - kOnes) & ~x & kHighs;
}

// Bit i set when byte i of w differs from c; exact for every byte, as the
// per-byte sum never carries into the next byte.
inline std::uint64_t otherByteBits(std::uint64_t w, char c)
{
  const std::uint64_t x = w ^ spread(c);
  const std::uint64_t highs = (((x & kLows) + kLows) | x) & kHighs;
  // The multiplication gathers the eight high bits into the top byte.
  return ((highs >> 7) * 0x0102040810204080u) >> 56;
}

} // namespace byte_scan

// The index of the first byte in [from, to) equal to a or b; to when none.
inline std::size_t findEither(const char* bytes, std::size_t from, std::size_t to, char a, char b)
{
  using namespace byte_scan;
  for (; from + 8 <= to; from += 8) {
    const std::uint64_t w = word(bytes + from);
    const std::uint64_t hits = firstEqualBytes(w, a) | firstEqualBytes(w, b);
    if (hits != 0)
      return from + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
  }
  while (from < to && bytes[from] != a && bytes[from] != b)
    ++from;
  return from;
}

// Bit i set when byte i of the first count (at most 64) bytes differs from c;
// the bits from count on are clear.
inline std::uint64_t otherBits(const char* bytes, std::size_t count, char c)
{
  using namespace byte_scan;
  std::uint64_t bits = 0;
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8)
    bits |= otherByteBits(word(bytes + i), c) << i;
  if (i < count) {
    char tail[8];
    std::memset(tail, c, sizeof tail);
    std::memcpy(tail, bytes + i, count - i);
    bits |= otherByteBits(word(tail), c) << i;
  }
  return bits;
}

} // namespace tarvek
