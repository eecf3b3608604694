#include "pdfwriter/standard_security.h"

#include <algorithm>

namespace quillet {

const std::array<std::uint8_t, 32> kPasswordPadding = {
  0x28, 0xBF, 0x4E, 0x5E, 0x4E, 0x75, 0x8A, 0x41, 0x64, 0x00, 0x4E, 0x56, 0xFF, 0xFA, 0x01, 0x08,
  0x2E, 0x2E, 0x00, 0xB6, 0xD0, 0x68, 0x3E, 0x80, 0x2F, 0x0C, 0xA9, 0xFE, 0x64, 0x53, 0x69, 0x7A,
};

std::int32_t permissionValue(std::int32_t permission)
{
  const std::uint32_t bits = (static_cast<std::uint32_t>(permission) & ~0x3u) | 0xFFFFF0C0u;
  return static_cast<std::int32_t>(bits);
}

std::array<std::uint8_t, 32> padPassword(std::string_view password)
{
  std::array<std::uint8_t, 32> padded{};
  const std::size_t used = std::min<std::size_t>(password.size(), padded.size());
  std::copy_n(password.begin(), used, padded.begin());
  std::copy_n(kPasswordPadding.begin(), padded.size() - used, padded.begin() + used);
  return padded;
}

} // namespace quillet
