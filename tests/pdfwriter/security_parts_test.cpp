#include "pdfwriter/rc4.h"
#include "pdfwriter/standard_security.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {
namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text)
{
  return {text.begin(), text.end()};
}

std::string hex(const std::vector<std::uint8_t>& bytes)
{
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (std::uint8_t b : bytes) {
    out.push_back(digits[b >> 4]);
    out.push_back(digits[b & 0xF]);
  }
  return out;
}

// Published RC4 vectors; a slip in the key schedule or the output step
// changes every byte.
TEST(Rc4Test, matchesPublishedVectors)
{
  const struct {
    std::vector<std::uint8_t> key;
    std::vector<std::uint8_t> plain;
    const char* cipher;
  } cases[] = {
    {bytesOf("Key"), bytesOf("Plaintext"), "BBF316E8D940AF0AD3"},
    {bytesOf("Wiki"), bytesOf("pedia"), "1021BF0420"},
    {bytesOf("Secret"), bytesOf("Attack at dawn"), "45A01F645FC35B383552544B9BF5"},
    {{1, 2, 3, 4, 5}, std::vector<std::uint8_t>(16, 0), "B2396305F03DC027CCC3524A0A1118A8"},
  };
  for (const auto& c : cases) {
    Rc4 rc4;
    rc4.setKey(c.key);
    std::vector<std::uint8_t> out(c.plain.size());
    rc4.process(c.plain, out.data());
    EXPECT_EQ(hex(out), c.cipher) << "key " << hex(c.key);
  }
}

// Streams are encrypted in pieces as they are written; the key stream must
// run on across calls, and setKey must start it afresh.
TEST(Rc4Test, continuesAcrossCallsAndRestartsOnSetKey)
{
  const auto key = bytesOf("Secret");
  const auto plain = bytesOf("Attack at dawn");
  Rc4 rc4;
  rc4.setKey(key);
  std::vector<std::uint8_t> pieces(plain.size());
  rc4.process(std::span(plain).first(5), pieces.data());
  rc4.process(std::span(plain).subspan(5), pieces.data() + 5);
  EXPECT_EQ(hex(pieces), "45A01F645FC35B383552544B9BF5");

  rc4.setKey(key);
  std::vector<std::uint8_t> inPlace = pieces;
  rc4.process(inPlace, inPlace.data());
  EXPECT_EQ(inPlace, plain);
}

TEST(StandardSecurityTest, permissionValueClearsLowBitsAndSetsReservedOnes)
{
  const struct {
    std::int32_t permission;
    std::int32_t expected;
  } cases[] = {{0, -3904}, {-1, -4}, {3, -3904}, {4, -3900}};
  for (const auto& c : cases)
    EXPECT_EQ(permissionValue(c.permission), c.expected) << "permission " << c.permission;
}

// Passwords longer than 32 bytes count by their first 32; shorter ones are
// filled with the start of the standard padding.
TEST(StandardSecurityTest, padPasswordCutsAndFills)
{
  EXPECT_EQ(hex(std::vector<std::uint8_t>(kPasswordPadding.begin(), kPasswordPadding.end())),
            "28BF4E5E4E758A4164004E56FFFA01082E2E00B6D0683E802F0CA9FE6453697A");

  const auto empty = padPassword("");
  EXPECT_EQ(empty, kPasswordPadding);

  const auto user = padPassword("user");
  EXPECT_EQ(std::string(user.begin(), user.begin() + 4), "user");
  EXPECT_TRUE(std::equal(user.begin() + 4, user.end(), kPasswordPadding.begin()));

  const std::string forty = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
  const auto padded = padPassword(forty);
  EXPECT_EQ(std::string(padded.begin(), padded.end()), forty.substr(0, 32));
  EXPECT_EQ(padded, padPassword(forty.substr(0, 32)));
}

} // namespace
} // namespace quillet
