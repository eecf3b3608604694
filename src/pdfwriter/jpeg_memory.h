#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace quillet {

// Rows handed to the compressor as it needs them, top row first, each asked
// for once: rows still being decoded can be compressed as they arrive.
class JpegRowSource {
public:
  // Row y, `width * components` bytes; null when it cannot be had, which
  // ends compression as a failure.
  virtual const unsigned char* row(int y) = 0;

protected:
  ~JpegRowSource() = default;
};

// 8-bit rows, `components` bytes per pixel (1 gray, 3 RGB), top row first:
// from `rows` when set, else from `pixels`.
struct JpegSource {
  const unsigned char* pixels = nullptr;
  int width = 0;
  int height = 0;
  int components = 0;
  int quality = 75;
  JpegRowSource* rows = nullptr;
};

struct FreeDeleter {
  void operator()(unsigned char* p) const { std::free(p); }
};

struct JpegData {
  std::unique_ptr<unsigned char, FreeDeleter> bytes;
  std::size_t size = 0;
};

// Compresses the whole image into memory. On any libjpeg error (a size it
// refuses, no memory) or a row the source cannot give, the result is empty
// and nothing is printed.
JpegData compressJpeg(const JpegSource& source);

} // namespace quillet
