#pragma once

// BMP, TGA, CEL, SGI, PSD and IFF files built byte by byte from a known
// picture, for the readers written without a library.

#include <cstdint>
#include <vector>

namespace quillet::test {

using Bytes = std::vector<std::uint8_t>;

// Appends little- and big-endian fields.
struct ByteWriter {
  Bytes bytes;
  ByteWriter& u8(unsigned v);
  ByteWriter& u16le(unsigned v);
  ByteWriter& u16be(unsigned v);
  ByteWriter& u32le(std::uint32_t v);
  ByteWriter& u32be(std::uint32_t v);
  ByteWriter& text(const char* s);
  ByteWriter& append(const Bytes& more);
  ByteWriter& zeros(std::size_t count);
};

// width x height red, green, blue bytes, top row first.
struct Picture {
  int width = 0, height = 0;
  Bytes rgb;
};

// Indices into a palette of red, green, blue triples, top row first.
struct IndexedPicture {
  int width = 0, height = 0;
  Bytes palette;
  Bytes indices;
  Picture expanded() const;
};

// Every pixel a different colour and no symmetry, so a flipped, mirrored
// or channel-swapped reading shows.
Picture samplePicture(int width, int height);
// colours distinct palette entries, no two rows alike.
IndexedPicture sampleIndexed(int width, int height, int colours);
// The 8-bit levels of a picture as one channel.
Bytes grayLevels(const Picture& picture);

// PackBits (PSD) and ByteRun1 (IFF) share one code.
Bytes packBits(const Bytes& row);

// Uncompressed: 24 bits from a picture, or 1, 4, 8 bits from indices.
Bytes bmpFile(const Picture& picture, bool topDown);
Bytes bmpFile(const IndexedPicture& picture, int bits, bool topDown);
// Header and palette (2^bits entries) before the given pixel data.
Bytes bmpFileWithData(int width, int height, int bits, int compression, const Bytes& palette,
                      const Bytes& data);

// True colour at depth 15, 16, 24 or 32 (type 2, or 10 with rle); rows in
// the order the descriptor's bits 4 and 5 name.
Bytes tgaFile(const Picture& picture, int depth, bool rle, int descriptor);
// Colour-mapped (type 1 or 9, entries of mapEntryBits 16, 24 or 32) or,
// with gray, gray levels of the indices (type 3 or 11, no map).
Bytes tgaIndexedFile(const IndexedPicture& picture, bool gray, bool rle, int descriptor,
                     int mapEntryBits);

// The simple cel: palette levels divided by 4.
Bytes simpleCelFile(const IndexedPicture& picture);
// A flic-style cel with one frame of these sub-chunks (each: 32-bit size,
// 16-bit type, data); a prefix chunk first when withPrefix.
Bytes flicCelFile(int width, int height, const std::vector<Bytes>& subChunks, bool withPrefix);
Bytes celSubChunk(unsigned type, const Bytes& data);
// Colour chunk data: one packet of all entries of the palette.
Bytes celColourData(const Bytes& palette);
// Byte-run data of indices, top row first.
Bytes celByteRunData(int width, int height, const Bytes& indices);

// channels 1, 3 or 4 interleaved samples, top row first.
Bytes sgiFile(int width, int height, int channels, const Bytes& samples, bool rle);

// mode 1 gray, 2 indexed (modeData the 768-byte palette), 3 RGB, 8
// duotone; samples interleaved, top row first.
Bytes psdFile(int width, int height, int mode, int channels, const Bytes& samples, bool rle,
              const Bytes& modeData);

// 8 planes, ByteRun1, with a mask plane when mask is set; the CMAP holds
// the palette as given.
Bytes ilbmFile(const IndexedPicture& picture, bool mask);

} // namespace quillet::test
