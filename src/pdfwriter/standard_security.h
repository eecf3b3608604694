#pragma once

// Internal to the PDF writer: the parts of the standard security handler
// (revision 3) that need no digest: the permission value and password padding.

#include <array>
#include <cstdint>
#include <string_view>

namespace quillet {

// The 32 bytes the PDF standard appends to every password.
extern const std::array<std::uint8_t, 32> kPasswordPadding;

// The /P value for a client's permission word: bits 1 and 2 cleared, the
// reserved bits 7, 8 and 13 to 32 set (0 gives -3904, -1 gives -4).
std::int32_t permissionValue(std::int32_t permission);

// A password cut to 32 bytes and filled up with the start of the padding.
std::array<std::uint8_t, 32> padPassword(std::string_view password);

} // namespace quillet
