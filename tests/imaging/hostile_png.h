// PNG files written byte by byte, for headers no encoder writes.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tarvek::test {

// One PNG chunk: length, type, data and checksum.
inline std::string pngChunk(const std::string& type, const std::string& data)
{
  const auto bigEndian = [](std::uint32_t v) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
      bytes += static_cast<char>((v >> shift) & 0xff);
    return bytes;
  };
  const std::string body = type + data;
  const uLong crc =
      crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
  return bigEndian(static_cast<std::uint32_t>(data.size())) + body
         + bigEndian(static_cast<std::uint32_t>(crc));
}

// A PNG whose header claims width x height over an empty image, with
// correct checksums so that the header itself reads.
inline std::string pngClaiming(std::uint32_t width, std::uint32_t height)
{
  std::string header;
  for (const std::uint32_t v : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8)
      header += static_cast<char>((v >> shift) & 0xff);
  header += std::string("\x08\x02\x00\x00\x00", 5);
  return std::string("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header)
         + pngChunk("IDAT", std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8))
         + pngChunk("IEND", "");
}

// The bytes deflated by zlib at its best compression.
inline std::string deflated(const std::string& bytes)
{
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::vector<Bytef> out(size);
  compress2(out.data(), &size, reinterpret_cast<const Bytef*>(bytes.data()),
            static_cast<uLong>(bytes.size()), Z_BEST_COMPRESSION);
  return std::string(reinterpret_cast<const char*>(out.data()), size);
}

// A whole PNG of width x height black pixels, 8-bit grey unless told
// (colour type 2 is RGB), deflated row by row so that no buffer of the
// picture's size is held.
inline std::string blackPng(std::uint32_t width, std::uint32_t height, int bitDepth = 8,
                            int colourType = 0)
{
  std::string header;
  for (const std::uint32_t v : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8)
      header += static_cast<char>((v >> shift) & 0xff);
  header += {static_cast<char>(bitDepth), static_cast<char>(colourType), '\0', '\0', '\0'};
  const std::size_t samples = colourType == 2 ? 3 : 1;
  z_stream stream{};
  deflateInit(&stream, Z_BEST_SPEED);
  std::vector<Bytef> row(std::size_t{width} * samples * static_cast<std::size_t>(bitDepth) / 8 + 1, 0);
  std::vector<Bytef> out(64 * 1024);
  std::string data;
  for (std::uint32_t y = 0; y <= height; ++y) {
    stream.next_in = row.data();
    stream.avail_in = y < height ? static_cast<uInt>(row.size()) : 0u;
    const int flush = y < height ? Z_NO_FLUSH : Z_FINISH;
    do {
      stream.next_out = out.data();
      stream.avail_out = static_cast<uInt>(out.size());
      deflate(&stream, flush);
      data.append(reinterpret_cast<const char*>(out.data()), out.size() - stream.avail_out);
    } while (stream.avail_out == 0);
  }
  deflateEnd(&stream);
  return std::string("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", data)
         + pngChunk("IEND", "");
}

// A 1 x 1 grey PNG carrying `count` zTXt chunks, each of which unpacks to
// `unpacked` bytes: small on disk, far larger once its text is read.
inline std::string pngWithTexts(int count, std::size_t unpacked)
{
  const std::string one = blackPng(1, 1);
  const std::string text =
      pngChunk("zTXt", std::string("Comment\0\0", 9) + deflated(std::string(unpacked, 'a')));
  std::string texts;
  for (int i = 0; i < count; ++i)
    texts += text;
  // After the signature and the header chunk.
  return one.substr(0, 33) + texts + one.substr(33);
}

} // namespace tarvek::test
