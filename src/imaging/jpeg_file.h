// Writing a cDIBSection as a JPEG file, and reading JPEG files back.
#pragma once

#include "runtime/runtime_error.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvek {

class cDIBSection;

// A JPEG save that failed. what() is the description ("Speichern
// fehlgeschlagen", or "JPEG-Library kann nicht initialisiert werden: " and the
// library's code), detail() the path and the reason.
class JpegError : public RuntimeError {
public:
  static constexpr std::int32_t kCode = -2147221503; // 0x80040001

  JpegError(const std::string& description, std::string detail)
      : RuntimeError(description), m_detail(std::move(detail))
  {
  }

  std::int32_t code() const { return kCode; }
  const std::string& detail() const { return m_detail; }

private:
  std::string m_detail;
};

// Saves the DIB as an upright baseline JPEG at quality 1..100 (outside values
// are clamped), whole or not at all: compressed in memory, then saved
// atomically. Returns true; throws JpegError when the DIB holds no image, the
// compressor fails or the file cannot be saved, and then leaves no file and
// an older file of that name untouched.
bool saveJPG(const cDIBSection& dib, const std::string& fileName, std::int32_t quality);

// A decoded picture: RGB bytes, rows top first, no padding; or why not.
struct JpegPicture {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> rgb;
  std::string error;

  bool ok() const { return error.empty(); }
};

// Decodes a JPEG file. A damaged, truncated or foreign file, and a picture
// whose decoding would hold more than the decoder's memory allows, give a
// message naming the path; a picture outside the picture budget gives the
// budget's sentence. The claimed raster is never allocated for a refused
// size.
JpegPicture readJpegFile(const std::string& path);

// As readJpegFile, decoded at the smallest of 1/8, 1/4 or 1/2 of the
// picture's size that is still at least leastWidth x leastHeight (the full
// size when none is), which costs a fraction of a full decode. The result
// holds the size decoded.
JpegPicture readJpegFileReduced(const std::string& path, std::int32_t leastWidth,
                                std::int32_t leastHeight);

struct PixelSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// The picture size from the file's header alone; nothing when the file is no
// readable JPEG.
std::optional<PixelSize> jpegPixelSize(const std::string& path);

} // namespace tarvek
