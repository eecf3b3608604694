#pragma once

// Internal to the PDF writer: bounds-checked big-endian reads over font
// bytes, shared by the TrueType reader and the subset writer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quillet {

constexpr std::uint32_t makeTag(const char (&text)[5])
{
  return (std::uint32_t(std::uint8_t(text[0])) << 24) | (std::uint32_t(std::uint8_t(text[1])) << 16)
         | (std::uint32_t(std::uint8_t(text[2])) << 8) | std::uint32_t(std::uint8_t(text[3]));
}

// Big-endian reads from a byte range. A field that does not lie wholly
// inside the range reads as 0, so short and truncated tables need no
// special paths.
class ByteView {
public:
  ByteView() = default;
  explicit ByteView(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

  std::size_t size() const { return m_bytes.size(); }
  bool empty() const { return m_bytes.empty(); }
  std::span<const std::uint8_t> bytes() const { return m_bytes; }

  bool holds(std::size_t offset, std::size_t count) const
  {
    return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
  }

  // The part from `offset` for `count` bytes; empty when it runs outside.
  ByteView sub(std::size_t offset, std::size_t count) const
  {
    return holds(offset, count) ? ByteView(m_bytes.subspan(offset, count)) : ByteView();
  }

  // The first `count` bytes, or all when there are fewer.
  ByteView prefix(std::size_t count) const
  {
    return ByteView(m_bytes.first(std::min(count, m_bytes.size())));
  }

  std::uint8_t u8(std::size_t offset) const { return holds(offset, 1) ? m_bytes[offset] : 0; }

  std::uint16_t u16(std::size_t offset) const
  {
    if (!holds(offset, 2))
      return 0;
    return static_cast<std::uint16_t>((m_bytes[offset] << 8) | m_bytes[offset + 1]);
  }

  std::int16_t s16(std::size_t offset) const { return static_cast<std::int16_t>(u16(offset)); }

  std::uint32_t u32(std::size_t offset) const
  {
    if (!holds(offset, 4))
      return 0;
    return (std::uint32_t(m_bytes[offset]) << 24) | (std::uint32_t(m_bytes[offset + 1]) << 16)
           | (std::uint32_t(m_bytes[offset + 2]) << 8) | std::uint32_t(m_bytes[offset + 3]);
  }

  std::int64_t s64(std::size_t offset) const
  {
    if (!holds(offset, 8))
      return 0;
    return static_cast<std::int64_t>((std::uint64_t(u32(offset)) << 32) | u32(offset + 4));
  }

private:
  std::span<const std::uint8_t> m_bytes;
};

} // namespace quillet
