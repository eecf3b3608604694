// Reading picture files: the size limits, the decode, and the digitiser's red levels over white.
#pragma once

#include "imaging/hough.h"
#include "imaging/jpeg_file.h"

#include <QImage>
#include <QSize>

#include <string>

namespace tarvek {

// A picture read for the atom search: the image as decoded and the red
// levels of it laid over white (transparent parts read white). When it
// cannot be used, error holds the sentence naming the file and all else is
// empty.
struct DigitiserImage {
  QImage image;
  RedLevels red;
  std::string error;

  bool ok() const { return error.empty(); }
};

// Decodes the picture at path, its format told by its content (GIF, JPEG,
// BMP and whatever else Qt reads). A picture outside the picture budget is
// refused from the size its header reports, before anything is decoded, and
// again after decoding for formats whose header tells nothing; so is a file
// that does not decode, a truncated or
// damaged JPEG and an uncompressed bitmap that ends before its last row
// (which Qt alone would show with grey or blank parts).
DigitiserImage readDigitiserImage(const std::string& path);

// A picture decoded by the program's JPEG reader as an RGB888 image.
QImage jpegImage(const JpegPicture& picture);

// The picture budget's sentence refusing a picture of that size read from
// path, or "" when the budget lets it through (or the size is unknown).
std::string pictureSizeRefusal(const std::string& path, const QSize& size);

// True for an uncompressed bitmap whose file ends before the rows its header
// promises: Qt's decoder would leave the missing rows blank.
bool bitmapCutShort(const std::string& path);

// The red channel of image composed over white, top row first.
RedLevels redLevelsOverWhite(const QImage& image);

} // namespace tarvek
