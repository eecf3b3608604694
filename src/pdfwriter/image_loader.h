#pragma once

// Internal to the PDF writer: image files turned into 24-bit RGB for
// ImageOut. The reader is chosen by the file name's extension: JPEG, PNG,
// GIF and TIFF through their libraries, BMP, TGA, CEL, SGI (RGB), PSD and
// IFF through the readers of image_readers.h.

#include "pdfwriter/jpeg_memory.h"
#include "pdfwriter/picture_budget.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace quillet {

class JpegRows;

enum ImageError : int {
  kImageOk = 0,
  kImageLibraryFailed = 1,
  kImageBadBits = 2,
  kImageNoMemory = 3,
  kImageZeroSize = 4,
  kImageCannotOpen = 7,
  kImageUnsupported = 8,
  kImageNoRaster = 9,
  kImageUnknownExtension = 10,
  kImageReadError = 11,
  kImageNotTiff = 12,
  kImageCorrupt = 16,
  kImageOverBudget = 17,
};

// Width x height pixels, 3 bytes each (red, green, blue), top row first, no
// padding.
struct LoadedImage {
  virtual ~LoadedImage() = default;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bitsPerPixel = 24;
  std::vector<std::uint8_t> pixels;
};

// The working raster the readers fill: 1, 4 or 8 bits index a palette of
// 2^bits entries (red, green, blue, and a fourth byte when rows are padded);
// 16 bits are 5-5-5 little-endian words; 24 and 32 bits are bytes in red,
// green, blue(, extra) order, or blue first when swapRedBlue is set.
struct RasterRecord {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint8_t bits = 0;
  std::vector<std::uint8_t> pixels;
  std::uint16_t paletteCount = 0;
  std::uint8_t paletteEntrySize = 0;
  std::vector<std::uint8_t> palette;
  std::int32_t stride = 0;
  std::int32_t padded = 0;
  std::int16_t transparentIndex = -1;
  std::int32_t swapRedBlue = 0;
};

// Pictures beyond the picture budget (picture_budget.h) are refused as soon
// as their header is read, with kImageOverBudget. The memory a reader may
// hold besides is bounded by the largest picture at 32 bits plus its 24-bit
// copy. The readers also refuse, as a short file, a size the file's bytes
// cannot hold even at their format's best compression, and grow rows only as
// data arrives.
constexpr std::uint64_t kMaxRasterBytes = std::uint64_t(kLargestPicturePixels) * 8;

// The image at path, or null when nothing could be read; the reason is left
// as the calling thread's last image error. The extension is the text after
// the last "." of the file name, cut to three characters, case-blind.
std::unique_ptr<LoadedImage> loadImageFile(const std::string& path);

// The picture at path as rows for the compressor: a JPEG file is decoded
// on a worker thread while its rows are taken, any other kind is loaded
// whole by loadImageFile first.
class ImageRows final : public JpegRowSource {
public:
  // Returns once the size is known or reading has failed.
  explicit ImageRows(const std::string& path);
  ~ImageRows();
  ImageRows(const ImageRows&) = delete;
  ImageRows& operator=(const ImageRows&) = delete;

  // 0 when reading failed before the size was known.
  std::int32_t width() const;
  std::int32_t height() const;

  // Row y, width * 3 bytes, once it is read; null when reading failed
  // first. The last row comes only once the whole picture has been read
  // without fault.
  const unsigned char* row(int y) override;

  // Waits until reading has ended: kImageOk, or the code of the failure,
  // also left as the calling thread's last image error as by loadImageFile.
  int finish();

private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, FileCloser> m_file;
  std::unique_ptr<JpegRows> m_jpeg;
  std::unique_ptr<LoadedImage> m_whole;
  int m_code = kImageOk;
};

// "The image file <path> cannot be placed: <reason>" for a load that ended
// with `code`, each code with its own reason; a file that cannot be opened
// gets the system's reason `openError` (as lastImageOpenError gives it), or
// a plain one for 0. A picture over the budget gets the budget's sentence,
// and a TIFF file that libtiff refuses "cannot be read as TIFF: " and
// libtiff's reason, both as the calling thread's last image error noted
// them.
std::string describeImageError(const std::string& path, int code, int openError);

// The calling thread's last image error; every load starts it at 0.
int lastImageError();
void setImageError(int code);
// With kImageCannotOpen as the last image error, the system's error number
// of the open that failed (0 when none is known); otherwise 0.
int lastImageOpenError();
// Leaves kImageCannotOpen as the last image error with the system's
// `openError`, and returns kImageCannotOpen.
int noteCannotOpen(int openError);
// kImageOk for a width x height picture within the budget; otherwise leaves
// kImageOverBudget as the last image error with the claimed size, and
// returns it.
int checkPictureBudget(std::uint64_t width, std::uint64_t height);
// Leaves kImageOverBudget with the claimed size, and returns it.
int noteOverBudget(std::uint64_t width, std::uint64_t height);
// Leaves kImageNotTiff as the last image error with libtiff's reason.
int noteNotTiff(const std::string& reason);

// The open file's size in bytes; 0 when the system cannot tell.
std::uint64_t fileSize(std::FILE* file);

void initRaster(RasterRecord& raster);
// Allocates zeroed pixels (and a zeroed palette of 2^bits entries for 8 bits
// or fewer) for the width, height and bits already set. Also the last error.
int allocRaster(RasterRecord& raster);
// Releases the buffers and empties every field.
void freeRaster(RasterRecord& raster);
// 1-, 4- and 8-bit indices through the palette to 24 bits; rows of 1 and 4
// bits are unpacked most significant bits first.
int expandToRGB(RasterRecord& raster);
int convert16To24(RasterRecord& raster);
// Keeps the first three bytes of every four.
int convert32To24(RasterRecord& raster);
// Any raster to 24-bit red, green, blue, packed rows.
int normaliseRaster(RasterRecord& raster);

// Each fills the raster and returns 0, or an error code with the raster
// emptied. Every PNG and every JPEG arrives as 24 bits.
int readJPEG(const std::string& path, RasterRecord* raster);
int readPNG(const std::string& path, RasterRecord* raster);
int readGIF(const std::string& path, RasterRecord* raster);
int readTIFF(const std::string& path, RasterRecord* raster);

} // namespace quillet
