// Checks on a picture file from outside before any decoder sees it.
#include "platform/image_file_check.h"

#include "runtime/picture_budget.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <zlib.h>

namespace tarvek {

namespace {

constexpr std::array<unsigned char, 8> kPngSignature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::size_t kPiece = 64 * 1024;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::uint32_t bigEndian(const unsigned char* p)
{
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// The bytes of a text chunk read to find where its compressed text starts:
// far more than any keyword, language tag and translated keyword need.
constexpr std::size_t kTextHeaderBytes = 64 * 1024;
constexpr long kNoCompressedText = -1;
constexpr long kHeaderBeyondHead = -2;

// Where the compressed bytes start in a chunk's data, from its first bytes
// (head): kNoCompressedText, or kHeaderBeyondHead when a field of the
// header does not end within head, so where the text starts is unknown.
long compressedStart(const char* type, const std::vector<unsigned char>& head)
{
  const auto nul = [&](std::size_t from) -> long {
    for (std::size_t i = from; i < head.size(); ++i)
      if (head[i] == 0)
        return static_cast<long>(i);
    return kHeaderBeyondHead;
  };
  const long keyEnd = nul(0);
  if (keyEnd < 0)
    return keyEnd;
  if (std::strcmp(type, "zTXt") == 0 || std::strcmp(type, "iCCP") == 0)
    return keyEnd + 2;
  // iTXt: keyword, compression flag, method, language, translated keyword.
  const auto flag = static_cast<std::size_t>(keyEnd) + 1;
  if (flag >= head.size())
    return kHeaderBeyondHead;
  if (head[flag] == 0)
    return kNoCompressedText;
  const long languageEnd = nul(flag + 2);
  if (languageEnd < 0)
    return languageEnd;
  const long translatedEnd = nul(static_cast<std::size_t>(languageEnd) + 1);
  return translatedEnd < 0 ? translatedEnd : translatedEnd + 1;
}

// Unpacks `length` bytes of the file from its current place, counting the
// output up to just past `allowance`: the bytes the text unpacks to, or
// allowance + 1 or more when it unpacks to more than that.
std::uint64_t unpackedBytes(std::FILE* file, std::uint64_t length, std::uint64_t allowance)
{
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK)
    return allowance + 1;
  std::vector<unsigned char> in(kPiece);
  std::vector<unsigned char> out(kPiece);
  std::uint64_t produced = 0;
  int status = Z_OK;
  while (length > 0 && status != Z_STREAM_END && produced <= allowance) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(length, kPiece));
    const std::size_t got = std::fread(in.data(), 1, want, file);
    if (got == 0)
      break;
    length -= got;
    stream.next_in = in.data();
    stream.avail_in = static_cast<uInt>(got);
    while (stream.avail_in > 0 && status != Z_STREAM_END) {
      stream.next_out = out.data();
      stream.avail_out = static_cast<uInt>(out.size());
      status = inflate(&stream, Z_NO_FLUSH);
      if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
        inflateEnd(&stream);
        return produced;  // Damaged text: the decoder refuses it on its own.
      }
      produced += out.size() - stream.avail_out;
      if (produced > allowance)
        break;
      if (status == Z_BUF_ERROR)
        break;
    }
  }
  inflateEnd(&stream);
  return produced;
}

bool isText(const char* type)
{
  return std::strcmp(type, "tEXt") == 0 || std::strcmp(type, "zTXt") == 0 ||
         std::strcmp(type, "iTXt") == 0 || std::strcmp(type, "iCCP") == 0;
}

} // namespace

std::string imageFileProblem(const std::string& path)
{
  const File file(std::fopen(path.c_str(), "rb"));
  if (!file)
    return {};
  std::array<unsigned char, 8> signature{};
  if (std::fread(signature.data(), 1, signature.size(), file.get()) != signature.size() ||
      signature != kPngSignature)
    return {};
  if (std::fseek(file.get(), 0, SEEK_END) != 0)
    return {};
  const long size = std::ftell(file.get());
  if (size < 0)
    return {};
  std::uint64_t at = signature.size();
  std::uint64_t text = 0;
  const std::string named = "The picture " + path;
  // A chunk whose header is there but whose data is cut short is checked too:
  // its claim reaches past the end.
  while (at + 8 <= static_cast<std::uint64_t>(size)) {
    std::array<unsigned char, 8> header{};
    if (std::fseek(file.get(), static_cast<long>(at), SEEK_SET) != 0 ||
        std::fread(header.data(), 1, header.size(), file.get()) != header.size())
      break;
    const std::uint64_t length = bigEndian(header.data());
    char type[5] = {static_cast<char>(header[4]), static_cast<char>(header[5]),
                    static_cast<char>(header[6]), static_cast<char>(header[7]), 0};
    if (at + 12 + length > static_cast<std::uint64_t>(size))
      return named + " cannot be read: its " + type + " chunk claims " + std::to_string(length) +
             " bytes, more than the file holds.";
    if (isText(type)) {
      std::uint64_t chunkText = length;
      if (std::strcmp(type, "tEXt") != 0) {
        std::vector<unsigned char> head(
            static_cast<std::size_t>(std::min<std::uint64_t>(length, kTextHeaderBytes)));
        if (std::fread(head.data(), 1, head.size(), file.get()) != head.size())
          break;
        const long start = compressedStart(type, head);
        // A header that runs past what was read could hide text of any size.
        if (start == kHeaderBeyondHead && head.size() < length)
          return named + " cannot be read: the header of its " + type + " chunk is longer than " +
                 std::to_string(kTextHeaderBytes >> 10) + " KiB.";
        if (start >= 0 && static_cast<std::uint64_t>(start) < length) {
          const auto packed = static_cast<std::uint64_t>(start);
          if (std::fseek(file.get(), static_cast<long>(at + 8 + packed), SEEK_SET) != 0)
            break;
          const std::uint64_t before = std::min(text + packed, kMostPictureTextBytes);
          chunkText = packed + unpackedBytes(file.get(), length - packed, kMostPictureTextBytes - before);
        }
      }
      text += chunkText;
      if (text > kMostPictureTextBytes)
        return named + " cannot be read: its " + type + " chunk" +
               (text > chunkText ? " and the text chunks before it unpack" : " unpacks") +
               " to more than " + std::to_string(kMostPictureTextBytes >> 20) + " MiB.";
    }
    if (std::strcmp(type, "IEND") == 0)
      break;
    at += 12 + length;
  }
  return {};
}

} // namespace tarvek
