#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillet {

// MD5 message digest (RFC 1321). Feed bytes with update() in any number of
// pieces, then take the 16-byte digest once with finish().
class Md5 {
public:
  using Digest = std::array<std::uint8_t, 16>;

  Md5();
  void update(const void* bytes, std::size_t count);
  void update(std::string_view text) { update(text.data(), text.size()); }
  Digest finish();

private:
  void transform(const std::uint8_t block[64]);

  std::uint32_t m_state[4];
  std::uint64_t m_length = 0;
  std::uint8_t m_block[64];
  std::size_t m_used = 0;
};

} // namespace quillet
