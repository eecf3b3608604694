#include "pdfwriter/image_format_fixtures.h"

#include <cstring>
#include <functional>

namespace quillet::test {

ByteWriter& ByteWriter::u8(unsigned v)
{
  bytes.push_back(std::uint8_t(v));
  return *this;
}

ByteWriter& ByteWriter::u16le(unsigned v)
{
  return u8(v & 0xFF).u8(v >> 8 & 0xFF);
}

ByteWriter& ByteWriter::u16be(unsigned v)
{
  return u8(v >> 8 & 0xFF).u8(v & 0xFF);
}

ByteWriter& ByteWriter::u32le(std::uint32_t v)
{
  return u16le(v & 0xFFFF).u16le(v >> 16);
}

ByteWriter& ByteWriter::u32be(std::uint32_t v)
{
  return u16be(v >> 16).u16be(v & 0xFFFF);
}

ByteWriter& ByteWriter::text(const char* s)
{
  bytes.insert(bytes.end(), s, s + std::strlen(s));
  return *this;
}

ByteWriter& ByteWriter::append(const Bytes& more)
{
  bytes.insert(bytes.end(), more.begin(), more.end());
  return *this;
}

ByteWriter& ByteWriter::zeros(std::size_t count)
{
  bytes.insert(bytes.end(), count, 0);
  return *this;
}

Picture IndexedPicture::expanded() const
{
  Picture out{width, height, {}};
  for (std::uint8_t index : indices)
    out.rgb.insert(out.rgb.end(), palette.begin() + index * 3, palette.begin() + index * 3 + 3);
  return out;
}

Picture samplePicture(int width, int height)
{
  Picture out{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      out.rgb.insert(out.rgb.end(), {std::uint8_t(x * 37 + y * 11 + 5),
                                     std::uint8_t(y * 53 + x * 3 + 90), std::uint8_t(x * y * 7 + 200)});
  return out;
}

IndexedPicture sampleIndexed(int width, int height, int colours)
{
  IndexedPicture out{width, height, {}, {}};
  for (int i = 0; i < colours; ++i)
    out.palette.insert(out.palette.end(),
                       {std::uint8_t(i * 40 + 20), std::uint8_t(255 - i * 17), std::uint8_t(i * 91)});
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      out.indices.push_back(std::uint8_t((x * 3 + y * 5 + x * y) % colours));
  return out;
}

Bytes grayLevels(const Picture& picture)
{
  Bytes out;
  for (std::size_t i = 0; i < picture.rgb.size(); i += 3)
    out.push_back(picture.rgb[i]);
  return out;
}

Bytes packBits(const Bytes& row)
{
  Bytes out;
  std::size_t i = 0;
  while (i < row.size()) {
    std::size_t run = 1;
    while (i + run < row.size() && run < 128 && row[i + run] == row[i])
      ++run;
    if (run >= 3) {
      out.push_back(std::uint8_t(257 - run));
      out.push_back(row[i]);
      i += run;
      continue;
    }
    std::size_t literal = 0;
    while (i + literal < row.size() && literal < 128) {
      const std::size_t at = i + literal;
      if (at + 2 < row.size() && row[at] == row[at + 1] && row[at] == row[at + 2])
        break;
      ++literal;
    }
    out.push_back(std::uint8_t(literal - 1));
    out.insert(out.end(), row.begin() + i, row.begin() + i + literal);
    i += literal;
  }
  return out;
}

namespace {

Bytes bmpHeaders(int width, int height, int bits, int compression, std::size_t paletteEntries,
                 std::size_t dataSize)
{
  const std::uint32_t offset = 14 + 40 + std::uint32_t(paletteEntries) * 4;
  ByteWriter w;
  w.text("BM").u32le(offset + std::uint32_t(dataSize)).u32le(0).u32le(offset);
  w.u32le(40).u32le(std::uint32_t(width)).u32le(std::uint32_t(height)).u16le(1).u16le(unsigned(bits));
  w.u32le(std::uint32_t(compression)).u32le(std::uint32_t(dataSize)).u32le(2835).u32le(2835);
  w.u32le(0).u32le(0);
  return w.bytes;
}

void bmpPalette(ByteWriter& w, const Bytes& palette, std::size_t entries)
{
  for (std::size_t i = 0; i < entries; ++i) {
    if (i * 3 + 2 < palette.size())
      w.u8(palette[i * 3 + 2]).u8(palette[i * 3 + 1]).u8(palette[i * 3]).u8(0);
    else
      w.u32le(0);
  }
}

// Rows in file order for a picture stored bottom-up unless topDown.
template <typename Row>
Bytes bmpRows(int height, bool topDown, std::size_t rowBytes, Row row)
{
  Bytes out;
  for (int i = 0; i < height; ++i) {
    Bytes stored(rowBytes, 0);
    row(topDown ? i : height - 1 - i, stored);
    out.insert(out.end(), stored.begin(), stored.end());
  }
  return out;
}

} // namespace

Bytes bmpFile(const Picture& picture, bool topDown)
{
  const std::size_t rowBytes = (std::size_t(picture.width) * 3 + 3) / 4 * 4;
  const Bytes data = bmpRows(picture.height, topDown, rowBytes, [&](int y, Bytes& stored) {
    for (int x = 0; x < picture.width; ++x)
      for (int c = 0; c < 3; ++c)
        stored[std::size_t(x) * 3 + c] = picture.rgb[(std::size_t(y) * picture.width + x) * 3 + 2 - c];
  });
  ByteWriter w;
  w.append(bmpHeaders(picture.width, topDown ? -picture.height : picture.height, 24, 0, 0,
                      data.size()));
  w.append(data);
  return w.bytes;
}

Bytes bmpFile(const IndexedPicture& picture, int bits, bool topDown)
{
  const std::size_t rowBytes = (std::size_t(bits) * picture.width + 31) / 32 * 4;
  const Bytes data = bmpRows(picture.height, topDown, rowBytes, [&](int y, Bytes& stored) {
    for (int x = 0; x < picture.width; ++x) {
      const unsigned index = picture.indices[std::size_t(y) * picture.width + x];
      const std::size_t bit = std::size_t(x) * bits;
      stored[bit / 8] |= std::uint8_t(index << (8 - bits - bit % 8));
    }
  });
  ByteWriter w;
  w.append(bmpHeaders(picture.width, topDown ? -picture.height : picture.height, bits, 0,
                      std::size_t(1) << bits, data.size()));
  bmpPalette(w, picture.palette, std::size_t(1) << bits);
  w.append(data);
  return w.bytes;
}

Bytes bmpFileWithData(int width, int height, int bits, int compression, const Bytes& palette,
                      const Bytes& data)
{
  const std::size_t entries = bits < 24 ? std::size_t(1) << bits : 0;
  ByteWriter w;
  w.append(bmpHeaders(width, height, bits, compression, entries, data.size()));
  bmpPalette(w, palette, entries);
  w.append(data);
  return w.bytes;
}

namespace {

// Pixels in the order the descriptor names, then raw or as run packets
// that stay within a row.
Bytes tgaPixels(int width, int height, std::size_t pixelBytes, bool rle, int descriptor,
                const std::function<void(int x, int y, std::uint8_t* out)>& pixel)
{
  Bytes out;
  for (int i = 0; i < height; ++i) {
    const int y = descriptor & 0x20 ? i : height - 1 - i;
    Bytes row(std::size_t(width) * pixelBytes);
    for (int j = 0; j < width; ++j)
      pixel(descriptor & 0x10 ? width - 1 - j : j, y, &row[std::size_t(j) * pixelBytes]);
    if (!rle) {
      out.insert(out.end(), row.begin(), row.end());
      continue;
    }
    auto same = [&](int a, int b) {
      return std::memcmp(&row[std::size_t(a) * pixelBytes], &row[std::size_t(b) * pixelBytes],
                         pixelBytes) == 0;
    };
    for (int x = 0; x < width;) {
      int run = 1;
      while (x + run < width && run < 128 && same(x, x + run))
        ++run;
      if (run >= 2) {
        out.push_back(std::uint8_t(0x80 | (run - 1)));
        out.insert(out.end(), row.begin() + std::ptrdiff_t(x * pixelBytes),
                   row.begin() + std::ptrdiff_t((x + 1) * pixelBytes));
        x += run;
        continue;
      }
      int literal = 1;
      while (x + literal < width && literal < 128 &&
             !(x + literal + 1 < width && same(x + literal, x + literal + 1)))
        ++literal;
      out.push_back(std::uint8_t(literal - 1));
      out.insert(out.end(), row.begin() + std::ptrdiff_t(x * pixelBytes),
                 row.begin() + std::ptrdiff_t((x + literal) * pixelBytes));
      x += literal;
    }
  }
  return out;
}

} // namespace

Bytes tgaFile(const Picture& picture, int depth, bool rle, int descriptor)
{
  const std::size_t pixelBytes = depth == 15 ? 2 : std::size_t(depth) / 8;
  ByteWriter w;
  w.u8(0).u8(0).u8(rle ? 10 : 2).u16le(0).u16le(0).u8(0).u16le(0).u16le(0);
  w.u16le(unsigned(picture.width)).u16le(unsigned(picture.height)).u8(unsigned(depth));
  w.u8(unsigned(descriptor | (depth == 32 ? 8 : 0)));
  w.append(tgaPixels(picture.width, picture.height, pixelBytes, rle, descriptor,
                     [&](int x, int y, std::uint8_t* out) {
                       const std::uint8_t* p = &picture.rgb[(std::size_t(y) * picture.width + x) * 3];
                       if (pixelBytes == 2) {
                         const unsigned v = unsigned(p[0] >> 3) << 10 | unsigned(p[1] >> 3) << 5 | p[2] >> 3;
                         out[0] = std::uint8_t(v & 0xFF);
                         out[1] = std::uint8_t(v >> 8);
                         return;
                       }
                       out[0] = p[2];
                       out[1] = p[1];
                       out[2] = p[0];
                       if (pixelBytes == 4)
                         out[3] = 255;
                     }));
  return w.bytes;
}

Bytes tgaIndexedFile(const IndexedPicture& picture, bool gray, bool rle, int descriptor,
                     int mapEntryBits)
{
  const std::size_t entries = picture.palette.size() / 3;
  ByteWriter w;
  w.u8(0).u8(gray ? 0 : 1).u8(gray ? (rle ? 11 : 3) : (rle ? 9 : 1));
  w.u16le(0).u16le(gray ? 0 : unsigned(entries)).u8(gray ? 0 : unsigned(mapEntryBits));
  w.u16le(0).u16le(0).u16le(unsigned(picture.width)).u16le(unsigned(picture.height)).u8(8);
  w.u8(unsigned(descriptor));
  for (std::size_t i = 0; !gray && i < entries; ++i) {
    const std::uint8_t* p = &picture.palette[i * 3];
    if (mapEntryBits == 16) {
      w.u16le(unsigned(p[0] >> 3) << 10 | unsigned(p[1] >> 3) << 5 | p[2] >> 3);
      continue;
    }
    w.u8(p[2]).u8(p[1]).u8(p[0]);
    if (mapEntryBits == 32)
      w.u8(255);
  }
  w.append(tgaPixels(picture.width, picture.height, 1, rle, descriptor,
                     [&](int x, int y, std::uint8_t* out) {
                       *out = picture.indices[std::size_t(y) * picture.width + x];
                     }));
  return w.bytes;
}

Bytes simpleCelFile(const IndexedPicture& picture)
{
  ByteWriter w;
  w.u16le(0x9119).u16le(unsigned(picture.width)).u16le(unsigned(picture.height));
  w.u16le(0).u16le(0).u8(8).u8(0).u32le(std::uint32_t(picture.indices.size())).zeros(16);
  for (std::size_t i = 0; i < 256 * 3; ++i)
    w.u8(i < picture.palette.size() ? picture.palette[i] >> 2 : 0);
  w.append(picture.indices);
  return w.bytes;
}

Bytes celSubChunk(unsigned type, const Bytes& data)
{
  ByteWriter w;
  w.u32le(std::uint32_t(data.size() + 6)).u16le(type).append(data);
  return w.bytes;
}

Bytes celColourData(const Bytes& palette)
{
  const std::size_t entries = palette.size() / 3;
  ByteWriter w;
  w.u16le(1).u8(0).u8(unsigned(entries % 256)).append(palette);
  return w.bytes;
}

Bytes celByteRunData(int width, int height, const Bytes& indices)
{
  ByteWriter w;
  for (int y = 0; y < height; ++y) {
    w.u8(0);
    const std::uint8_t* row = &indices[std::size_t(y) * width];
    for (int x = 0; x < width;) {
      int run = 1;
      while (x + run < width && run < 127 && row[x + run] == row[x])
        ++run;
      if (run >= 2) {
        w.u8(unsigned(run)).u8(row[x]);
        x += run;
        continue;
      }
      int literal = 1;
      while (x + literal < width && literal < 127 &&
             !(x + literal + 1 < width && row[x + literal] == row[x + literal + 1]))
        ++literal;
      w.u8(unsigned(256 - literal));
      w.bytes.insert(w.bytes.end(), row + x, row + x + literal);
      x += literal;
    }
  }
  return w.bytes;
}

Bytes flicCelFile(int width, int height, const std::vector<Bytes>& subChunks, bool withPrefix)
{
  ByteWriter frame;
  for (const Bytes& sub : subChunks)
    frame.append(sub);
  ByteWriter w;
  w.u32le(0).u16le(0xAF12).u16le(1).u16le(unsigned(width)).u16le(unsigned(height)).u16le(8);
  w.zeros(128 - 14);
  if (withPrefix)
    w.u32le(16 + 4).u16le(0xF100).u16le(0).zeros(8).u32le(0);
  w.u32le(std::uint32_t(16 + frame.bytes.size())).u16le(0xF1FA);
  w.u16le(unsigned(subChunks.size())).zeros(8).append(frame.bytes);
  return w.bytes;
}

namespace {

Bytes sgiRow(const Bytes& row)
{
  Bytes out;
  std::size_t i = 0;
  while (i < row.size()) {
    std::size_t run = 1;
    while (i + run < row.size() && run < 127 && row[i + run] == row[i])
      ++run;
    if (run >= 3) {
      out.push_back(std::uint8_t(run));
      out.push_back(row[i]);
      i += run;
      continue;
    }
    std::size_t literal = 0;
    while (i + literal < row.size() && literal < 127) {
      const std::size_t at = i + literal;
      if (at + 2 < row.size() && row[at] == row[at + 1] && row[at] == row[at + 2])
        break;
      ++literal;
    }
    out.push_back(std::uint8_t(0x80 | literal));
    out.insert(out.end(), row.begin() + std::ptrdiff_t(i), row.begin() + std::ptrdiff_t(i + literal));
    i += literal;
  }
  out.push_back(0);
  return out;
}

} // namespace

Bytes sgiFile(int width, int height, int channels, const Bytes& samples, bool rle)
{
  ByteWriter w;
  w.u16be(474).u8(rle ? 1 : 0).u8(1).u16be(channels == 1 ? 2 : 3);
  w.u16be(unsigned(width)).u16be(unsigned(height)).u16be(unsigned(channels));
  w.u32be(0).u32be(255).zeros(4).text("fixture").zeros(80 - 7).u32be(0).zeros(404);
  // Channel planes, bottom row first.
  std::vector<Bytes> rows;
  for (int c = 0; c < channels; ++c)
    for (int i = 0; i < height; ++i) {
      const int y = height - 1 - i;
      Bytes row;
      for (int x = 0; x < width; ++x)
        row.push_back(samples[(std::size_t(y) * width + x) * channels + c]);
      rows.push_back(rle ? sgiRow(row) : row);
    }
  if (rle) {
    std::uint32_t offset = 512 + std::uint32_t(rows.size()) * 8;
    for (const Bytes& row : rows) {
      w.u32be(offset);
      offset += std::uint32_t(row.size());
    }
    for (const Bytes& row : rows)
      w.u32be(std::uint32_t(row.size()));
  }
  for (const Bytes& row : rows)
    w.append(row);
  return w.bytes;
}

Bytes psdFile(int width, int height, int mode, int channels, const Bytes& samples, bool rle,
              const Bytes& modeData)
{
  ByteWriter w;
  w.text("8BPS").u16be(1).zeros(6).u16be(unsigned(channels)).u32be(std::uint32_t(height));
  w.u32be(std::uint32_t(width)).u16be(8).u16be(unsigned(mode));
  w.u32be(std::uint32_t(modeData.size())).append(modeData).u32be(0).u32be(0).u16be(rle ? 1 : 0);
  std::vector<Bytes> rows;
  for (int c = 0; c < channels; ++c)
    for (int y = 0; y < height; ++y) {
      Bytes row;
      for (int x = 0; x < width; ++x)
        row.push_back(samples[(std::size_t(y) * width + x) * channels + c]);
      rows.push_back(rle ? packBits(row) : row);
    }
  if (rle)
    for (const Bytes& row : rows)
      w.u16be(unsigned(row.size()));
  for (const Bytes& row : rows)
    w.append(row);
  return w.bytes;
}

Bytes ilbmFile(const IndexedPicture& picture, bool mask)
{
  const std::size_t planeBytes = (std::size_t(picture.width) + 15) / 16 * 2;
  ByteWriter body;
  for (int y = 0; y < picture.height; ++y)
    for (int p = 0; p < (mask ? 9 : 8); ++p) {
      Bytes plane(planeBytes, 0);
      for (int x = 0; x < picture.width; ++x) {
        const unsigned index = picture.indices[std::size_t(y) * picture.width + x];
        const unsigned bit = p == 8 ? 1u : (index >> p) & 1u;
        plane[std::size_t(x) / 8] |= std::uint8_t(bit << (7 - x % 8));
      }
      body.append(packBits(plane));
    }
  ByteWriter chunks;
  chunks.text("BMHD").u32be(20).u16be(unsigned(picture.width)).u16be(unsigned(picture.height));
  chunks.u16be(0).u16be(0).u8(8).u8(mask ? 1 : 0).u8(1).u8(0).u16be(0).u8(10).u8(11);
  chunks.u16be(unsigned(picture.width)).u16be(unsigned(picture.height));
  chunks.text("CMAP").u32be(std::uint32_t(picture.palette.size())).append(picture.palette);
  if (picture.palette.size() % 2)
    chunks.u8(0);
  chunks.text("BODY").u32be(std::uint32_t(body.bytes.size())).append(body.bytes);
  if (body.bytes.size() % 2)
    chunks.u8(0);
  ByteWriter w;
  w.text("FORM").u32be(std::uint32_t(chunks.bytes.size() + 4)).text("ILBM").append(chunks.bytes);
  return w.bytes;
}

} // namespace quillet::test
