// The one table of limits every picture read by the program is held to.
#pragma once

#include <cstdint>
#include <string>

namespace tarvek {

// Largest width or height of a picture, in pixels.
inline constexpr int kLargestPictureSide = 32767;
// Largest picture, in pixels (32 megapixels).
inline constexpr long long kLargestPicturePixels = 32'000'000;
// What the text chunks of one PNG file (tEXt, zTXt, iTXt and iCCP) may hold
// together, unpacked; real files hold a few kilobytes of notes or a colour
// profile.
inline constexpr std::uint64_t kMostPictureTextBytes = std::uint64_t{8} << 20;

// The sentence that refuses a width x height picture in the file called name
// (no folder), or "" when it is within the limits. The side is checked first;
// a side below 1 is left to the reader to refuse.
std::string pictureBudgetRefusal(const std::string& name, long long width, long long height);

// The file name of path without its folder, as pictureBudgetRefusal names it.
std::string pictureFileName(const std::string& path);

} // namespace tarvek
