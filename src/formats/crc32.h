#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvek {

// CRC-32 as in zlib and PKZIP (reflected polynomial 0xEDB88320, all ones in,
// complement out) of a file or a byte array. Values come back in signed form.
// An empty file counts as one zero byte, as the part library's stored
// checksums were made that way; a missing file or an empty array has none.
class clCRC32 {
public:
  clCRC32();

  std::optional<std::int32_t> GetCrc32(const std::string& fileName) const;
  // 8 lower-case hexadecimal digits.
  std::optional<std::string> GetCrc32HexString(const std::string& fileName) const;
  std::optional<std::string> GetCrc32HexStringBytes(const std::vector<std::uint8_t>& bytes) const;
  // The last 8 characters of "00000000" and the signed decimal value.
  std::optional<std::string> GetCrc32LngStringBytes(const std::vector<std::uint8_t>& bytes) const;
  // The file's bytes; {0} for an empty file, {} for a missing or unreadable one.
  std::vector<std::uint8_t> getFileBytes(const std::string& fileName) const;

private:
  std::optional<std::int32_t> checksum(const std::vector<std::uint8_t>& bytes) const;

  std::array<std::uint32_t, 256> crcTable{};
};

} // namespace tarvek
