#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace quillet {

// 8-bit rows, `components` bytes per pixel (1 gray, 3 RGB), top row first.
struct JpegSource {
  const unsigned char* pixels = nullptr;
  int width = 0;
  int height = 0;
  int components = 0;
  int quality = 75;
};

struct FreeDeleter {
  void operator()(unsigned char* p) const { std::free(p); }
};

struct JpegData {
  std::unique_ptr<unsigned char, FreeDeleter> bytes;
  std::size_t size = 0;
};

// Compresses the whole image into memory. On any libjpeg error (a size it
// refuses, no memory) the result is empty and nothing is printed.
JpegData compressJpeg(const JpegSource& source);

} // namespace quillet
