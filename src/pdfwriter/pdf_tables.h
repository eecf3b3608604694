#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quillet {

// Byte offset of every object's header by object number; -1 while a number
// is reserved and its object not yet written. Entry 0 belongs to no object.
class ObjectOffsetTable {
public:
  static constexpr std::size_t kInitialCapacity = 2048;
  static constexpr std::int64_t kReserved = -1;

  ObjectOffsetTable() : m_offsets(kInitialCapacity, 0) {}

  // Marks `number` reserved, doubling the table when the number reaches its
  // capacity. Numbers come in increasing order, one at a time.
  void reserve(std::int32_t number);
  void set(std::int32_t number, std::int64_t offset) { m_offsets.at(number) = offset; }
  std::int64_t at(std::int32_t number) const { return m_offsets.at(number); }
  std::size_t capacity() const { return m_offsets.size(); }
  void release() { std::vector<std::int64_t>().swap(m_offsets); }

private:
  std::vector<std::int64_t> m_offsets;
};

// Growable array of 32-bit entries whose capacity goes 0, 1, 2, 4, ...
// A push that cannot allocate returns false and leaves the vector unchanged.
class PointerVector {
public:
  bool push(std::int32_t value);
  void clear();
  std::int32_t operator[](std::size_t i) const { return m_data[i]; }
  std::size_t count() const { return m_count; }
  std::size_t capacity() const { return m_capacity; }

private:
  std::unique_ptr<std::int32_t[]> m_data;
  std::size_t m_count = 0;
  std::size_t m_capacity = 0;
};

// A fixed number of bits, all clear when created (marks the characters a
// font has used).
class BitSet {
public:
  explicit BitSet(std::uint32_t bits) : m_bits(bits), m_bytes((std::size_t(bits) + 7) / 8, 0) {}

  std::uint32_t size() const { return m_bits; }
  // Out-of-range indices are ignored and read as clear.
  void set(std::uint32_t i);
  bool test(std::uint32_t i) const;

private:
  std::uint32_t m_bits;
  std::vector<std::uint8_t> m_bytes;
};

} // namespace quillet
