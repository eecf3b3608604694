#include "pdfwriter/pdf_security.h"

#include "pdfwriter/md5.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/standard_security.h"

#include <algorithm>
#include <string>

namespace quillet {
namespace {

using Digest = Md5::Digest;

// Revision 2 goes with 40-bit keys and leaves out the strengthening rounds.
bool revision2(const SecurityHandler& s)
{
  return s.keyLength != 16;
}

// MD5 repeated 50 times over its own result, as revision 3 asks.
Digest strengthen(Digest digest, int keyLength)
{
  for (int i = 0; i < 50; ++i) {
    Md5 md5;
    md5.update(digest.data(), static_cast<std::size_t>(keyLength));
    digest = md5.finish();
  }
  return digest;
}

// RC4 with the key, then 19 more passes with the key's bytes XORed with the
// pass number.
void twentyPasses(std::span<const std::uint8_t> key, std::uint8_t* data, std::size_t count)
{
  std::array<std::uint8_t, 16> passKey{};
  for (std::uint8_t pass = 0; pass < 20; ++pass) {
    for (std::size_t k = 0; k < key.size(); ++k)
      passKey[k] = static_cast<std::uint8_t>(key[k] ^ pass);
    Rc4 rc4;
    rc4.setKey({passKey.data(), key.size()});
    rc4.process({data, count}, data);
  }
}

std::array<std::uint8_t, 32> ownerValue(const SecurityHandler& s)
{
  const auto ownerPadded = padPassword(s.ownerPassword);
  Md5 md5;
  md5.update(ownerPadded.data(), ownerPadded.size());
  const Digest digest = md5.finish();
  const Digest key = revision2(s) ? digest : strengthen(digest, s.keyLength);
  auto value = padPassword(s.userPassword);
  if (revision2(s)) {
    Rc4 rc4;
    rc4.setKey({key.data(), std::size_t(s.keyLength)});
    rc4.process({value.data(), value.size()}, value.data());
  } else {
    twentyPasses({key.data(), std::size_t(s.keyLength)}, value.data(), value.size());
  }
  return value;
}

Digest fileKey(const SecurityHandler& s, const std::array<std::uint8_t, 16>& fileId)
{
  const auto userPadded = padPassword(s.userPassword);
  Md5 md5;
  md5.update(userPadded.data(), userPadded.size());
  md5.update(s.owner.data(), s.owner.size());
  const auto p = static_cast<std::uint32_t>(s.permission);
  const std::uint8_t pBytes[4] = {std::uint8_t(p), std::uint8_t(p >> 8), std::uint8_t(p >> 16),
                                  std::uint8_t(p >> 24)};
  md5.update(pBytes, sizeof pBytes);
  md5.update(fileId.data(), fileId.size());
  const Digest digest = md5.finish();
  return revision2(s) ? digest : strengthen(digest, s.keyLength);
}

std::array<std::uint8_t, 32> userValue(const SecurityHandler& s,
                                       const std::array<std::uint8_t, 16>& fileId)
{
  if (revision2(s)) {
    std::array<std::uint8_t, 32> value = kPasswordPadding;
    Rc4 rc4;
    rc4.setKey({s.key.data(), std::size_t(s.keyLength)});
    rc4.process({value.data(), value.size()}, value.data());
    return value;
  }
  Md5 md5;
  md5.update(kPasswordPadding.data(), kPasswordPadding.size());
  md5.update(fileId.data(), fileId.size());
  const Digest digest = md5.finish();
  std::array<std::uint8_t, 32> value{};
  std::copy(digest.begin(), digest.end(), value.begin());
  twentyPasses({s.key.data(), std::size_t(s.keyLength)}, value.data(), 16);
  return value;
}

void writeHexEntry(PdfDocument* doc, const char* key, const std::array<std::uint8_t, 32>& value)
{
  writeString(doc, key);
  writeHexString(doc, value.data(), value.size());
  writeChar(doc, '\n');
}

} // namespace

bool setupEncryption(PdfDocument* doc, std::int32_t permission, int keyLength,
                     std::string_view ownerPassword, std::string_view userPassword)
{
  // Streams already written would stay plain and readers would garble them.
  if (!doc || doc->security || doc->state != kOpen || doc->pageCount > 0
      || doc->xobjectCount > 0 || doc->compressionLevel == 0
      || (keyLength != 16 && keyLength != 5))
    return false;
  auto s = std::make_unique<SecurityHandler>();
  s->keyLength = keyLength;
  s->permission = permissionValue(permission);
  s->userPassword = userPassword.substr(0, 32);
  s->ownerPassword = ownerPassword.empty() ? s->userPassword
                                           : std::string(ownerPassword.substr(0, 32));
  if (!doc->haveFileId)
    computeFileId(doc);
  s->owner = ownerValue(*s);
  const Digest key = fileKey(*s, doc->fileId);
  std::copy_n(key.begin(), keyLength, s->key.begin());
  s->user = userValue(*s, doc->fileId);
  doc->security = std::move(s);
  return true;
}

void useObjectKey(PdfDocument* doc, std::int32_t objectNumber, std::int32_t generation)
{
  if (!doc || !doc->security)
    return;
  SecurityHandler& s = *doc->security;
  s.objectNumber = objectNumber;
  s.generation = generation;
  const auto m = static_cast<std::uint32_t>(objectNumber);
  const auto g = static_cast<std::uint32_t>(generation);
  const std::uint8_t suffix[5] = {std::uint8_t(m), std::uint8_t(m >> 8), std::uint8_t(m >> 16),
                                  std::uint8_t(g), std::uint8_t(g >> 8)};
  Md5 md5;
  md5.update(s.key.data(), std::size_t(s.keyLength));
  md5.update(suffix, sizeof suffix);
  const Digest digest = md5.finish();
  s.rc4.setKey({digest.data(), std::size_t(std::min(s.keyLength + 5, 16))});
}

void encryptBytes(PdfDocument* doc, const std::uint8_t* bytes, std::size_t count,
                  std::uint8_t* out)
{
  if (!doc || !doc->security || count == 0)
    return;
  doc->security->rc4.process({bytes, count}, out);
}

void writeTextString(PdfDocument* doc, std::int32_t objectNumber, std::string_view text)
{
  if (!doc)
    return;
  if (!doc->security) {
    writeLiteralString(doc, text.data(), text.size());
    return;
  }
  std::string sealed(text);
  useObjectKey(doc, objectNumber, 0);
  auto* bytes = reinterpret_cast<std::uint8_t*>(sealed.data());
  encryptBytes(doc, bytes, sealed.size(), bytes);
  writeHexString(doc, sealed.data(), sealed.size());
}

std::int32_t writeEncryptDict(PdfDocument* doc)
{
  if (!doc || !doc->security)
    return 0;
  const SecurityHandler& s = *doc->security;
  const std::int32_t n = writeObjectHeader(doc, 0);
  printPdf(doc, "<<\n/Filter /Standard\n/V 2\n/Length %d\n/R %d\n/P %d\n", 8 * s.keyLength,
           revision2(s) ? 2 : 3, s.permission);
  writeHexEntry(doc, "/O", s.owner);
  writeHexEntry(doc, "/U", s.user);
  writeString(doc, ">>\nendobj\n");
  return n;
}

} // namespace quillet
