#pragma once

// Internal to the PDF writer: the readers of BMP, Targa, CEL, SGI, Photoshop
// and IFF files, written without a library, that fill the loader's raster.

#include "pdfwriter/image_loader.h"

#include <string>

namespace quillet {

// Each opens path with stdio ("rb"), fills the raster and returns 0, or
// returns an image error code (also left as the last error) with the raster
// emptied: 7 the file cannot be opened, 11 it is short, 16 its data is
// corrupt, 8 a variant that is not read, 4 a zero size, 3 a picture above
// the loader's raster cap (refused before anything is allocated), 9 no
// raster.

// BMP: 1, 4, 8 or 24 bits, uncompressed, RLE8 or RLE4; top-down or
// bottom-up. Fills a 24-bit raster in red, green, blue order.
int readBMP(const std::string& path, RasterRecord* raster);
// Targa: colour-mapped, true-colour and gray, raw or run-length coded, at
// 8, 15, 16, 24 or 32 bits; any of the four orientations.
int readTGA(const std::string& path, RasterRecord* raster);
// The simple 8-bit cel and the flic-style cel (its first frame).
int readCEL(const std::string& path, RasterRecord* raster);
// SGI image: 1, 3 or 4 channels of one byte, verbatim or run-length coded.
int readSGI(const std::string& path, RasterRecord* raster);
// Photoshop: 8 bits per channel, RGB (with or without alpha), grayscale,
// indexed or duotone, raw or PackBits.
int readPSD(const std::string& path, RasterRecord* raster);
// IFF ILBM: 8 bit planes (and a mask plane), ByteRun1 compressed.
int readIFF(const std::string& path, RasterRecord* raster);

} // namespace quillet
