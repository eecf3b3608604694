#include "formats/crc32.h"

#include "runtime/file_util.h"

namespace tarvek {

namespace {

std::string lastEight(const std::string& text)
{
  const std::string padded = "00000000" + text;
  return padded.substr(padded.size() - 8);
}

std::string hexText(std::int32_t value)
{
  static constexpr char digits[] = "0123456789abcdef";
  auto v = static_cast<std::uint32_t>(value);
  std::string text(8, '0');
  for (int i = 7; i >= 0; --i) {
    text[static_cast<std::size_t>(i)] = digits[v & 15u];
    v >>= 4;
  }
  return text;
}

} // namespace

clCRC32::clCRC32()
{
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k)
      c = (c & 1u) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    crcTable[n] = c;
  }
}

std::optional<std::int32_t> clCRC32::checksum(const std::vector<std::uint8_t>& bytes) const
{
  if (bytes.empty())
    return std::nullopt;
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const std::uint8_t b : bytes)
    crc = (crc >> 8) ^ crcTable[(crc ^ b) & 0xFFu];
  return static_cast<std::int32_t>(~crc);
}

std::optional<std::int32_t> clCRC32::GetCrc32(const std::string& fileName) const
{
  return checksum(getFileBytes(fileName));
}

std::optional<std::string> clCRC32::GetCrc32HexString(const std::string& fileName) const
{
  const auto crc = GetCrc32(fileName);
  if (!crc)
    return std::nullopt;
  return hexText(*crc);
}

std::optional<std::string>
clCRC32::GetCrc32HexStringBytes(const std::vector<std::uint8_t>& bytes) const
{
  const auto crc = checksum(bytes);
  if (!crc)
    return std::nullopt;
  return hexText(*crc);
}

std::optional<std::string>
clCRC32::GetCrc32LngStringBytes(const std::vector<std::uint8_t>& bytes) const
{
  const auto crc = checksum(bytes);
  if (!crc)
    return std::nullopt;
  return lastEight(std::to_string(*crc));
}

std::vector<std::uint8_t> clCRC32::getFileBytes(const std::string& fileName) const
{
  std::string bytes;
  if (!readFileBytes(fileName, bytes))
    return {};
  if (bytes.empty())
    return {0};
  return {bytes.begin(), bytes.end()};
}

} // namespace tarvek
