// The one table of limits every picture read by the program is held to.
#include "runtime/picture_budget.h"

#include <filesystem>

namespace tarvek {

std::string pictureBudgetRefusal(const std::string& name, long long width, long long height)
{
  if (width < 1 || height < 1)
    return {};
  if (width > kLargestPictureSide || height > kLargestPictureSide)
    return name + " is " + std::to_string(width) + " \u00D7 " + std::to_string(height) +
           " pixels; pictures up to " + std::to_string(kLargestPictureSide) +
           " pixels on a side can be read.";
  const long long pixels = width * height;
  if (pixels <= kLargestPicturePixels)
    return {};
  constexpr long long kMillion = 1'000'000;
  const long long limit = kLargestPicturePixels / kMillion;
  const long long whole = (pixels + kMillion / 2) / kMillion;
  std::string megapixels = std::to_string(whole);
  // Rounded to the limit itself the refusal would read as if within it: one
  // decimal, rounded up, shows it is over.
  if (whole == limit) {
    const long long tenths = (pixels + kMillion / 10 - 1) / (kMillion / 10);
    megapixels = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
  }
  return name + " is " + megapixels + " megapixels; pictures up to " + std::to_string(limit) +
         " megapixels can be read.";
}

std::string pictureFileName(const std::string& path)
{
  return std::filesystem::path(path).filename().string();
}

} // namespace tarvek
