#include "pdfwriter/image_fixtures.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>
#include <zlib.h>

namespace quillet::test {

namespace {

void putBigEndian32(std::string& bytes, std::size_t at, std::uint32_t value)
{
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<char>(value >> (8 * (3 - i)));
}

std::string pngChunk(const char* type, const std::string& data)
{
  std::string chunk(4, '\0');
  putBigEndian32(chunk, 0, static_cast<std::uint32_t>(data.size()));
  chunk += type;
  chunk += data;
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data() + 4),
                         static_cast<uInt>(chunk.size() - 4));
  chunk += std::string(4, '\0');
  putBigEndian32(chunk, chunk.size() - 4, static_cast<std::uint32_t>(crc));
  return chunk;
}

// After the 8-byte signature and the 25-byte header chunk.
constexpr std::size_t kAfterHeader = 33;

} // namespace

std::string pngClaiming(const std::string& png, std::uint32_t width, std::uint32_t height)
{
  std::string bytes = png;
  putBigEndian32(bytes, 16, width);
  putBigEndian32(bytes, 20, height);
  putBigEndian32(bytes, 29,
                 static_cast<std::uint32_t>(
                     crc32(0, reinterpret_cast<const Bytef*>(bytes.data() + 12), 17)));
  return bytes;
}

std::string pngWithTextChunks(const std::string& png, int count, std::size_t textBytes)
{
  const std::string text(textBytes, 'a');
  std::string packed(compressBound(static_cast<uLong>(text.size())), '\0');
  uLongf packedSize = static_cast<uLongf>(packed.size());
  compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
           reinterpret_cast<const Bytef*>(text.data()), static_cast<uLong>(text.size()));
  packed.resize(packedSize);
  // Keyword, its terminator and the compression method 0.
  const std::string chunk = pngChunk("zTXt", std::string("Comment\0\0", 9) + packed);
  std::string bytes = png.substr(0, kAfterHeader);
  for (int i = 0; i < count; ++i)
    bytes += chunk;
  return bytes + png.substr(kAfterHeader);
}

std::string pngCutInChunk(const std::string& png, std::uint32_t claimed)
{
  std::string bytes = png.substr(0, kAfterHeader) + std::string(4, '\0') + "tEXtKey";
  putBigEndian32(bytes, kAfterHeader, claimed);
  return bytes;
}

void writeJpegFile(const std::filesystem::path& path, int width, int height, int components,
                   int colourSpace, const Bytes& samples, int quality,
                   const std::function<void(jpeg_compress_struct&)>& adjust)
{
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file)
    throw std::runtime_error("cannot write " + path.string());
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = static_cast<J_COLOR_SPACE>(colourSpace);
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (adjust)
    adjust(info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row =
        const_cast<JSAMPROW>(samples.data()) + std::size_t(info.next_scanline) * width * components;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

namespace {

struct JumpingError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void jumpBack(j_common_ptr info)
{
  std::longjmp(reinterpret_cast<JumpingError*>(info->err)->jump, 1);
}

void silent(j_common_ptr) {}

bool decodeToRgb(std::FILE* file, Bytes& rgb, int& width, int& height)
{
  jpeg_decompress_struct info;
  JumpingError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = jumpBack;
  error.manager.output_message = silent;
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  width = int(info.output_width);
  height = int(info.output_height);
  const int components = info.output_components;
  rgb.resize(std::size_t(width) * height * 3);
  Bytes row(std::size_t(width) * components);
  while (info.output_scanline < info.output_height) {
    std::uint8_t* target = rgb.data() + std::size_t(info.output_scanline) * width * 3;
    JSAMPROW samples = row.data();
    jpeg_read_scanlines(&info, &samples, 1);
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c)
        target[x * 3 + c] = row[std::size_t(x) * components + (components == 1 ? 0 : c)];
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool encodeRgb(const Bytes& rgb, int width, int height, int quality, Bytes& out)
{
  jpeg_compress_struct info;
  JumpingError error;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = jumpBack;
  error.manager.output_message = silent;
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.in_color_space = JCS_RGB;
  info.input_components = 3;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, FALSE);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.data()) + std::size_t(info.next_scanline) * width * 3;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  out.assign(buffer, buffer + size);
  std::free(buffer);
  return true;
}

} // namespace

Bytes recompressJpeg(const std::filesystem::path& path, int quality)
{
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file)
    return {};
  Bytes rgb, out;
  int width = 0, height = 0;
  const bool decoded = decodeToRgb(file, rgb, width, height);
  std::fclose(file);
  if (!decoded || !encodeRgb(rgb, width, height, quality, out))
    return {};
  return out;
}

void writePngFile(const std::filesystem::path& path, const PngFixture& fixture)
{
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file)
    throw std::runtime_error("cannot write " + path.string());
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, fixture.width, fixture.height, fixture.depth, fixture.colourType,
               fixture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (std::size_t i = 0; i + 2 < fixture.palette.size(); i += 3)
    palette.push_back({fixture.palette[i], fixture.palette[i + 1], fixture.palette[i + 2]});
  if (!palette.empty())
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!fixture.transparency.empty())
    png_set_tRNS(png, info, fixture.transparency.data(),
                 static_cast<int>(fixture.transparency.size()), nullptr);
  png_write_info(png, info);
  if (fixture.depth < 8)
    png_set_packing(png);
  const int channels = png_get_channels(png, info);
  const int bytesPerSample = fixture.depth == 16 ? 2 : 1;
  const std::size_t rowBytes = std::size_t(fixture.width) * channels * bytesPerSample;
  Bytes image(rowBytes * fixture.height);
  for (std::size_t i = 0; i < fixture.samples.size(); ++i) {
    if (bytesPerSample == 2) {
      image[2 * i] = static_cast<std::uint8_t>(fixture.samples[i] >> 8);
      image[2 * i + 1] = static_cast<std::uint8_t>(fixture.samples[i]);
    } else {
      image[i] = static_cast<std::uint8_t>(fixture.samples[i]);
    }
  }
  std::vector<png_bytep> rows(fixture.height);
  for (int y = 0; y < fixture.height; ++y)
    rows[y] = image.data() + y * rowBytes;
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

namespace {

ColorMapObject* makeMap(const Bytes& rgb)
{
  const int count = static_cast<int>(rgb.size() / 3);
  std::vector<GifColorType> colours(count);
  for (int i = 0; i < count; ++i)
    colours[i] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]};
  return GifMakeMapObject(count, colours.data());
}

} // namespace

void writeGifFile(const std::filesystem::path& path, const GifFixture& fixture)
{
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  if (!gif)
    throw std::runtime_error("cannot write " + path.string());
  ColorMapObject* global = fixture.globalMap.empty() ? nullptr : makeMap(fixture.globalMap);
  ColorMapObject* local = fixture.localMap.empty() ? nullptr : makeMap(fixture.localMap);
  const int colourBits = global ? global->BitsPerPixel : local->BitsPerPixel;
  // giflib checks nothing against the screen; the real sizes are patched in
  // afterwards when the rectangle is meant to leave it.
  EGifPutScreenDesc(gif, fixture.screenWidth, fixture.screenHeight, colourBits, 0, global);
  EGifPutImageDesc(gif, 0, 0, fixture.width, fixture.height, fixture.interlaced, local);
  std::vector<int> order;
  if (fixture.interlaced) {
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = starts[pass]; y < fixture.height; y += steps[pass])
        order.push_back(y);
  } else {
    for (int y = 0; y < fixture.height; ++y)
      order.push_back(y);
  }
  for (int y : order)
    EGifPutLine(gif, const_cast<GifPixelType*>(fixture.indices.data() + y * fixture.width),
                fixture.width);
  EGifCloseFile(gif, &error);
  GifFreeMapObject(global);
  GifFreeMapObject(local);

  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  bytes[11] = static_cast<std::uint8_t>(fixture.background);
  const std::size_t globalSize = global ? 3u << colourBits : 0;
  const std::size_t descriptor = 13 + globalSize;
  if (bytes[descriptor] != 0x2C)
    throw std::runtime_error("unexpected GIF layout");
  bytes[descriptor + 1] = static_cast<std::uint8_t>(fixture.left);
  bytes[descriptor + 2] = static_cast<std::uint8_t>(fixture.left >> 8);
  bytes[descriptor + 3] = static_cast<std::uint8_t>(fixture.top);
  bytes[descriptor + 4] = static_cast<std::uint8_t>(fixture.top >> 8);
  file.seekp(0);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void writeTiffFile(const std::filesystem::path& path, const TiffFixture& fixture)
{
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  if (!tif)
    throw std::runtime_error("cannot write " + path.string());
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, fixture.width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, fixture.height);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, fixture.bitsPerSample);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, fixture.samplesPerPixel);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, fixture.photometric);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, fixture.compression);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, fixture.planar);
  const int rowsPerStrip = fixture.rowsPerStrip ? fixture.rowsPerStrip : fixture.height;
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
  if (fixture.orientation)
    TIFFSetField(tif, TIFFTAG_ORIENTATION, fixture.orientation);
  if (fixture.extraSamples >= 0) {
    std::uint16_t kind = static_cast<std::uint16_t>(fixture.extraSamples);
    TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &kind);
  }
  if (!fixture.colourMap.empty()) {
    const std::size_t n = fixture.colourMap.size() / 3;
    TIFFSetField(tif, TIFFTAG_COLORMAP, fixture.colourMap.data(), fixture.colourMap.data() + n,
                 fixture.colourMap.data() + 2 * n);
  }
  const std::size_t rowBytes = fixture.rows.size() / fixture.height;
  for (int s = 0, row = 0; row < fixture.height; ++s, row += rowsPerStrip) {
    const int rows = std::min(rowsPerStrip, fixture.height - row);
    TIFFWriteEncodedStrip(tif, s, const_cast<std::uint8_t*>(fixture.rows.data()) + row * rowBytes,
                          tmsize_t(rows * rowBytes));
  }
  TIFFClose(tif);
}

} // namespace quillet::test
