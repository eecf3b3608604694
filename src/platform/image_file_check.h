#pragma once

// Checks on a picture file from outside before any decoder sees it.

#include <cstdint>
#include <string>

namespace tarvek {

// Text that a compressed chunk of a PNG file may unpack to; real files hold
// a few kilobytes of notes or a colour profile.
inline constexpr std::uint64_t kMostPngTextBytes = std::uint64_t{8} << 20;

// Why the file must not reach a decoder, or "" when nothing is wrong or the
// file is no PNG. A PNG is refused when a chunk claims more bytes than the
// file holds (a decoder would allocate the claim before reading), or when a
// compressed text or profile chunk (zTXt, iTXt, iCCP) unpacks to more than
// kMostPngTextBytes. The file is read in small pieces, never whole.
std::string imageFileProblem(const std::string& path);

} // namespace tarvek
