// PNG files written byte by byte, for headers no encoder writes.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>

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

} // namespace tarvek::test
