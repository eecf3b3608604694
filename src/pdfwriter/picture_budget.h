// The PDF writer's copy of the program's picture limits: the library stands
// alone, so it keeps the same table and sentences under its own namespace.
#pragma once

#include <cstdint>
#include <string>

namespace quillet {

// Largest width or height of a picture, in pixels.
inline constexpr int kLargestPictureSide = 32767;
// Largest picture, in pixels (32 megapixels).
inline constexpr long long kLargestPicturePixels = 32'000'000;
// What the text chunks of one PNG file (tEXt, zTXt, iTXt and iCCP) may hold
// together; the loader skips them, so they cost nothing at all.
inline constexpr std::uint64_t kMostPictureTextBytes = std::uint64_t{8} << 20;

// The sentence that refuses a width x height picture called name (no
// folder), or "" when it is within the limits. The side is checked first; a
// side below 1 is left to the reader to refuse.
std::string pictureBudgetRefusal(const std::string& name, long long width, long long height);

// The file name of path without its folder, as pictureBudgetRefusal names it.
std::string pictureFileName(const std::string& path);

} // namespace quillet
