#include "pdfwriter/image_loader.h"

#include "pdfwriter/image_readers.h"
#include "pdfwriter/jpeg_reader.h"

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <sys/stat.h>

#include <gif_lib.h>
#include <png.h>
#include <tiffio.h>

namespace quillet {

namespace {

thread_local int t_lastError = 0;
thread_local int t_openError = 0;
thread_local std::uint64_t t_claimedWidth = 0;
thread_local std::uint64_t t_claimedHeight = 0;
thread_local std::string t_tiffReason;

int fail(RasterRecord& raster, int code)
{
  freeRaster(raster);
  setImageError(code);
  return code;
}

// Makes room for rows [0, rows) of a raster whose first row allocRaster
// made: the buffer grows with the rows actually decoded, never at once to
// the size the header claims.
int growRows(RasterRecord& raster, std::uint64_t rows, std::uint64_t totalRows)
{
  const std::size_t stride = std::size_t(raster.stride);
  const std::size_t need = std::size_t(rows) * stride;
  if (need <= raster.pixels.size())
    return kImageOk;
  try {
    if (need > raster.pixels.capacity())
      raster.pixels.reserve(
          std::min(std::size_t(totalRows) * stride, std::max(need, raster.pixels.capacity() * 2)));
    raster.pixels.resize(need);
  } catch (const std::bad_alloc&) {
    return kImageNoMemory;
  }
  return kImageOk;
}

// allocRaster for the first row only; growRows adds the others.
int allocFirstRow(RasterRecord& raster, std::int32_t height)
{
  raster.height = 1;
  const int code = allocRaster(raster);
  raster.height = height;
  return code;
}

std::string extensionOf(const std::string& path)
{
  std::size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos)
    return {};
  std::string ext = name.substr(dot + 1, 3);
  for (char& c : ext)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return ext;
}

// The JPEG reader's rows, copied into the raster once all are decoded.
int decodeJpeg(std::FILE* file, RasterRecord* raster)
{
  JpegRows rows(file);
  if (const int code = rows.finish(); code != kImageOk)
    return code;
  const std::size_t stride = std::size_t(rows.width()) * 3;
  try {
    raster->pixels.resize(stride * std::size_t(rows.height()));
  } catch (const std::bad_alloc&) {
    return kImageNoMemory;
  }
  for (std::int32_t y = 0; y < rows.height(); ++y)
    std::memcpy(raster->pixels.data() + std::size_t(y) * stride, rows.row(y), stride);
  raster->width = rows.width();
  raster->height = rows.height();
  raster->bits = 24;
  raster->stride = rows.width() * 3;
  return kImageOk;
}

constexpr png_uint_32 kPngMaxChunks = 1000;
constexpr png_alloc_size_t kPngMaxChunkBytes = 8 << 20;
constexpr std::uint64_t kDeflateMaxRatio = 1032;

// The largest block libpng may take: rows of the widest image allowed and
// ancillary chunks of reasonable size. A text chunk claiming a gigabyte is
// read into a buffer of its claimed length, which no other limit checks.
constexpr png_alloc_size_t kPngMaxBlock = 16 << 20;

png_voidp pngMalloc(png_structp, png_alloc_size_t size)
{
  return size <= kPngMaxBlock ? std::malloc(size) : nullptr;
}

void pngFree(png_structp, png_voidp block)
{
  std::free(block);
}

void pngError(png_structp png, png_const_charp)
{
  png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

// Walks the chunk headers before libpng reads any: a chunk whose data runs
// past the end of the file is refused as a short file before anything is
// allocated for it. The file is left at its start.
int checkPngChunks(std::FILE* file)
{
  const std::uint64_t size = fileSize(file);
  std::uint64_t at = 8;
  unsigned char header[8];
  int code = kImageOk;
  while (at + 8 <= size) {
    if (std::fseek(file, static_cast<long>(at), SEEK_SET) != 0 ||
        std::fread(header, 1, 8, file) != 8) {
      code = kImageReadError;
      break;
    }
    const std::uint64_t length = std::uint64_t(header[0]) << 24 | std::uint64_t(header[1]) << 16 |
                                 std::uint64_t(header[2]) << 8 | header[3];
    // Data and checksum.
    if (length + 4 > size - at - 8) {
      code = kImageReadError;
      break;
    }
    if (std::memcmp(header + 4, "IEND", 4) == 0)
      break;
    at += 12 + length;
  }
  std::rewind(file);
  return code;
}

// No C++ object lives across the jump: only the caller's raster, which is
// written into, never constructed here.
int decodePng(std::FILE* file, RasterRecord* raster)
{
  if (const int code = checkPngChunks(file); code != kImageOk)
    return code;
  png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning,
                                             nullptr, pngMalloc, pngFree);
  if (!png)
    return kImageNoMemory;
  png_infop info = png_create_info_struct(png);
  png_bytep* volatile rows = nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return kImageNoMemory;
  }
  if (setjmp(png_jmpbuf(png))) {
    std::free(rows);
    png_destroy_read_struct(&png, &info, nullptr);
    return kImageLibraryFailed;
  }
  png_init_io(png, file);
  // Every size reaches the budget check below, which names it.
  png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  // Ancillary chunks are read whole before any image check; these bound
  // them, and the text chunks, which need not be kept, are not read at all.
  png_set_chunk_cache_max(png, kPngMaxChunks);
  png_set_chunk_malloc_max(png, kPngMaxChunkBytes);
  static constexpr png_byte kSkipped[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT";
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kSkipped, 5);
  png_read_info(png, info);
  png_uint_32 width = png_get_image_width(png, info);
  png_uint_32 height = png_get_image_height(png, info);
  int colourType = png_get_color_type(png, info);
  int depth = png_get_bit_depth(png, info);
  if (const int code = checkPictureBudget(width, height); code != kImageOk) {
    png_destroy_read_struct(&png, &info, nullptr);
    return code;
  }
  // Each row of filtered data is at least one byte more than its pixels, and
  // deflate shrinks by at most 1032 to 1.
  const std::uint64_t rawBytes = std::uint64_t(height) * (png_get_rowbytes(png, info) + 1);
  if (rawBytes > fileSize(file) * kDeflateMaxRatio + kDeflateMaxRatio) {
    png_destroy_read_struct(&png, &info, nullptr);
    return kImageReadError;
  }
  if (colourType == PNG_COLOR_TYPE_PALETTE)
    png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  png_set_strip_16(png);
  png_set_strip_alpha(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 3) {
    png_destroy_read_struct(&png, &info, nullptr);
    return kImageUnsupported;
  }
  raster->width = static_cast<std::int32_t>(width);
  raster->height = static_cast<std::int32_t>(height);
  raster->bits = 24;
  int code = allocRaster(*raster);
  if (code == kImageOk)
    rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (code == kImageOk && !rows)
    code = kImageNoMemory;
  if (code != kImageOk) {
    png_destroy_read_struct(&png, &info, nullptr);
    return code;
  }
  for (png_uint_32 y = 0; y < height; ++y)
    rows[y] = raster->pixels.data() + static_cast<std::size_t>(y) * raster->stride;
  png_read_image(png, rows);
  png_read_end(png, nullptr);
  std::free(rows);
  png_destroy_read_struct(&png, &info, nullptr);
  return kImageOk;
}

// How many pixel bytes one stored byte can stand for at most, or 0 when the
// compression has no useful bound (fax codes).
std::uint64_t bestTiffRatio(std::uint16_t compression)
{
  switch (compression) {
  case COMPRESSION_NONE:
    return 1;
  case COMPRESSION_PACKBITS:
    return 64;
  case COMPRESSION_LZW:
    return 4096 * 8 / 9 + 1;
  case COMPRESSION_ADOBE_DEFLATE:
  case COMPRESSION_DEFLATE:
    return kDeflateMaxRatio;
  default:
    return 0;
  }
}

std::uint64_t fileBytes(const std::string& path)
{
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? std::uint64_t(info.st_size) : 0;
}

int tiffSilent(TIFF*, void*, const char*, const char*, va_list)
{
  return 1;
}

// Keeps libtiff's first error, the one nearest the fault.
int tiffKeepError(TIFF*, void* reason, const char*, const char* format, va_list args)
{
  auto& text = *static_cast<std::string*>(reason);
  if (text.empty()) {
    char buffer[512];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    text = buffer;
  }
  return 1;
}

} // namespace

std::uint64_t fileSize(std::FILE* file)
{
  struct stat info {};
  return ::fstat(::fileno(file), &info) == 0 ? std::uint64_t(info.st_size) : 0;
}

std::string describeImageError(const std::string& path, int code, int openError)
{
  std::string reason;
  switch (code) {
  case kImageCannotOpen: {
    char buffer[256];
    reason = openError ? ::strerror_r(openError, buffer, sizeof buffer) : "it cannot be opened";
    break;
  }
  case kImageNotTiff:
    return "The image file " + path + " cannot be read as TIFF: " +
           (t_lastError == kImageNotTiff && !t_tiffReason.empty() ? t_tiffReason
                                                                 : "libtiff gave no reason");
  case kImageOverBudget:
    reason = t_lastError == kImageOverBudget
                 ? pictureBudgetRefusal(pictureFileName(path), static_cast<long long>(t_claimedWidth),
                                        static_cast<long long>(t_claimedHeight))
                 : "it is larger than the pictures that can be read";
    break;
  case kImageUnknownExtension:
    reason = "its name does not end in an image kind the library reads (JPG, PNG, GIF, TIF, "
             "BMP, TGA, CEL, RGB, PSD, IFF)";
    break;
  case kImageUnsupported:
    reason = "this variant of its format is not supported (such as CMYK JPEG, 16-bit "
             "samples or JPEG inside TIFF)";
    break;
  case kImageBadBits:
    reason = "its bits per pixel are not 1, 4, 8, 16, 24 or 32";
    break;
  case kImageNoMemory:
    reason = "memory ran out while reading it";
    break;
  case kImageZeroSize:
    reason = "its width or height is 0";
    break;
  case kImageReadError:
    reason = "the file ends before its image data, or could not be read";
    break;
  case kImageLibraryFailed:
    reason = "its decoder stopped at an error in the file";
    break;
  case kImageNoRaster:
    reason = "the reader was given no raster to fill";
    break;
  case kImageCorrupt:
    reason = "its image data is corrupt";
    break;
  default:
    reason = "the reader failed with code " + std::to_string(code);
  }
  return "The image file " + path + " cannot be placed: " + reason;
}

int lastImageError()
{
  return t_lastError;
}

void setImageError(int code)
{
  // Setting the code already noted keeps its details.
  if (code != t_lastError) {
    t_openError = 0;
    t_claimedWidth = t_claimedHeight = 0;
    t_tiffReason.clear();
  }
  t_lastError = code;
}

int lastImageOpenError()
{
  return t_openError;
}

int noteCannotOpen(int openError)
{
  setImageError(kImageOk);
  setImageError(kImageCannotOpen);
  t_openError = openError;
  return kImageCannotOpen;
}

int checkPictureBudget(std::uint64_t width, std::uint64_t height)
{
  const auto side = static_cast<std::uint64_t>(kLargestPictureSide);
  if (width > side || height > side ||
      width * height > static_cast<std::uint64_t>(kLargestPicturePixels))
    return noteOverBudget(width, height);
  return kImageOk;
}

int noteOverBudget(std::uint64_t width, std::uint64_t height)
{
  setImageError(kImageOk);
  setImageError(kImageOverBudget);
  t_claimedWidth = width;
  t_claimedHeight = height;
  return kImageOverBudget;
}

int noteNotTiff(const std::string& reason)
{
  setImageError(kImageOk);
  setImageError(kImageNotTiff);
  t_tiffReason = reason;
  return kImageNotTiff;
}

void initRaster(RasterRecord& raster)
{
  raster = RasterRecord{};
}

void freeRaster(RasterRecord& raster)
{
  std::vector<std::uint8_t>().swap(raster.pixels);
  std::vector<std::uint8_t>().swap(raster.palette);
  raster.width = raster.height = 0;
  raster.bits = 0;
  raster.paletteCount = 0;
  raster.paletteEntrySize = 0;
  raster.stride = 0;
  raster.padded = 0;
  raster.transparentIndex = -1;
  raster.swapRedBlue = 0;
}

int allocRaster(RasterRecord& raster)
{
  setImageError(kImageOk);
  auto result = [](int code) {
    setImageError(code);
    return code;
  };
  if (raster.width <= 0 || raster.height <= 0)
    return result(kImageZeroSize);
  if (checkPictureBudget(std::uint64_t(raster.width), std::uint64_t(raster.height)) != kImageOk)
    return kImageOverBudget;
  switch (raster.bits) {
  case 1:
  case 4:
  case 8:
  case 16:
  case 24:
  case 32:
    break;
  default:
    return result(kImageBadBits);
  }
  std::uint64_t stride = (std::uint64_t(raster.bits) * std::uint64_t(raster.width) + 7) / 8;
  if (raster.padded)
    stride = (stride + 3) & ~std::uint64_t(3);
  if (stride * std::uint64_t(raster.height) > kMaxRasterBytes)
    return result(kImageNoMemory);
  try {
    raster.palette.clear();
    raster.pixels.clear();
    if (raster.bits <= 8) {
      if (raster.paletteEntrySize != 4)
        raster.paletteEntrySize = raster.padded ? 4 : 3;
      raster.paletteCount = static_cast<std::uint16_t>(1u << raster.bits);
      raster.palette.assign(std::size_t(raster.paletteCount) * raster.paletteEntrySize, 0);
    }
    raster.stride = static_cast<std::int32_t>(stride);
    raster.pixels.assign(stride * std::uint64_t(raster.height), 0);
  } catch (const std::bad_alloc&) {
    std::vector<std::uint8_t>().swap(raster.palette);
    std::vector<std::uint8_t>().swap(raster.pixels);
    return result(kImageNoMemory);
  }
  return kImageOk;
}

int expandToRGB(RasterRecord& raster)
{
  if (raster.width <= 0 || raster.height <= 0)
    return kImageZeroSize;
  if (raster.bits != 1 && raster.bits != 4 && raster.bits != 8)
    return kImageBadBits;
  std::size_t outStride = std::size_t(raster.width) * 3;
  if (raster.padded)
    outStride = (outStride + 3) & ~std::size_t(3);
  try {
    std::vector<std::uint8_t> out(outStride * raster.height, 0);
    const std::size_t entry = raster.paletteEntrySize;
    for (std::int32_t y = 0; y < raster.height; ++y) {
      const std::uint8_t* row = raster.pixels.data() + std::size_t(y) * raster.stride;
      std::uint8_t* target = out.data() + std::size_t(y) * outStride;
      for (std::int32_t x = 0; x < raster.width; ++x) {
        unsigned index = 0;
        if (raster.bits == 8)
          index = row[x];
        else if (raster.bits == 4)
          index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
        else
          index = (row[x / 8] >> (7 - x % 8)) & 0x01;
        if (index < raster.paletteCount)
          std::memcpy(target + std::size_t(x) * 3, &raster.palette[index * entry], 3);
      }
    }
    raster.pixels = std::move(out);
  } catch (const std::bad_alloc&) {
    return kImageNoMemory;
  }
  raster.bits = 24;
  raster.stride = static_cast<std::int32_t>(outStride);
  std::vector<std::uint8_t>().swap(raster.palette);
  raster.paletteCount = 0;
  raster.paletteEntrySize = 0;
  return kImageOk;
}

namespace {

template <typename Convert>
int convertTo24(RasterRecord& raster, int bits, int inBytes, Convert convert)
{
  if (raster.bits != bits)
    return kImageBadBits;
  const std::size_t outStride = std::size_t(raster.width) * 3;
  try {
    std::vector<std::uint8_t> out(outStride * raster.height);
    for (std::int32_t y = 0; y < raster.height; ++y) {
      const std::uint8_t* row = raster.pixels.data() + std::size_t(y) * raster.stride;
      std::uint8_t* target = out.data() + std::size_t(y) * outStride;
      for (std::int32_t x = 0; x < raster.width; ++x)
        convert(row + std::size_t(x) * inBytes, target + std::size_t(x) * 3);
    }
    raster.pixels = std::move(out);
  } catch (const std::bad_alloc&) {
    return kImageNoMemory;
  }
  raster.bits = 24;
  raster.stride = static_cast<std::int32_t>(outStride);
  return kImageOk;
}

} // namespace

int convert16To24(RasterRecord& raster)
{
  return convertTo24(raster, 16, 2, [](const std::uint8_t* in, std::uint8_t* out) {
    unsigned v = in[0] | (unsigned(in[1]) << 8);
    out[0] = static_cast<std::uint8_t>((v << 3) & 0xF8);
    out[1] = static_cast<std::uint8_t>((v >> 2) & 0xF8);
    out[2] = static_cast<std::uint8_t>((v >> 7) & 0xF8);
  });
}

int convert32To24(RasterRecord& raster)
{
  return convertTo24(raster, 32, 4,
                     [](const std::uint8_t* in, std::uint8_t* out) { std::memcpy(out, in, 3); });
}

int normaliseRaster(RasterRecord& raster)
{
  int code = kImageOk;
  switch (raster.bits) {
  case 1:
  case 4:
  case 8:
    code = expandToRGB(raster);
    break;
  case 16:
    code = convert16To24(raster);
    break;
  case 32:
    code = convert32To24(raster);
    break;
  case 24:
    break;
  default:
    code = kImageBadBits;
  }
  if (code != kImageOk)
    return code;
  // Packed rows for the caller; a padded raster drops its row ends here.
  const std::size_t packed = std::size_t(raster.width) * 3;
  if (std::size_t(raster.stride) != packed) {
    for (std::int32_t y = 1; y < raster.height; ++y)
      std::memmove(raster.pixels.data() + y * packed,
                   raster.pixels.data() + std::size_t(y) * raster.stride, packed);
    raster.pixels.resize(packed * raster.height);
    raster.stride = static_cast<std::int32_t>(packed);
  }
  if (raster.swapRedBlue) {
    for (std::size_t i = 0; i + 2 < raster.pixels.size(); i += 3)
      std::swap(raster.pixels[i], raster.pixels[i + 2]);
    raster.swapRedBlue = 0;
  }
  return kImageOk;
}

namespace {

int readWith(int (*decode)(std::FILE*, RasterRecord*), const std::string& path,
             RasterRecord* raster)
{
  if (!raster) {
    setImageError(kImageNoRaster);
    return kImageNoRaster;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file)
    return fail(*raster, noteCannotOpen(errno));
  int code = decode(file, raster);
  std::fclose(file);
  if (code != kImageOk)
    return fail(*raster, code);
  return kImageOk;
}

} // namespace

int readJPEG(const std::string& path, RasterRecord* raster)
{
  return readWith(decodeJpeg, path, raster);
}

int readPNG(const std::string& path, RasterRecord* raster)
{
  return readWith(decodePng, path, raster);
}

namespace {

// An LZW code of at most 12 bits stands for at most 4096 pixels.
constexpr std::uint64_t kLzwMaxPixelsPerByte = 4096 * 8 / 12 + 1;

// The first image of the file, read record by record so that nothing is
// allocated beyond what its descriptor, checked against the file's size,
// allows; later images are never read. Rows come back top to bottom.
int readFirstGifImage(GifFileType* gif, std::uint64_t bytes, std::vector<GifPixelType>& pixels,
                      GifImageDesc& desc, GraphicsControlBlock& control)
{
  GifRecordType type = UNDEFINED_RECORD_TYPE;
  do {
    if (DGifGetRecordType(gif, &type) != GIF_OK)
      return kImageLibraryFailed;
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &code, &block) != GIF_OK)
        return kImageLibraryFailed;
      if (code == GRAPHICS_EXT_FUNC_CODE && block)
        DGifExtensionToGCB(block[0], block + 1, &control);
      while (block)
        if (DGifGetExtensionNext(gif, &block) != GIF_OK)
          return kImageLibraryFailed;
    } else if (type == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif) != GIF_OK)
        return kImageLibraryFailed;
      desc = gif->Image;
      if (desc.Width <= 0 || desc.Height <= 0)
        return kImageCorrupt;
      const std::uint64_t count = std::uint64_t(desc.Width) * std::uint64_t(desc.Height);
      if (const int code = checkPictureBudget(std::uint64_t(desc.Width), std::uint64_t(desc.Height));
          code != kImageOk)
        return code;
      if (count > bytes * kLzwMaxPixelsPerByte)
        return kImageReadError;
      try {
        pixels.assign(count, 0);
      } catch (const std::bad_alloc&) {
        return kImageNoMemory;
      }
      static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
      const int passes = desc.Interlace ? 4 : 1;
      for (int pass = 0; pass < passes; ++pass) {
        const int step = desc.Interlace ? kStep[pass] : 1;
        for (int y = desc.Interlace ? kStart[pass] : 0; y < desc.Height; y += step)
          if (DGifGetLine(gif, &pixels[std::size_t(y) * desc.Width], desc.Width) != GIF_OK)
            return kImageLibraryFailed;
      }
      return kImageOk;
    }
  } while (type != TERMINATE_RECORD_TYPE);
  return kImageCorrupt;
}

} // namespace

int readGIF(const std::string& path, RasterRecord* raster)
{
  if (!raster) {
    setImageError(kImageNoRaster);
    return kImageNoRaster;
  }
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  if (!gif)
    return fail(*raster, noteCannotOpen(error == D_GIF_ERR_OPEN_FAILED ? errno : 0));
  auto finish = [&](int code) {
    int closeError = 0;
    if (DGifCloseFile(gif, &closeError) != GIF_OK && code == kImageOk)
      code = kImageLibraryFailed;
    return code == kImageOk ? kImageOk : fail(*raster, code);
  };
  if (const int code = checkPictureBudget(std::uint64_t(gif->SWidth), std::uint64_t(gif->SHeight));
      code != kImageOk)
    return finish(code);
  const std::uint64_t bytes = fileBytes(path);
  std::vector<GifPixelType> indices;
  GifImageDesc desc{};
  GraphicsControlBlock control{};
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  if (int code = readFirstGifImage(gif, bytes, indices, desc, control); code != kImageOk)
    return finish(code);
  const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
  if (!map || !map->Colors)
    return finish(kImageCorrupt);
  raster->width = gif->SWidth;
  raster->height = gif->SHeight;
  raster->bits = 8;
  if (int code = allocRaster(*raster); code != kImageOk)
    return finish(code);
  if (control.TransparentColor != NO_TRANSPARENT_COLOR)
    raster->transparentIndex = static_cast<std::int16_t>(control.TransparentColor);
  const int entries = std::min(map->ColorCount, int(raster->paletteCount));
  for (int i = 0; i < entries; ++i) {
    std::uint8_t* entry = &raster->palette[std::size_t(i) * raster->paletteEntrySize];
    entry[0] = map->Colors[i].Red;
    entry[1] = map->Colors[i].Green;
    entry[2] = map->Colors[i].Blue;
  }
  std::fill(raster->pixels.begin(), raster->pixels.end(),
            static_cast<std::uint8_t>(gif->SBackGroundColor));
  // The rectangle is clipped to the screen, which some writers exceed.
  const int left = std::max(desc.Left, 0);
  const int top = std::max(desc.Top, 0);
  const int right = std::min(desc.Left + desc.Width, raster->width);
  const int bottom = std::min(desc.Top + desc.Height, raster->height);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      raster->pixels[std::size_t(y) * raster->stride + x] =
          indices[std::size_t(y - desc.Top) * desc.Width + (x - desc.Left)];
  return finish(kImageOk);
}

int readTIFF(const std::string& path, RasterRecord* raster)
{
  if (!raster) {
    setImageError(kImageNoRaster);
    return kImageNoRaster;
  }
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (!options)
    return fail(*raster, kImageNoMemory);
  std::string reason;
  TIFFOpenOptionsSetErrorHandlerExtR(options, tiffKeepError, &reason);
  TIFFOpenOptionsSetWarningHandlerExtR(options, tiffSilent, nullptr);
  // Strip tables and tag arrays of hostile size fail instead of allocating.
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t(kMaxRasterBytes));
  TIFF* tif = TIFFOpenExt(path.c_str(), "r", options);
  TIFFOpenOptionsFree(options);
  if (!tif) {
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (!probe)
      return fail(*raster, noteCannotOpen(errno));
    std::fclose(probe);
    return fail(*raster, noteNotTiff(reason));
  }
  auto finish = [&](int code) {
    TIFFClose(tif);
    return code == kImageOk ? kImageOk : fail(*raster, code);
  };
  std::uint32_t width = 0, height = 0, rowsPerStrip = 0;
  std::uint16_t compression = 1, photometric = 0, bitsPerSample = 1, samples = 1;
  std::uint16_t orientation = 1, planar = 1;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
  if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric))
    return finish(kImageCorrupt);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bitsPerSample);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
  if (photometric == PHOTOMETRIC_YCBCR || photometric == PHOTOMETRIC_CIELAB ||
      photometric == PHOTOMETRIC_LOGL || photometric == PHOTOMETRIC_LOGLUV)
    return finish(kImageUnsupported);
  const long bits = long(bitsPerSample) * samples;
  // Separate planes and 16-bit pixels (16-bit gray, gray with alpha) are
  // not 5-5-5 words; they are refused rather than misread.
  if (planar != PLANARCONFIG_CONTIG || bits == 16)
    return finish(kImageUnsupported);
  if (bits == 32) {
    std::uint16_t extraCount = 0;
    std::uint16_t* extra = nullptr;
    if (!TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) || extraCount == 0)
      return finish(kImageUnsupported);
  }
  if (bits <= 8 && photometric != PHOTOMETRIC_MINISWHITE && photometric != PHOTOMETRIC_MINISBLACK &&
      photometric != PHOTOMETRIC_PALETTE)
    return finish(kImageUnsupported);
  if ((bits == 24 || bits == 32) && (photometric != PHOTOMETRIC_RGB || bitsPerSample != 8))
    return finish(kImageUnsupported);
  TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
  if (TIFFGetField(tif, TIFFTAG_ORIENTATION, &orientation) && orientation != ORIENTATION_TOPLEFT &&
      orientation != ORIENTATION_BOTLEFT)
    return finish(kImageUnsupported);
  if (compression == COMPRESSION_OJPEG || compression == COMPRESSION_JPEG || compression == 34661)
    return finish(kImageUnsupported);
  if (const int code = checkPictureBudget(width, height); code != kImageOk)
    return finish(code);
  if (bits > 32)
    return finish(kImageBadBits);
  if (const std::uint64_t ratio = bestTiffRatio(compression);
      ratio && std::uint64_t(width) * height * std::uint64_t(bits) / 8 > fileBytes(path) * ratio)
    return finish(kImageReadError);
  raster->width = static_cast<std::int32_t>(width);
  raster->bits = static_cast<std::uint8_t>(bits);
  if (int code = allocFirstRow(*raster, static_cast<std::int32_t>(height)); code != kImageOk)
    return finish(code);
  if (rowsPerStrip == 0 || rowsPerStrip > height)
    rowsPerStrip = height;
  const tmsize_t scanline = TIFFScanlineSize(tif);
  if (scanline < raster->stride)
    return finish(kImageCorrupt);
  std::vector<std::uint8_t> strip;
  try {
    strip.resize(std::size_t(scanline) * rowsPerStrip);
  } catch (const std::bad_alloc&) {
    return finish(kImageNoMemory);
  }
  const std::uint32_t strips = TIFFNumberOfStrips(tif);
  std::uint32_t row = 0;
  for (std::uint32_t s = 0; s < strips && row < height; ++s) {
    const std::uint32_t rows = std::min(rowsPerStrip, height - row);
    if (TIFFReadEncodedStrip(tif, s, strip.data(), tmsize_t(rows) * scanline) < 0)
      return finish(noteNotTiff(reason));
    if (int code = growRows(*raster, row + rows, height); code != kImageOk)
      return finish(code);
    for (std::uint32_t r = 0; r < rows; ++r, ++row)
      std::memcpy(raster->pixels.data() + std::size_t(row) * raster->stride,
                  strip.data() + std::size_t(r) * scanline, raster->stride);
  }
  if (row < height)
    return finish(kImageReadError);
  if (orientation == ORIENTATION_BOTLEFT)
    for (std::uint32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
      std::swap_ranges(raster->pixels.begin() + std::size_t(top) * raster->stride,
                       raster->pixels.begin() + std::size_t(top + 1) * raster->stride,
                       raster->pixels.begin() + std::size_t(bottom) * raster->stride);
  if (bits <= 8) {
    const int count = raster->paletteCount;
    const int entry = raster->paletteEntrySize;
    if (photometric == PHOTOMETRIC_PALETTE) {
      std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
      if (!TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue))
        return finish(kImageCorrupt);
      // Some writers store 8-bit values in the 16-bit map.
      bool wide = false;
      for (int i = 0; i < count; ++i)
        wide = wide || red[i] >= 256 || green[i] >= 256 || blue[i] >= 256;
      auto value = [wide](std::uint16_t v) {
        return static_cast<std::uint8_t>(wide ? v / 257 : v & 0xFF);
      };
      for (int i = 0; i < count; ++i) {
        raster->palette[std::size_t(i) * entry] = value(red[i]);
        raster->palette[std::size_t(i) * entry + 1] = value(green[i]);
        raster->palette[std::size_t(i) * entry + 2] = value(blue[i]);
      }
    } else {
      for (int i = 0; i < count; ++i) {
        int level = i * 255 / (count - 1);
        if (photometric == PHOTOMETRIC_MINISWHITE)
          level = 255 - level;
        std::memset(&raster->palette[std::size_t(i) * entry], level, 3);
      }
    }
  }
  return finish(kImageOk);
}

std::unique_ptr<LoadedImage> loadImageFile(const std::string& path)
{
  RasterRecord raster;
  initRaster(raster);
  setImageError(kImageOk);
  const std::string ext = extensionOf(path);
  int code = kImageOk;
  if (ext == "TIF")
    code = readTIFF(path, &raster);
  else if (ext == "PNG")
    code = readPNG(path, &raster);
  else if (ext == "JPG")
    code = readJPEG(path, &raster);
  else if (ext == "GIF")
    code = readGIF(path, &raster);
  else if (ext == "BMP")
    code = readBMP(path, &raster);
  else if (ext == "TGA")
    code = readTGA(path, &raster);
  else if (ext == "CEL")
    code = readCEL(path, &raster);
  else if (ext == "RGB")
    code = readSGI(path, &raster);
  else if (ext == "PSD")
    code = readPSD(path, &raster);
  else if (ext == "IFF")
    code = readIFF(path, &raster);
  else
    code = kImageUnknownExtension;
  if (code == kImageOk)
    code = normaliseRaster(raster);
  if (code != kImageOk) {
    setImageError(code);
    return nullptr;
  }
  try {
    auto image = std::make_unique<LoadedImage>();
    image->width = raster.width;
    image->height = raster.height;
    image->pixels = std::move(raster.pixels);
    return image;
  } catch (const std::bad_alloc&) {
    setImageError(kImageNoMemory);
    return nullptr;
  }
}

ImageRows::ImageRows(const std::string& path)
{
  setImageError(kImageOk);
  if (extensionOf(path) != "JPG") {
    m_whole = loadImageFile(path);
    m_code = m_whole ? kImageOk : lastImageError();
    return;
  }
  m_file.reset(std::fopen(path.c_str(), "rb"));
  if (!m_file) {
    m_code = noteCannotOpen(errno);
    return;
  }
  m_jpeg = std::make_unique<JpegRows>(m_file.get());
}

ImageRows::~ImageRows() = default;

std::int32_t ImageRows::width() const
{
  return m_jpeg ? m_jpeg->width() : m_whole ? m_whole->width : 0;
}

std::int32_t ImageRows::height() const
{
  return m_jpeg ? m_jpeg->height() : m_whole ? m_whole->height : 0;
}

const unsigned char* ImageRows::row(int y)
{
  if (m_jpeg)
    return m_jpeg->row(y);
  if (!m_whole || y < 0 || y >= m_whole->height)
    return nullptr;
  return m_whole->pixels.data() + std::size_t(y) * std::size_t(m_whole->width) * 3;
}

int ImageRows::finish()
{
  if (m_jpeg)
    m_code = m_jpeg->finish();
  setImageError(m_code);
  return m_code;
}

} // namespace quillet
