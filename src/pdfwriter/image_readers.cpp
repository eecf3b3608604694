#include "pdfwriter/image_readers.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace quillet {

namespace {

using Bytes = std::vector<std::uint8_t>;

// Thrown from anywhere inside a decoder; the reader's entry catches it,
// closes the file and empties the raster.
struct ReadFailure {
  int code;
};

[[noreturn]] void raise(int code)
{
  throw ReadFailure{code};
}

// The open file with its size known, so that no count read from it makes
// the reader allocate more than the file can fill. It also keeps the tally
// of what the decoder holds: every block read, the raster, its 24-bit
// expansion and the working buffers all count against one budget (the
// loader's raster cap), so no file makes a reader hold several times it.
class BoundedFile {
public:
  explicit BoundedFile(std::FILE* file) : file_(file)
  {
    if (std::fseek(file_, 0, SEEK_END) != 0)
      raise(kImageReadError);
    const long end = std::ftell(file_);
    if (end < 0 || std::fseek(file_, 0, SEEK_SET) != 0)
      raise(kImageReadError);
    size_ = static_cast<std::uint64_t>(end);
  }

  std::uint64_t size() const { return size_; }
  std::uint64_t position() const { return position_; }
  std::uint64_t remaining() const { return size_ - position_; }

  void read(std::uint8_t* to, std::size_t count)
  {
    if (count > remaining() || std::fread(to, 1, count, file_) != count)
      raise(kImageReadError);
    position_ += count;
  }
  std::uint8_t u8()
  {
    std::uint8_t byte = 0;
    read(&byte, 1);
    return byte;
  }
  std::uint16_t u16le()
  {
    const unsigned low = u8();
    return static_cast<std::uint16_t>(low | unsigned(u8()) << 8);
  }
  std::uint16_t u16be()
  {
    const unsigned high = u8();
    return static_cast<std::uint16_t>(high << 8 | u8());
  }
  std::uint32_t u32le()
  {
    const std::uint32_t low = u16le();
    return low | std::uint32_t(u16le()) << 16;
  }
  std::uint32_t u32be()
  {
    const std::uint32_t high = u16be();
    return high << 16 | u16be();
  }
  // Counts a buffer the decoder is about to hold; past the budget the
  // picture is refused as out of memory.
  void hold(std::uint64_t bytes)
  {
    if (bytes > kMaxRasterBytes - held_)
      raise(kImageNoMemory);
    held_ += bytes;
  }

  Bytes block(std::uint64_t count)
  {
    if (count > remaining())
      raise(kImageReadError);
    hold(count);
    Bytes bytes(static_cast<std::size_t>(count));
    read(bytes.data(), bytes.size());
    return bytes;
  }
  void skip(std::uint64_t count)
  {
    if (count > remaining())
      raise(kImageReadError);
    seek(position_ + count);
  }
  // An offset the file itself names; outside the file it is corrupt.
  void seek(std::uint64_t offset)
  {
    if (offset > size_)
      raise(kImageCorrupt);
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0)
      raise(kImageReadError);
    position_ = offset;
  }

private:
  std::FILE* file_;
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
  std::uint64_t held_ = 0;
};

// Coded data already in memory; running off its end raises endCode (short
// file, or corrupt where the data's length was given).
class ByteCursor {
public:
  ByteCursor(const std::uint8_t* data, std::size_t size, int endCode)
      : data_(data), size_(size), endCode_(endCode)
  {
  }
  std::size_t consumed() const { return at_; }
  std::uint8_t u8()
  {
    if (at_ >= size_)
      raise(endCode_);
    return data_[at_++];
  }
  std::int8_t s8() { return static_cast<std::int8_t>(u8()); }
  const std::uint8_t* take(std::size_t count)
  {
    if (count > size_ - at_)
      raise(endCode_);
    const std::uint8_t* from = data_ + at_;
    at_ += count;
    return from;
  }

private:
  const std::uint8_t* data_;
  std::size_t size_;
  int endCode_;
  std::size_t at_ = 0;
};

// Refuses, as soon as the header is read, an empty picture and one over the
// picture budget.
void checkSize(std::uint64_t width, std::uint64_t height)
{
  if (width == 0 || height == 0)
    raise(kImageZeroSize);
  if (checkPictureBudget(width, height) != kImageOk)
    raise(kImageOverBudget);
}

// Sets the size and allocates. Before any buffer is made it applies
// checkSize and refuses a file too short to hold the storedBytes its pixel
// data needs at least from here (at the format's best compression), so that
// a header claiming more than the file holds costs no memory. The raster,
// and for fewer than 24 bits the 24-bit copy the loader expands it to,
// count against the budget.
void allocate(RasterRecord& raster, BoundedFile& in, std::uint64_t width, std::uint64_t height,
              int bits, std::uint64_t storedBytes = 0)
{
  checkSize(width, height);
  if (storedBytes > in.remaining())
    raise(kImageReadError);
  const std::uint64_t stride = (width * std::uint64_t(bits) + 31) / 32 * 4;
  in.hold(stride * height);
  if (bits < 24)
    in.hold(width * height * 3);
  raster.width = static_cast<std::int32_t>(width);
  raster.height = static_cast<std::int32_t>(height);
  raster.bits = static_cast<std::uint8_t>(bits);
  if (int code = allocRaster(raster); code != kImageOk)
    raise(code);
}

void setEntry(RasterRecord& raster, std::size_t index, std::uint8_t red, std::uint8_t green,
              std::uint8_t blue)
{
  if (index >= raster.paletteCount)
    return;
  std::uint8_t* entry = &raster.palette[index * raster.paletteEntrySize];
  entry[0] = red;
  entry[1] = green;
  entry[2] = blue;
}

// A palette read before the raster exists: 256 red, green, blue triples.
using Palette = std::array<std::uint8_t, 256 * 3>;

void applyPalette(RasterRecord& raster, const Palette& palette)
{
  for (std::size_t i = 0; i < 256; ++i)
    setEntry(raster, i, palette[i * 3], palette[i * 3 + 1], palette[i * 3 + 2]);
}

// Runs of at most `longest` pixels in `runBytes` bytes each: the fewest
// bytes that can code `count` pixels.
std::uint64_t fewestRunBytes(std::uint64_t count, std::uint64_t longest, std::uint64_t runBytes)
{
  return (count + longest - 1) / longest * runBytes;
}

void grayPalette(RasterRecord& raster)
{
  for (std::size_t i = 0; i < raster.paletteCount; ++i)
    setEntry(raster, i, std::uint8_t(i), std::uint8_t(i), std::uint8_t(i));
}

std::uint8_t* rowOf(RasterRecord& raster, std::uint64_t row)
{
  return raster.pixels.data() + row * std::uint64_t(raster.stride);
}

int runReader(void (*decode)(BoundedFile&, RasterRecord&), const std::string& path,
              RasterRecord* raster)
{
  if (!raster) {
    setImageError(kImageNoRaster);
    return kImageNoRaster;
  }
  initRaster(*raster);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  int code = kImageOk;
  if (!file) {
    code = noteCannotOpen(errno);
  } else {
    try {
      BoundedFile bytes(file);
      decode(bytes, *raster);
    } catch (const ReadFailure& failure) {
      code = failure.code;
    } catch (const std::bad_alloc&) {
      code = kImageNoMemory;
    }
    std::fclose(file);
  }
  if (code != kImageOk)
    freeRaster(*raster);
  setImageError(code);
  return code;
}

void decodeBmp(BoundedFile& in, RasterRecord& raster)
{
  if (in.u8() != 'B' || in.u8() != 'M')
    raise(kImageCorrupt);
  in.skip(8);
  const std::uint32_t dataOffset = in.u32le();
  const std::uint32_t infoSize = in.u32le();
  if (infoSize < 40)
    raise(kImageUnsupported);
  const auto width = static_cast<std::int32_t>(in.u32le());
  const auto height = static_cast<std::int32_t>(in.u32le());
  const unsigned planes = in.u16le();
  const unsigned bits = in.u16le();
  const std::uint32_t compression = in.u32le();
  in.skip(12);
  const std::uint32_t coloursUsed = in.u32le();
  in.skip(4 + std::uint64_t(infoSize - 40));
  if (planes != 1)
    raise(kImageCorrupt);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
    raise(kImageUnsupported);
  const bool rle8 = compression == 1, rle4 = compression == 2;
  if (!(compression == 0 || (rle8 && bits == 8) || (rle4 && bits == 4)))
    raise(kImageUnsupported);
  if (width < 0 || height == INT32_MIN)
    raise(kImageCorrupt);
  const bool topDown = height < 0;
  const std::uint64_t w = std::uint64_t(width);
  const std::uint64_t h = std::uint64_t(topDown ? -std::int64_t(height) : height);

  // Blue, green, red and a spare byte per entry; writers may store fewer
  // than 2^bits entries, the others stay black.
  std::array<std::uint8_t, 256 * 3> palette{};
  if (bits < 24) {
    const std::uint32_t full = 1u << bits;
    const std::uint32_t entries = coloursUsed > 0 && coloursUsed < full ? coloursUsed : full;
    const Bytes stored = in.block(std::uint64_t(entries) * 4);
    for (std::uint32_t i = 0; i < entries; ++i) {
      palette[i * 3] = stored[i * 4 + 2];
      palette[i * 3 + 1] = stored[i * 4 + 1];
      palette[i * 3 + 2] = stored[i * 4];
    }
  }
  if (dataOffset < in.position())
    raise(kImageCorrupt);
  in.seek(dataOffset);
  const std::uint64_t rowBytes = (bits * w + 31) / 32 * 4;
  allocate(raster, in, w, h, 24, compression == 0 ? rowBytes * h : 0);

  auto target = [&](std::uint64_t fileRow) { return rowOf(raster, topDown ? fileRow : h - 1 - fileRow); };
  auto put = [&](std::uint8_t* row, std::uint64_t x, unsigned index) {
    std::memcpy(row + x * 3, &palette[index * 3], 3);
  };

  if (compression == 0) {
    Bytes stored(static_cast<std::size_t>(rowBytes));
    for (std::uint64_t y = 0; y < h; ++y) {
      in.read(stored.data(), stored.size());
      std::uint8_t* row = target(y);
      for (std::uint64_t x = 0; x < w; ++x) {
        if (bits == 24) {
          row[x * 3] = stored[x * 3 + 2];
          row[x * 3 + 1] = stored[x * 3 + 1];
          row[x * 3 + 2] = stored[x * 3];
        } else if (bits == 8) {
          put(row, x, stored[x]);
        } else if (bits == 4) {
          put(row, x, (stored[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F);
        } else {
          put(row, x, (stored[x / 8] >> (7 - x % 8)) & 0x01);
        }
      }
    }
    return;
  }

  const Bytes coded = in.block(in.remaining());
  ByteCursor c(coded.data(), coded.size(), kImageReadError);
  std::uint64_t x = 0, y = 0;
  auto nibble = [](std::uint8_t byte, std::uint64_t k) { return k % 2 ? byte & 0x0F : byte >> 4; };
  for (;;) {
    const unsigned count = c.u8();
    const unsigned value = c.u8();
    if (count > 0) {
      if (y >= h)
        raise(kImageCorrupt);
      std::uint8_t* row = target(y);
      for (unsigned k = 0; k < count; ++k, ++x)
        if (x < w)
          put(row, x, rle4 ? nibble(std::uint8_t(value), k) : value);
      continue;
    }
    if (value == 0) {
      x = 0;
      if (++y > h)
        raise(kImageCorrupt);
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      x += c.u8();
      y += c.u8();
      if (x > w || y >= h)
        raise(kImageCorrupt);
    } else {
      if (y >= h)
        raise(kImageCorrupt);
      const std::size_t stored = rle4 ? (value + 1) / 2 : value;
      const std::uint8_t* run = c.take(stored + stored % 2);
      std::uint8_t* row = target(y);
      for (unsigned k = 0; k < value; ++k, ++x)
        if (x < w)
          put(row, x, rle4 ? nibble(run[k / 2], k) : run[k]);
    }
  }
}

void decodeTga(BoundedFile& in, RasterRecord& raster)
{
  const unsigned idLength = in.u8();
  const unsigned mapType = in.u8();
  const unsigned type = in.u8();
  const unsigned mapFirst = in.u16le();
  const unsigned mapLength = in.u16le();
  const unsigned mapEntryBits = in.u8();
  in.skip(4);
  const unsigned width = in.u16le();
  const unsigned height = in.u16le();
  const unsigned depth = in.u8();
  const unsigned descriptor = in.u8();
  if (type == 0 || (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32))
    raise(kImageUnsupported);
  const unsigned kind = type & 7;
  if ((type != kind && type != kind + 8) || kind < 1 || kind > 3 || mapLength > 256 ||
      mapType > 1)
    raise(kImageUnsupported);
  // Indices and gray levels are single bytes here.
  if ((kind != 2) != (depth == 8))
    raise(kImageUnsupported);
  if (mapType == 1 && mapEntryBits != 15 && mapEntryBits != 16 && mapEntryBits != 24 &&
      mapEntryBits != 32)
    raise(kImageUnsupported);
  in.skip(idLength);
  const int bits = depth == 15 ? 16 : int(depth);
  const std::uint64_t mapBytes = mapType == 1 ? std::uint64_t(mapLength) * ((mapEntryBits + 7) / 8) : 0;
  const std::uint64_t pixelBytes = std::uint64_t(bits) / 8;
  const std::uint64_t pixels = std::uint64_t(width) * height;
  allocate(raster, in, width, height, bits,
           mapBytes + (type == kind ? pixels * pixelBytes : fewestRunBytes(pixels, 128, 1 + pixelBytes)));

  if (mapType == 1) {
    const unsigned entryBytes = (mapEntryBits + 7) / 8;
    const Bytes map = in.block(mapBytes);
    if (kind == 1) {
      for (unsigned k = 0; k < mapLength; ++k) {
        const std::uint8_t* e = &map[k * entryBytes];
        if (entryBytes == 2) {
          const unsigned v = e[0] | unsigned(e[1]) << 8;
          setEntry(raster, mapFirst + k, std::uint8_t(v << 3), std::uint8_t((v >> 2) & 0xF8),
                   std::uint8_t((v >> 7) & 0xF8));
        } else {
          setEntry(raster, mapFirst + k, e[0], e[1], e[2]);
        }
      }
    }
  }
  if (bits == 8 && (kind == 3 || mapType == 0))
    grayPalette(raster);

  const std::size_t pixelCount = std::size_t(width) * height;
  Bytes stored;
  if (type == kind) {
    stored = in.block(pixelCount * pixelBytes);
  } else {
    const Bytes coded = in.block(in.remaining());
    ByteCursor c(coded.data(), coded.size(), kImageReadError);
    in.hold(pixelCount * pixelBytes);
    stored.resize(pixelCount * pixelBytes);
    for (std::size_t at = 0; at < pixelCount;) {
      const unsigned head = c.u8();
      const std::size_t count = (head & 0x7F) + 1;
      if (count > pixelCount - at)
        raise(kImageCorrupt);
      std::uint8_t* out = stored.data() + at * pixelBytes;
      if (head & 0x80) {
        const std::uint8_t* pixel = c.take(pixelBytes);
        for (std::size_t k = 0; k < count; ++k)
          std::memcpy(out + k * pixelBytes, pixel, pixelBytes);
      } else {
        std::memcpy(out, c.take(count * pixelBytes), count * pixelBytes);
      }
      at += count;
    }
  }

  const bool topFirst = descriptor & 0x20;
  const bool rightToLeft = descriptor & 0x10;
  const std::size_t rowBytes = std::size_t(width) * pixelBytes;
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t* from = stored.data() + y * rowBytes;
    std::uint8_t* row = rowOf(raster, topFirst ? y : height - 1 - y);
    if (!rightToLeft) {
      std::memcpy(row, from, rowBytes);
      continue;
    }
    for (std::size_t x = 0; x < width; ++x)
      std::memcpy(row + x * pixelBytes, from + (width - 1 - x) * pixelBytes, pixelBytes);
  }
  raster.swapRedBlue = 1;
}

// The simple cel: a 32-byte header, a palette of 6-bit levels, then the
// index rows from the top.
void decodeSimpleCel(BoundedFile& in, RasterRecord& raster)
{
  const unsigned width = in.u16le();
  const unsigned height = in.u16le();
  in.skip(4);
  const unsigned bits = in.u8();
  const unsigned compression = in.u8();
  in.skip(20);
  if (bits != 8 || compression != 0)
    raise(kImageUnsupported);
  allocate(raster, in, width, height, 8, 256 * 3 + std::uint64_t(width) * height);
  const Bytes levels = in.block(256 * 3);
  for (std::size_t i = 0; i < 256; ++i)
    setEntry(raster, i, std::uint8_t(levels[i * 3] << 2), std::uint8_t(levels[i * 3 + 1] << 2),
             std::uint8_t(levels[i * 3 + 2] << 2));
  in.read(raster.pixels.data(), raster.pixels.size());
}

void celColours(const Bytes& data, Palette& palette)
{
  ByteCursor c(data.data(), data.size(), kImageCorrupt);
  const unsigned packets = c.u8() | unsigned(c.u8()) << 8;
  std::size_t index = 0;
  for (unsigned p = 0; p < packets; ++p) {
    index += c.u8();
    std::size_t count = c.u8();
    if (count == 0)
      count = 256;
    if (index + count > 256)
      raise(kImageCorrupt);
    std::memcpy(&palette[index * 3], c.take(count * 3), count * 3);
    index += count;
  }
  if (c.consumed() != data.size())
    raise(kImageCorrupt);
}

void celByteRun(const Bytes& data, RasterRecord& raster)
{
  ByteCursor c(data.data(), data.size(), kImageCorrupt);
  const std::size_t width = std::size_t(raster.width);
  for (std::int32_t y = 0; y < raster.height; ++y) {
    std::uint8_t* row = rowOf(raster, std::uint64_t(y));
    c.u8();
    for (std::size_t x = 0; x < width;) {
      const int count = c.s8();
      const std::size_t n = std::size_t(count < 0 ? -count : count);
      if (n > width - x)
        raise(kImageCorrupt);
      if (count > 0)
        std::memset(row + x, c.u8(), n);
      else
        std::memcpy(row + x, c.take(n), n);
      x += n;
    }
  }
  // Chunks are padded to an even size.
  if (c.consumed() != data.size() && c.consumed() + 1 != data.size())
    raise(kImageCorrupt);
}

// The flic-style cel: chunks after a 128-byte header, of which the first
// frame that gives a palette or a picture is decoded. The raster is made
// once a picture's data is known to be there.
void decodeFlicCel(BoundedFile& in, RasterRecord& raster)
{
  in.skip(2);
  const unsigned magic = in.u16le();
  in.skip(2);
  const unsigned width = in.u16le();
  const unsigned height = in.u16le();
  const unsigned depth = in.u16le();
  if (magic != 0xAF12 && magic != 0xAF11)
    raise(kImageUnsupported);
  in.skip(128 - 14);
  if (depth != 8)
    raise(kImageUnsupported);
  checkSize(width, height);
  const std::uint64_t pixels = std::uint64_t(width) * height;
  Palette colours{};
  bool palette = false, image = false;
  while (!palette && !image) {
    const std::uint32_t size = in.u32le();
    const unsigned type = in.u16le();
    const unsigned subChunks = in.u16le();
    in.skip(8);
    if (type == 0xF100) {
      if (size < 16)
        raise(kImageCorrupt);
      in.skip(size - 16);
      continue;
    }
    if (type != 0xF1FA)
      continue;
    for (unsigned s = 0; s < subChunks && !(palette && image); ++s) {
      const std::uint32_t subSize = in.u32le();
      const unsigned subType = in.u16le();
      if (subSize < 6)
        raise(kImageCorrupt);
      const std::uint64_t dataSize = subSize - 6;
      if (subType == 4 || subType == 11) {
        celColours(in.block(dataSize), colours);
        palette = true;
      } else if (subType == 7 || subType == 12 || subType == 18) {
        in.skip(dataSize);
      } else if (subType == 13) {
        in.skip(dataSize);
        image = true;
      } else if (subType == 15) {
        const Bytes data = in.block(dataSize);
        // A row is its packet-count byte and runs of at most 127 pixels.
        if (height * (1 + fewestRunBytes(width, 127, 2)) > data.size() + 1)
          raise(kImageCorrupt);
        allocate(raster, in, width, height, 8);
        celByteRun(data, raster);
        image = true;
      } else if (subType == 16) {
        if (dataSize != pixels)
          raise(kImageCorrupt);
        allocate(raster, in, width, height, 8, pixels);
        in.read(raster.pixels.data(), raster.pixels.size());
        image = true;
        break;
      } else {
        raise(kImageUnsupported);
      }
    }
  }
  // A palette alone, or a cleared picture, is index 0 everywhere.
  if (raster.pixels.empty())
    allocate(raster, in, width, height, 8);
  applyPalette(raster, colours);
}

void decodeCel(BoundedFile& in, RasterRecord& raster)
{
  if (in.u16le() == 0x9119)
    decodeSimpleCel(in, raster);
  else
    decodeFlicCel(in, raster);
}

void decodeSgi(BoundedFile& in, RasterRecord& raster)
{
  const unsigned magic = in.u16be();
  const unsigned storage = in.u8();
  const unsigned bytesPerChannel = in.u8();
  const unsigned dimension = in.u16be();
  const unsigned xSize = in.u16be();
  const unsigned ySize = in.u16be();
  const unsigned zSize = in.u16be();
  in.skip(8 + 4 + 80);
  const auto colourMap = static_cast<std::int32_t>(in.u32be());
  in.skip(512 - 108);
  const unsigned channels = dimension < 3 ? 1 : zSize;
  if (magic != 474 || storage > 1 || bytesPerChannel != 1 || colourMap > 0 ||
      (channels != 1 && channels != 3 && channels != 4))
    raise(kImageUnsupported);
  const std::size_t width = xSize;
  const std::size_t height = dimension == 1 ? 1 : ySize;
  const int bits = int(channels) * 8;
  checkSize(width, height);

  // The bottom row is stored first; channel c goes to byte c of a pixel.
  auto target = [&](std::size_t c, std::size_t y) {
    return rowOf(raster, height - 1 - y) + c;
  };
  if (storage == 0) {
    allocate(raster, in, width, height, bits, std::uint64_t(width) * height * channels);
    if (channels == 1)
      grayPalette(raster);
    Bytes stored(width);
    for (std::size_t c = 0; c < channels; ++c)
      for (std::size_t y = 0; y < height; ++y) {
        in.read(stored.data(), width);
        std::uint8_t* out = target(c, y);
        for (std::size_t x = 0; x < width; ++x)
          out[x * channels] = stored[x];
      }
    return;
  }
  const std::size_t rows = height * channels;
  const Bytes starts = in.block(rows * 4);
  const Bytes lengths = in.block(rows * 4);
  auto be32 = [](const Bytes& table, std::size_t i) {
    const std::uint8_t* p = &table[i * 4];
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
  };
  // Every row lies in the file and can fill its width (127 pixels per 2
  // bytes, then its end mark) before the raster is made.
  for (std::size_t i = 0; i < rows; ++i) {
    const std::uint64_t start = be32(starts, i), length = be32(lengths, i);
    if (start > in.size() || length > in.size() - start ||
        length < fewestRunBytes(width, 127, 2) + 1)
      raise(kImageCorrupt);
  }
  allocate(raster, in, width, height, bits);
  if (channels == 1)
    grayPalette(raster);
  in.seek(0);
  const Bytes file = in.block(in.size());
  for (std::size_t c = 0; c < channels; ++c)
    for (std::size_t y = 0; y < height; ++y) {
      const std::size_t i = c * height + y;
      const std::uint64_t start = be32(starts, i);
      const std::uint64_t length = be32(lengths, i);
      ByteCursor row(file.data() + start, std::size_t(length), kImageCorrupt);
      std::uint8_t* out = target(c, y);
      for (std::size_t x = 0;;) {
        const unsigned head = row.u8();
        const std::size_t count = head & 0x7F;
        if (count == 0)
          break;
        if (count > width - x)
          raise(kImageCorrupt);
        if (head & 0x80) {
          const std::uint8_t* literal = row.take(count);
          for (std::size_t k = 0; k < count; ++k)
            out[(x + k) * channels] = literal[k];
        } else {
          const std::uint8_t value = row.u8();
          for (std::size_t k = 0; k < count; ++k)
            out[(x + k) * channels] = value;
        }
        x += count;
      }
    }
}

void decodePsd(BoundedFile& in, RasterRecord& raster)
{
  const Bytes signature = in.block(4);
  if (std::memcmp(signature.data(), "8BPS", 4) != 0 || in.u16be() != 1)
    raise(kImageCorrupt);
  in.skip(6);
  const unsigned channels = in.u16be();
  const std::uint32_t rows = in.u32be();
  const std::uint32_t columns = in.u32be();
  const unsigned depth = in.u16be();
  const unsigned mode = in.u16be();
  if (channels == 0)
    raise(kImageCorrupt);
  const bool rgb = mode == 3;
  if (channels > 4 || depth != 8 || (mode != 1 && mode != 2 && !rgb && mode != 8) ||
      (rgb && channels < 3))
    raise(kImageUnsupported);
  const int bits = rgb ? int(channels) * 8 : 8;
  checkSize(columns, rows);

  const std::uint32_t modeLength = in.u32be();
  Palette colours{};
  if (mode == 2) {
    if (modeLength < 768)
      raise(kImageCorrupt);
    const Bytes levels = in.block(768);
    for (std::size_t i = 0; i < 256; ++i)
      for (std::size_t c = 0; c < 3; ++c)
        colours[i * 3 + c] = levels[c * 256 + i];
    in.skip(modeLength - 768);
  } else if (mode == 8) {
    in.skip(modeLength);
  } else if (modeLength != 0) {
    raise(kImageUnsupported);
  }
  in.skip(in.u32be());
  in.skip(in.u32be());

  // Photoshop stores red, green, blue, alpha planes; red goes last in the
  // pixel and the loader swaps it back, as for the other blue-first formats.
  static constexpr std::size_t kRgbByte[] = {2, 1, 0, 3};
  const std::size_t used = rgb ? channels : 1;
  const std::size_t pixelBytes = std::size_t(bits) / 8;
  auto target = [&](std::size_t c, std::size_t y) {
    return rowOf(raster, y) + (rgb ? kRgbByte[c] : 0);
  };
  const unsigned compression = in.u16be();
  Bytes counts;
  if (compression == 0) {
    allocate(raster, in, columns, rows, bits, std::uint64_t(columns) * rows * used);
  } else if (compression == 1) {
    counts = in.block(std::uint64_t(channels) * rows * 2);
    // Every row read must be able to fill its columns, 128 bytes per 2.
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < used * rows; ++i) {
      const std::uint64_t count = std::uint64_t(counts[2 * i]) << 8 | counts[2 * i + 1];
      if (count < fewestRunBytes(columns, 128, 2))
        raise(kImageCorrupt);
      total += count;
    }
    allocate(raster, in, columns, rows, bits, total);
  } else {
    raise(kImageUnsupported);
  }
  if (mode == 2)
    applyPalette(raster, colours);
  else if (!rgb)
    grayPalette(raster);
  if (compression == 0) {
    Bytes stored(columns);
    for (std::size_t c = 0; c < used; ++c)
      for (std::size_t y = 0; y < rows; ++y) {
        in.read(stored.data(), stored.size());
        std::uint8_t* out = target(c, y);
        for (std::size_t x = 0; x < columns; ++x)
          out[x * pixelBytes] = stored[x];
      }
  } else {
    for (std::size_t c = 0; c < used; ++c)
      for (std::size_t y = 0; y < rows; ++y) {
        const std::size_t i = (c * rows + y) * 2;
        const Bytes coded = in.block(std::size_t(counts[i]) << 8 | counts[i + 1]);
        ByteCursor packed(coded.data(), coded.size(), kImageCorrupt);
        std::uint8_t* out = target(c, y);
        for (std::size_t x = 0; packed.consumed() < coded.size();) {
          const unsigned control = packed.u8();
          // 128 is PackBits' no-op, which ImageMagick ends its rows with.
          if (control == 128)
            continue;
          const std::size_t count = control > 128 ? 257 - control : control + 1;
          if (count > columns - x)
            raise(kImageCorrupt);
          if (control >= 128) {
            const std::uint8_t value = packed.u8();
            for (std::size_t k = 0; k < count; ++k)
              out[(x + k) * pixelBytes] = value;
          } else {
            const std::uint8_t* literal = packed.take(count);
            for (std::size_t k = 0; k < count; ++k)
              out[(x + k) * pixelBytes] = literal[k];
          }
          x += count;
        }
      }
  }
  if (rgb)
    raster.swapRedBlue = 1;
}

bool isChunk(const std::uint8_t* id, const char* name)
{
  return std::memcmp(id, name, 4) == 0;
}

// ByteRun1 rows of 8 bit planes (and the mask plane with masking 1), each
// plane row a whole number of 16-bit words, assembled into index bytes.
// -128 is the code's no-op.
void ilbmBody(const Bytes& data, RasterRecord& raster, bool maskPlane)
{
  const std::size_t width = std::size_t(raster.width);
  const std::size_t planeBytes = (width + 15) / 16 * 2;
  Bytes planes(planeBytes * (maskPlane ? 9 : 8));
  ByteCursor c(data.data(), data.size(), kImageCorrupt);
  for (std::int32_t y = 0; y < raster.height; ++y) {
    for (std::size_t at = 0; at < planes.size();) {
      const int control = c.s8();
      if (control == -128)
        continue;
      if (control < 0) {
        const std::size_t count = std::min(std::size_t(1 - control), planes.size() - at);
        std::memset(planes.data() + at, c.u8(), count);
        at += count;
      } else {
        const std::size_t count = std::size_t(control) + 1;
        if (count > planes.size() - at)
          raise(kImageCorrupt);
        std::memcpy(planes.data() + at, c.take(count), count);
        at += count;
      }
    }
    std::uint8_t* row = rowOf(raster, std::uint64_t(y));
    for (std::size_t x = 0; x < width; ++x) {
      const std::size_t byte = x / 8;
      const unsigned shift = 7 - unsigned(x % 8);
      unsigned index = 0;
      for (unsigned p = 0; p < 8; ++p)
        index |= ((planes[p * planeBytes + byte] >> shift) & 1u) << p;
      row[x] = std::uint8_t(index);
    }
  }
  if (c.consumed() != data.size())
    raise(kImageCorrupt);
}

void decodeIff(BoundedFile& in, RasterRecord& raster)
{
  const Bytes form = in.block(4);
  const std::uint32_t formSize = in.u32be();
  const Bytes ilbm = in.block(4);
  if (!isChunk(form.data(), "FORM") || !isChunk(ilbm.data(), "ILBM"))
    raise(kImageCorrupt);
  unsigned width = 0, height = 0, masking = 0, transparent = 0;
  bool header = false, body = false;
  Palette colours{};
  for (std::uint64_t position = 4; position < formSize;) {
    const Bytes id = in.block(4);
    const std::uint32_t size = in.u32be();
    if (isChunk(id.data(), "BMHD")) {
      if (size < 20)
        raise(kImageCorrupt);
      width = in.u16be();
      height = in.u16be();
      in.skip(4);
      const unsigned planes = in.u8();
      masking = in.u8();
      const unsigned compression = in.u8();
      in.skip(1);
      transparent = in.u16be();
      in.skip(6 + std::uint64_t(size - 20));
      if (planes != 8 || compression != 1)
        raise(kImageUnsupported);
      checkSize(width, height);
      header = true;
    } else if (isChunk(id.data(), "CMAP")) {
      if (!header)
        raise(kImageCorrupt);
      const Bytes map = in.block(size);
      std::copy_n(map.begin(), std::min(map.size() / 3 * 3, colours.size()), colours.begin());
    } else if (isChunk(id.data(), "CRNG") || isChunk(id.data(), "CAMG")) {
      in.skip(size);
    } else if (isChunk(id.data(), "BODY")) {
      if (!header)
        raise(kImageCorrupt);
      const Bytes data = in.block(size);
      // ByteRun1 codes at most 128 bytes of a row's planes in 2.
      const std::uint64_t rowBytes = (width + 15) / 16 * 2 * (masking == 1 ? 9 : 8);
      if (std::uint64_t(height) * fewestRunBytes(rowBytes, 128, 2) > data.size())
        raise(kImageCorrupt);
      allocate(raster, in, width, height, 8);
      applyPalette(raster, colours);
      if (masking == 2)
        raster.transparentIndex = static_cast<std::int16_t>(transparent);
      ilbmBody(data, raster, masking == 1);
      body = true;
    } else {
      raise(kImageCorrupt);
    }
    // Chunks of odd size are followed by a pad byte.
    if (size % 2 && position + 8 + size < formSize)
      in.skip(1);
    position += 8 + std::uint64_t(size) + size % 2;
  }
  if (!body)
    raise(kImageCorrupt);
}

} // namespace

int readBMP(const std::string& path, RasterRecord* raster)
{
  return runReader(decodeBmp, path, raster);
}

int readTGA(const std::string& path, RasterRecord* raster)
{
  return runReader(decodeTga, path, raster);
}

int readCEL(const std::string& path, RasterRecord* raster)
{
  return runReader(decodeCel, path, raster);
}

int readSGI(const std::string& path, RasterRecord* raster)
{
  return runReader(decodeSgi, path, raster);
}

int readPSD(const std::string& path, RasterRecord* raster)
{
  return runReader(decodePsd, path, raster);
}

int readIFF(const std::string& path, RasterRecord* raster)
{
  return runReader(decodeIff, path, raster);
}

} // namespace quillet
