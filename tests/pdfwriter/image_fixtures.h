#pragma once

// Image files written by the test with the same libraries the loader reads
// them with, so each fixture's pixels are known exactly.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct jpeg_compress_struct;

namespace quillet::test {

using Bytes = std::vector<std::uint8_t>;

// samples: width x height x components bytes, top row first. colourSpace is
// a libjpeg J_COLOR_SPACE value (JCS_RGB = 2, JCS_GRAYSCALE = 1, JCS_CMYK = 4).
// `adjust`, when given, changes the compressor's settings after the defaults
// (progressive scans, arithmetic coding, restarts, sampling).
void writeJpegFile(const std::filesystem::path& path, int width, int height, int components,
                   int colourSpace, const Bytes& samples, int quality,
                   const std::function<void(jpeg_compress_struct&)>& adjust = {});

// The file decoded by libjpeg with its default settings into 24-bit RGB and
// compressed again at `quality` (defaults, no optimised coding, one row at a
// time), all in the calling thread: what placing the picture must write.
// Empty when libjpeg fails on either side.
Bytes recompressJpeg(const std::filesystem::path& path, int quality);

struct PngFixture {
  int width = 0, height = 0;
  int colourType = 2; // PNG_COLOR_TYPE_*
  int depth = 8;
  bool interlaced = false;
  // One sample value per pixel and channel (16-bit values for depth 16),
  // before packing.
  std::vector<std::uint16_t> samples;
  Bytes palette;      // RGB triples for palette images
  Bytes transparency; // tRNS alphas for palette images
};
void writePngFile(const std::filesystem::path& path, const PngFixture& fixture);

// Hostile PNG files made from a small sound one, png: the same file with
// its header claiming width x height (checksum made right) ...
std::string pngClaiming(const std::string& png, std::uint32_t width, std::uint32_t height);
// ... with `count` zTXt chunks after the header, each unpacking to
// textBytes bytes ...
std::string pngWithTextChunks(const std::string& png, int count, std::size_t textBytes);
// ... and ending, after its header, in a tEXt chunk whose length field
// claims `claimed` bytes of which the file holds a few.
std::string pngCutInChunk(const std::string& png, std::uint32_t claimed);

struct GifFixture {
  int screenWidth = 0, screenHeight = 0;
  int background = 0;
  Bytes globalMap; // RGB triples, 2^n entries, or empty
  int left = 0, top = 0, width = 0, height = 0;
  bool interlaced = false;
  Bytes localMap;
  Bytes indices; // width x height, top row first
};
// Written by giflib and then patched where giflib would refuse (a
// background past the map, a rectangle past the screen).
void writeGifFile(const std::filesystem::path& path, const GifFixture& fixture);

struct TiffFixture {
  int width = 0, height = 0;
  int bitsPerSample = 8, samplesPerPixel = 3;
  int photometric = 2;
  int compression = 1;
  int orientation = 0; // 0: not written
  int planar = 1;
  int rowsPerStrip = 0;                 // 0: whole image
  int extraSamples = -1;                // -1: not written
  std::vector<std::uint16_t> colourMap; // red, green, blue arrays in a row
  Bytes rows;                           // packed as stored, top row of the file first (contiguous)
};
void writeTiffFile(const std::filesystem::path& path, const TiffFixture& fixture);

} // namespace quillet::test
