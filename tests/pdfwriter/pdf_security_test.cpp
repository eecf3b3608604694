#include "pdfwriter/fixture_font_locator.h"
#include "pdfwriter/md5.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_image.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_security.h"
#include "pdfwriter/pdf_test_support.h"
#include "pdfwriter/pdf_text.h"

#include <gtest/gtest.h>

#include <regex>

namespace quillet {
namespace {

using test::PdfBytes;

template <std::size_t N>
std::string hex(const std::array<std::uint8_t, N>& bytes, std::size_t count = N)
{
  return test::hexOf(bytes.data(), count);
}

std::array<std::uint8_t, 16> fromHex(const std::string& text)
{
  std::array<std::uint8_t, 16> bytes{};
  for (std::size_t i = 0; i < 16; ++i)
    bytes[i] = static_cast<std::uint8_t>(std::stoi(text.substr(2 * i, 2), nullptr, 16));
  return bytes;
}

// A document open in a scratch folder, freed (never committed) at the end.
struct OpenDoc {
  tarvek::test::ScratchDir dir;
  PdfDocument* doc = openDocument(dir.file("doc.pdf").string(), 13, test::fixedOptions());
  ~OpenDoc() { freeDocument(doc); }
};

// Reference values from `qpdf --allow-weak-crypto --encrypt user owner 128
// --use-aes=n` (and owner ""), with its /ID and /P -4 given to us: O, the
// file key and U's first 16 bytes must agree.
TEST(SetupEncryptionTest, matchesReferenceValues)
{
  const auto id = fromHex("748fe48731ce0d2994230c760f09f562");
  const struct {
    const char* owner;
    const char* o;
    const char* key;
    const char* u;
  } cases[] = {
    {"owner", "0ba3835f88f90388e74e54584125ce142be0de24c6b0d37746e075b891756671",
     "2a377c3b77f4f168ac15ebc0bf14376c", "13782b74fcfdd90f253296052db15072"},
    // An empty owner password takes the user password.
    {"", "ce69e44fd4717582076b810914829e577152c3110ee581d65e53c64a4e8f578d", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    OpenDoc open;
    open.doc->fileId = id;
    open.doc->haveFileId = true;
    ASSERT_TRUE(setupEncryption(open.doc, -1, 16, c.owner, "user")) << c.owner;
    const SecurityHandler& s = *open.doc->security;
    EXPECT_EQ(s.permission, -4);
    EXPECT_EQ(hex(s.owner), c.o) << "owner \"" << c.owner << '"';
    if (c.key) {
      EXPECT_EQ(hex(s.key), c.key);
      EXPECT_EQ(hex(s.user, 16), c.u);
    }
    EXPECT_TRUE(std::all_of(s.user.begin() + 16, s.user.end(), [](auto b) { return b == 0; }));
  }
}

// Revision 2 with a 40-bit key, computed independently and equal to what
// `qpdf --allow-weak-crypto --encrypt user owner 40` writes for this /ID and
// /P: no strengthening rounds, and all 32 bytes of U from the key.
TEST(SetupEncryptionTest, revisionTwoForFortyBitKeys)
{
  OpenDoc open;
  open.doc->fileId = fromHex("ffa4aa102763b437d39031aa8a510238");
  open.doc->haveFileId = true;
  ASSERT_TRUE(setupEncryption(open.doc, -1, 5, "owner", "user"));
  const SecurityHandler& s = *open.doc->security;
  EXPECT_EQ(hex(s.key, 5), "1a892181b4");
  EXPECT_EQ(hex(s.owner), "94e8094419662a774442fb072e3d9f19e9d130ec09a4d0061e78fe920f7ab62f");
  EXPECT_EQ(hex(s.user), "9efef3fc6ba3a73758d43a607f5d70d66810efe0862896b3c9e28745ac209877");
  // Object keys are the first 10 bytes of MD5(key, object, generation).
  useObjectKey(open.doc, 7, 0);
  const std::uint8_t plain[4] = {'t', 'e', 's', 't'};
  std::uint8_t sealed[4];
  encryptBytes(open.doc, plain, 4, sealed);
  Md5 md5;
  const std::uint8_t suffix[5] = {7, 0, 0, 0, 0};
  md5.update(s.key.data(), 5);
  md5.update(suffix, 5);
  const auto digest = md5.finish();
  Rc4 rc4;
  rc4.setKey({digest.data(), 10});
  std::uint8_t expected[4];
  rc4.process({plain, 4}, expected);
  EXPECT_TRUE(std::equal(sealed, sealed + 4, expected));

  const PdfBytes pdf(test::writeDocument([&](PdfDocument* doc) {
    ASSERT_TRUE(setupEncryption(doc, -1, 5, "owner", "user"));
    beginPage(doc, 595, 842);
  }));
  const auto at = pdf.bytes().find("/Filter /Standard\n");
  ASSERT_NE(at, std::string::npos);
  const std::string head = "/Filter /Standard\n/V 2\n/Length 40\n/R 2\n";
  EXPECT_EQ(pdf.bytes().compare(at, head.size(), head), 0) << pdf.bytes().substr(at, 80);
}

// Passwords count by their first 32 bytes; the file identifier, and with it
// the key and U, differ between documents while O does not.
TEST(SetupEncryptionTest, longPasswordsAndPerDocumentKeys)
{
  const std::string long40 = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
  OpenDoc a, b, c;
  ASSERT_TRUE(setupEncryption(a.doc, 0, 16, long40, long40));
  ASSERT_TRUE(setupEncryption(b.doc, 0, 16, long40.substr(0, 32), long40.substr(0, 32)));
  EXPECT_EQ(a.doc->security->owner, b.doc->security->owner);
  EXPECT_EQ(a.doc->security->key, b.doc->security->key);
  EXPECT_EQ(a.doc->security->user, b.doc->security->user);

  tarvek::test::ScratchDir dir;
  PdfDocument* other = openDocument(dir.file("other.pdf").string(), 13, test::fixedOptions(6, 2));
  ASSERT_TRUE(setupEncryption(other, 0, 16, long40, long40));
  EXPECT_NE(other->fileId, a.doc->fileId);
  EXPECT_EQ(other->security->owner, a.doc->security->owner);
  EXPECT_NE(other->security->key, a.doc->security->key);
  EXPECT_NE(other->security->user, a.doc->security->user);
  freeDocument(other);
}

// Encryption that would leave earlier streams plain is refused and changes
// nothing.
TEST(SetupEncryptionTest, refusedOnceStreamsExistOrTwice)
{
  const std::vector<unsigned char> pixels = test::gradientPixels(4, 4);
  const struct {
    const char* what;
    std::function<void(PdfDocument*)> before;
  } cases[] = {
    {"page begun", [](PdfDocument* doc) { beginPage(doc, 595, 842); }},
    {"page written",
     [](PdfDocument* doc) {
       beginPage(doc, 595, 842);
       writePageObject(doc);
     }},
    {"image written",
     [&](PdfDocument* doc) {
       EXPECT_GE(addImage(doc, "raw", "memory", pixels.data(), 48, 4, 4, 3, 8, "", 80), 0);
     }},
    {"already encrypting",
     [](PdfDocument* doc) { EXPECT_TRUE(setupEncryption(doc, 0, 16, "o", "u")); }},
  };
  for (const auto& c : cases) {
    bool encrypted = false;
    PdfBytes pdf(test::writeDocument([&](PdfDocument* doc) {
      c.before(doc);
      encrypted = doc->security != nullptr;
      EXPECT_FALSE(setupEncryption(doc, 0, 16, "owner", "user")) << c.what;
      if (doc->state == kOpen && doc->pageCount == 0)
        beginPage(doc, 595, 842);
    }));
    EXPECT_EQ(pdf.bytes().find("/Encrypt") != std::string::npos, encrypted) << c.what;
  }
  OpenDoc plain;
  plain.doc->compressionLevel = 0;
  EXPECT_FALSE(setupEncryption(plain.doc, 0, 16, "o", "u"));
  OpenDoc otherKey;
  EXPECT_FALSE(setupEncryption(otherKey.doc, 0, 8, "o", "u"));
  EXPECT_FALSE(setupEncryption(nullptr, 0, 16, "o", "u"));
}

// Every stream kind and every Info text is encrypted with its object's key,
// and decrypts to what a plain file holds; the dictionary has its fixed form.
TEST(EncryptedFileTest, streamsAndInfoDecryptWithTheObjectKeys)
{
  const std::string fontFile =
      tarvek::test::readBytes(test::fixtureFontDir() / "fixture-sans.ttf");
  const std::vector<unsigned char> pixels = test::gradientPixels(8, 8);
  auto fonts = std::make_shared<test::FixtureFontLocator>();
  fonts->addFile("Fixture Sans", test::fixtureFontDir() / "fixture-sans.ttf");
  OpenOptions options = test::fixedOptions();
  options.fontLocator = fonts;
  std::array<std::uint8_t, 16> key{};
  std::string fileId;
  PdfBytes pdf(test::writeDocument([&](PdfDocument* doc) {
    setInfoEntry(doc, "Title", "Secret (title)");
    ASSERT_TRUE(setupEncryption(doc, 0, 16, "owner", "user"));
    key = doc->security->key;
    fileId = hex(doc->fileId);
    ASSERT_EQ(addFont(doc, "Fixture Sans", true), 0);
    beginPage(doc, 595, 842);
    selectFont(doc, 0, 12);
    showTextAt(doc, "Hidden words", 0, 100, 700);
    const int slot = addImage(doc, "raw", "memory", pixels.data(), std::int64_t(pixels.size()),
                              8, 8, 3, 8, "", 90);
    placeImage(doc, slot, 10, 10, 1, 1, 0);
    writePageObject(doc);
  }, options));
  const std::string& bytes = pdf.bytes();
  const test::Decrypter decrypt{key};

  std::smatch m;
  ASSERT_TRUE(std::regex_search(bytes, m, std::regex("/Encrypt (\\d+) 0 R\n")));
  const std::string dict = pdf.object(std::stoi(m[1]));
  const std::regex form("^\\d+ 0 obj\n<<\n/Filter /Standard\n/V 2\n/Length 128\n/R 3\n"
                        "/P -3904\n/O<[0-9A-F]{64}>\n/U<[0-9A-F]{64}>\n>>\nendobj\n$");
  EXPECT_TRUE(std::regex_search(dict, form)) << dict;
  // The keys were made with the identifier the trailer carries.
  std::string idUpper = fileId;
  for (char& c : idUpper)
    if (c >= 'a' && c <= 'f')
      c = static_cast<char>(c - 'a' + 'A');
  EXPECT_NE(bytes.find("/ID[<" + idUpper + "><" + idUpper + ">]"), std::string::npos);
  EXPECT_EQ(bytes.find("Hidden"), std::string::npos);
  EXPECT_EQ(bytes.find("Secret"), std::string::npos);
  EXPECT_EQ(bytes.find("Morvane"), std::string::npos);

  std::string contents;
  for (int stream : pdf.contentsOf(pdf.pageObjects().at(0)))
    contents += test::inflate(decrypt(stream, pdf.rawStreamData(stream)));
  EXPECT_NE(contents.find("(Hidden words)Tj"), std::string::npos) << contents;

  int images = 0, fontFiles = 0;
  for (const auto& [n, offset] : pdf.offsets()) {
    const std::string text = pdf.object(n);
    if (text.find("/Subtype /Image") != std::string::npos) {
      ++images;
      EXPECT_EQ(decrypt(n, pdf.rawStreamData(n)).substr(0, 3), "\xFF\xD8\xFF");
    }
    if (text.find("/Length1 ") != std::string::npos) {
      ++fontFiles;
      EXPECT_EQ(test::inflate(decrypt(n, pdf.rawStreamData(n))), fontFile);
    }
  }
  EXPECT_EQ(images, 1);
  EXPECT_EQ(fontFiles, 1);

  const std::string info = pdf.object(3);
  ASSERT_TRUE(std::regex_search(info, m, std::regex("/Title <([0-9A-F]+)>\n/CreationDate "
                                                    "<([0-9A-F]+)>/Producer <([0-9A-F]+)>>>\n")))
      << info;
  EXPECT_EQ(decrypt(3, test::fromHexText(m[1])), "Secret (title)");
  EXPECT_EQ(decrypt(3, test::fromHexText(m[2])), "D:20261210120000");
  EXPECT_EQ(decrypt(3, test::fromHexText(m[3])), "Morvane Quillet");
}

} // namespace
} // namespace quillet
