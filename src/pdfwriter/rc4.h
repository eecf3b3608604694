#pragma once

// Internal to the PDF writer: the RC4 stream cipher of the standard security
// handler.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quillet {

// RC4 key stream. setKey starts a fresh stream; process continues it, so
// one keyed object can be encrypted in pieces. Encrypting and decrypting are
// the same operation.
class Rc4 {
public:
  // Keys of 1 to 256 bytes; bytes beyond 256 are ignored, and an empty key
  // leaves the state unscrambled rather than dividing by zero.
  void setKey(std::span<const std::uint8_t> key);

  // Writes in.size() bytes to out (which may be in.data()).
  void process(std::span<const std::uint8_t> in, std::uint8_t* out);

private:
  std::array<std::uint8_t, 256> m_state{};
  std::uint8_t m_i = 0;
  std::uint8_t m_j = 0;
};

} // namespace quillet
