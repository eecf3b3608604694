#include "pdfwriter/fixture_font_locator.h"
#include "pdfwriter/oracle_tools.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_image.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_security.h"
#include "pdfwriter/pdf_test_support.h"
#include "pdfwriter/pdf_text.h"
#include "support/require_tool.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

namespace quillet {
namespace {

namespace fs = std::filesystem;
using tarvek::test::readBytes;
using tarvek::test::requireTool;
using test::PdfBytes;
using test::hexOf;
using test::run;
using test::writeOutFile;

bool haveSystemFonts()
{
  return test::requireFontFile(test::kLiberationSans, "fonts-liberation2")
         && test::requireFontFile(test::kDejaVuSans, "fonts-dejavu-core");
}

// Arial in three styles and an embedded DejaVu Sans on one page; fonts come
// from the system's fontconfig, as in the program.
fs::path fontPage()
{
  return writeOutFile("fonts.pdf", [](PdfDocument* doc) {
    ASSERT_EQ(addFont(doc, "Arial", false), 0);
    ASSERT_EQ(addFont(doc, "DejaVu Sans", true), 1);
    beginPage(doc, 595, 842);
    selectFont(doc, 0, 14);
    showTextAt(doc, "Regular", 0, 72, 760);
    selectFontStyle(doc, true, 0);
    showTextNextLine(doc, "Bold", 0);
    selectFontStyle(doc, false, -12);
    showTextNextLine(doc, "Italic", 0);
    selectFont(doc, 1, 14);
    showTextNextLine(doc, "DejaVu Sans, embedded", 0);
    writePageObject(doc);
  });
}

std::vector<std::string> lines(const std::string& text)
{
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    out.push_back(line);
  return out;
}

TEST(PdfTextOracleTest, pdffontsListsStylesAndTheEmbeddedFont)
{
  if (!requireTool("pdffonts", "poppler-utils") || !haveSystemFonts())
    return;
  const auto result = run("pdffonts", {fontPage().string()});
  ASSERT_EQ(result.status, 0) << result.output;
  const auto listed = lines(test::collapseBlanks(result.output));
  for (const char* expected :
       {"Arial TrueType WinAnsi no no no", "Arial,Bold TrueType WinAnsi no no no",
        "Arial,Italic TrueType WinAnsi no no no", "DejaVu Sans TrueType WinAnsi yes no no"}) {
    const bool found = std::any_of(listed.begin(), listed.end(), [&](const std::string& line) {
      return line.rfind(std::string(expected) + " ", 0) == 0;
    });
    EXPECT_TRUE(found) << expected << "\n" << result.output;
  }
}

// qpdf accepts the file, and its own Flate decoder gives back the font file
// byte for byte.
TEST(PdfTextOracleTest, embeddedFontFileComesBackWhole)
{
  if (!requireTool("qpdf", "qpdf") || !haveSystemFonts())
    return;
  const fs::path path = fontPage();
  const auto check = run("qpdf", {"--check", path.string()});
  EXPECT_EQ(check.status, 0) << check.output;
  const PdfBytes pdf(readBytes(path));
  const std::string font = readBytes(test::kDejaVuSans);
  int checked = 0;
  for (const auto& [n, offset] : pdf.offsets()) {
    const std::string text = pdf.object(n);
    if (text.find("/Length1 ") == std::string::npos)
      continue;
    ++checked;
    const auto length1 = int(PdfBytes::intEntry(text, "/Length1"));
    EXPECT_NE(pdf.object(length1).find("\n" + std::to_string(font.size()) + "\n"),
              std::string::npos);
    const fs::path out = test::outDir() / "fonts-fontfile.bin";
    const auto result = tarvek::test::runTool(
      "qpdf", {"--show-object=" + std::to_string(n), "--filtered-stream-data", path.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::ofstream(out, std::ios::binary) << result.out;
    EXPECT_TRUE(result.out == font) << "object " << n;
  }
  EXPECT_EQ(checked, 1);
}

// fontTools reads the font files and recomputes every width.
TEST(PdfTextOracleTest, widthsAgreeWithFontTools)
{
  if (!requireTool("/usr/bin/python3", "python3-fonttools") || !haveSystemFonts())
    return;
  const PdfBytes pdf(readBytes(writeOutFile("widths.pdf", [](PdfDocument* doc) {
    ASSERT_EQ(addFont(doc, "Arial", false), 0);
    ASSERT_EQ(addFont(doc, "DejaVu Sans", false), 1);
    beginPage(doc, 595, 842);
    writePageObject(doc);
  })));
  const std::pair<const char*, fs::path> fonts[] = {{"/BaseFont /Arial\n", test::kLiberationSans},
                                                    {"/BaseFont /DejaVu#20Sans\n",
                                                     test::kDejaVuSans}};
  const fs::path script = fs::path(TARVEK_TEST_SOURCE_DIR) / "pdfwriter/check_font_widths.py";
  for (const auto& [baseFont, fontFile] : fonts) {
    // clang 14 lets no lambda capture a structured binding.
    const fs::path& file = fontFile;
    std::string widths;
    for (const auto& [n, offset] : pdf.offsets()) {
      const std::string text = pdf.object(n);
      if (text.find(baseFont) == std::string::npos)
        continue;
      const auto begin = text.find("/Widths [") + 9;
      widths = text.substr(begin, text.find(']', begin) - begin);
      std::replace(widths.begin(), widths.end(), '\n', ' ');
    }
    ASSERT_FALSE(widths.empty()) << baseFont;
    const auto result =
        run("/usr/bin/python3", [&] {
          std::vector<std::string> args = {script.string(), file.string()};
          std::istringstream each(widths);
          for (std::string w; each >> w;)
            args.push_back(w);
          return args;
        }());
    EXPECT_EQ(result.status, 0) << baseFont << result.output;
  }
}

// Readers map the WinAnsi bytes to the right characters and place the text
// where our widths say it ends.
TEST(PdfTextOracleTest, pdftotextReadsTextAndItsBox)
{
  if (!requireTool("pdftotext", "poppler-utils") || !haveSystemFonts())
    return;
  const fs::path path = writeOutFile("text.pdf", [](PdfDocument* doc) {
    ASSERT_EQ(addFont(doc, "Arial", false), 0);
    beginPage(doc, 595, 842);
    selectFont(doc, 0, 12);
    showTextAt(doc, "Hello", 0, 100, 700);
    showTextAt(doc, "\xC5\xB0", 0, 100, 600);
    writePageObject(doc);
  });
  auto text = run("pdftotext", {path.string(), "-"});
  ASSERT_EQ(text.status, 0) << text.output;
  EXPECT_NE(text.output.find("\xC3\x85\xC2\xB0"), std::string::npos) << text.output;

  const auto box = run("pdftotext", {"-bbox", path.string(), "-"});
  ASSERT_EQ(box.status, 0) << box.output;
  std::smatch m;
  const std::regex word("xMin=\"([0-9.]+)\"[^>]*xMax=\"([0-9.]+)\"[^>]*>Hello<");
  ASSERT_TRUE(std::regex_search(box.output, m, word)) << box.output;
  EXPECT_NEAR(std::stod(m[1]), 100, 0.01);
  EXPECT_NEAR(std::stod(m[2]), 127.336, 0.01);
}

std::string firstMatch(const std::string& text, const std::string& pattern)
{
  std::smatch m;
  return std::regex_search(text, m, std::regex(pattern)) ? m[1].str() : std::string();
}

// Records of the Type 1 and CID-keyed kinds, which only callers of the
// writer make: readers take the standard font and the predefined CMap.
TEST(PdfTextOracleTest, typeOneAndCidKeyedRecordsRead)
{
  if (!requireTool("pdffonts", "poppler-utils") || !requireTool("pdftotext", "poppler-utils") ||
      !test::requireFontFile("/usr/share/poppler/cMap/Adobe-Japan1/UniJIS-UCS2-H",
                             "poppler-data"))
    return;
  const fs::path path = writeOutFile("type1-and-cid.pdf", [](PdfDocument* doc) {
    ASSERT_EQ(test::addFontRecord(doc, kType1Font, "Helvetica"), 0);
    ASSERT_EQ(test::addFontRecord(doc, kCidType0Font, "HeiseiMin-W3", 2, "UniJIS-UCS2-H"), 1);
    beginPage(doc, 595, 842);
    selectFont(doc, 0, 14);
    showTextAt(doc, "Hello \xC5", 0, 72, 760);
    selectFont(doc, 1, 14);
    // UTF-16BE of U+65E5 U+672C.
    showTextAt(doc, "\x65\xE5\x67\x2C", 4, 72, 700);
    writePageObject(doc);
  });
  EXPECT_EQ(run("qpdf", {"--check", path.string()}).status, 0);
  const std::string fonts = test::collapseBlanks(run("pdffonts", {path.string()}).output);
  for (const char* row : {"\nHelvetica Type 1 WinAnsi no no no ",
                          "\nHeiseiMin-W3-UniJIS-UCS2-H CID Type 0 UniJIS-UCS2-H no no no "})
    EXPECT_NE(fonts.find(row), std::string::npos) << row << " in\n" << fonts;
  const std::string text = run("pdftotext", {path.string(), "-"}).output;
  EXPECT_NE(text.find("Hello \xC3\x85"), std::string::npos) << text;
  EXPECT_NE(text.find("\xE6\x97\xA5\xE6\x9C\xAC"), std::string::npos) << text;
}

// qpdf's own RC4 encryption of the same passwords: O agrees outright, the key
// and U's first half once its identifier and /P are used.
TEST(PdfSecurityOracleTest, valuesAgreeWithQpdfEncryption)
{
  if (!requireTool("qpdf", "qpdf"))
    return;
  for (const std::string owner : {"owner", ""}) {
    const fs::path ref = test::outDir() / ("reference-owner-" + owner + ".pdf");
    auto made = run("qpdf", {"--empty", "--allow-weak-crypto", "--encrypt", "user", owner, "128",
                             "--use-aes=n", "--", ref.string()});
    ASSERT_EQ(made.status, 0) << made.output;
    const auto trailer = run("qpdf", {"--show-object=trailer", "--password=user", ref.string()});
    const std::string id = firstMatch(trailer.output, "/ID \\[ <([0-9a-f]{32})>");
    const std::string encryptObject = firstMatch(trailer.output, "/Encrypt (\\d+) 0 R");
    const auto dict =
        run("qpdf", {"--show-object=" + encryptObject, "--password=user", ref.string()});
    const std::string o = firstMatch(dict.output, "/O <([0-9a-f]{64})>");
    const std::string u = firstMatch(dict.output, "/U <([0-9a-f]{64})>");
    const int p = std::stoi(firstMatch(dict.output, "/P (-?\\d+)"));
    const auto shown =
        run("qpdf", {"--show-encryption", "--show-encryption-key", "--password=user", ref.string()});
    const std::string key = firstMatch(shown.output, "Encryption key = ([0-9a-f]{32})");
    ASSERT_FALSE(id.empty() || o.empty() || u.empty() || key.empty())
        << trailer.output << dict.output << shown.output;

    tarvek::test::ScratchDir dir;
    PdfDocument* doc = openDocument(dir.file("doc.pdf").string(), 13, test::fixedOptions());
    for (std::size_t i = 0; i < 16; ++i)
      doc->fileId[i] = static_cast<std::uint8_t>(std::stoi(id.substr(2 * i, 2), nullptr, 16));
    doc->haveFileId = true;
    ASSERT_TRUE(setupEncryption(doc, p, 16, owner, "user"));
    const SecurityHandler& s = *doc->security;
    EXPECT_EQ(hexOf(s.owner.data(), 32), o) << "owner \"" << owner << '"';
    EXPECT_EQ(hexOf(s.key.data(), 16), key) << "owner \"" << owner << '"';
    EXPECT_EQ(hexOf(s.user.data(), 16), u.substr(0, 32)) << "owner \"" << owner << '"';
    freeDocument(doc);
  }
}

// A page with text, an image and an embedded font, so deflated, plain and
// Info bytes are all encrypted.
fs::path encryptedFile(const std::string& name, const std::string& owner, const std::string& user)
{
  return writeOutFile(name, [&](PdfDocument* doc) {
    setInfoEntry(doc, "Author", "Encrypted author");
    ASSERT_TRUE(setupEncryption(doc, 0, 16, owner, user));
    ASSERT_EQ(addFont(doc, "DejaVu Sans", true), 0);
    beginPage(doc, 595, 842);
    selectFont(doc, 0, 12);
    showTextAt(doc, "Sealed text", 0, 100, 700);
    const auto pixels = test::gradientPixels(40, 20);
    const int slot = addImage(doc, "raw", "memory", pixels.data(), std::int64_t(pixels.size()),
                              40, 20, 3, 8, "", 85);
    placeImage(doc, slot, 100, 500, 2, 2, 0);
    writePageObject(doc);
  });
}

TEST(PdfSecurityOracleTest, readersOpenOurEncryptedFileWithThePasswords)
{
  if (!requireTool("qpdf", "qpdf") || !requireTool("pdfinfo", "poppler-utils")
      || !requireTool("pdftotext", "poppler-utils") || !haveSystemFonts())
    return;
  const fs::path path = encryptedFile("encrypted.pdf", "owner", "user");
  const auto check = run("qpdf", {"--check", "--password=user", path.string()});
  EXPECT_EQ(check.status, 0) << check.output;
  EXPECT_NE(check.output.find("Supplied password is user password"), std::string::npos)
      << check.output;
  const auto shown = run("qpdf", {"--show-encryption", "--password=owner", path.string()});
  EXPECT_NE(shown.output.find("User password = user"), std::string::npos) << shown.output;
  EXPECT_EQ(run("qpdf", {"--requires-password", path.string()}).status, 0);

  const auto info = run("pdfinfo", {"-upw", "user", path.string()});
  EXPECT_EQ(info.status, 0) << info.output;
  const std::string encrypted = firstMatch(info.output, "(Encrypted: *yes \\([^\\n]*\\))");
  EXPECT_NE(encrypted.find("algorithm:RC4)"), std::string::npos) << info.output;
  EXPECT_NE(info.output.find("Encrypted author"), std::string::npos) << info.output;

  const auto text = run("pdftotext", {"-upw", "user", path.string(), "-"});
  EXPECT_EQ(text.status, 0) << text.output;
  EXPECT_NE(text.output.find("Sealed text"), std::string::npos) << text.output;

  const auto wrong = run("qpdf", {"--check", "--password=wrong", path.string()});
  EXPECT_EQ(wrong.status, 2) << wrong.output;
  EXPECT_NE(wrong.output.find("invalid password"), std::string::npos) << wrong.output;
}

// Exit 0: a password is needed; 3: none is.
TEST(PdfSecurityOracleTest, emptyPasswordsDecideWhetherOneIsNeeded)
{
  if (!requireTool("qpdf", "qpdf") || !requireTool("pdfinfo", "poppler-utils")
      || !haveSystemFonts())
    return;
  const fs::path secret = encryptedFile("encrypted-owner-empty.pdf", "", "secret");
  EXPECT_EQ(run("qpdf", {"--requires-password", secret.string()}).status, 0);
  const fs::path open = encryptedFile("encrypted-user-empty.pdf", "owner", "");
  EXPECT_EQ(run("qpdf", {"--requires-password", open.string()}).status, 3);
  const auto info = run("pdfinfo", {open.string()});
  EXPECT_EQ(info.status, 0) << info.output;
  EXPECT_NE(info.output.find("Encrypted:"), std::string::npos) << info.output;
}

// Revision 2: O and all 32 bytes of U as qpdf computes them for 40 bits
// with its /ID and /P, and readers open the file with either password.
TEST(PdfSecurityOracleTest, revisionTwoAgreesWithQpdfAndOpens)
{
  if (!requireTool("qpdf", "qpdf") || !requireTool("pdfinfo", "poppler-utils") ||
      !requireTool("pdftotext", "poppler-utils"))
    return;
  const fs::path ref = test::outDir() / "reference-40-bit.pdf";
  auto made = run("qpdf", {"--empty", "--allow-weak-crypto", "--encrypt", "user", "owner", "40",
                           "--", ref.string()});
  ASSERT_EQ(made.status, 0) << made.output;
  const auto trailer = run("qpdf", {"--show-object=trailer", "--password=user", ref.string()});
  const std::string id = firstMatch(trailer.output, "/ID \\[ <([0-9a-f]{32})>");
  const std::string encryptObject = firstMatch(trailer.output, "/Encrypt (\\d+) 0 R");
  const auto dict = run("qpdf", {"--show-object=" + encryptObject, "--password=user", ref.string()});
  const std::string o = firstMatch(dict.output, "/O <([0-9a-f]{64})>");
  const std::string u = firstMatch(dict.output, "/U <([0-9a-f]{64})>");
  ASSERT_FALSE(id.empty() || o.empty() || u.empty()) << trailer.output << dict.output;
  const int p = std::stoi(firstMatch(dict.output, "/P (-?\\d+)"));
  {
    tarvek::test::ScratchDir dir;
    PdfDocument* doc = openDocument(dir.file("doc.pdf").string(), 13, test::fixedOptions());
    for (std::size_t i = 0; i < 16; ++i)
      doc->fileId[i] = static_cast<std::uint8_t>(std::stoi(id.substr(2 * i, 2), nullptr, 16));
    doc->haveFileId = true;
    ASSERT_TRUE(setupEncryption(doc, p, 5, "owner", "user"));
    EXPECT_EQ(hexOf(doc->security->owner.data(), 32), o);
    EXPECT_EQ(hexOf(doc->security->user.data(), 32), u);
    freeDocument(doc);
  }

  const fs::path path = writeOutFile("encrypted-revision-2.pdf", [](PdfDocument* doc) {
    ASSERT_TRUE(setupEncryption(doc, -1, 5, "owner", "user"));
    ASSERT_EQ(test::addFontRecord(doc, kType1Font, "Helvetica"), 0);
    beginPage(doc, 595, 842);
    selectFont(doc, 0, 12);
    showTextAt(doc, "Forty-bit text", 0, 100, 700);
    writePageObject(doc);
  });
  const auto check = run("qpdf", {"--check", "--password=user", path.string()});
  EXPECT_EQ(check.status, 0) << check.output;
  EXPECT_NE(check.output.find("Supplied password is user password"), std::string::npos)
      << check.output;
  const auto wrong = run("qpdf", {"--check", "--password=wrong", path.string()});
  EXPECT_EQ(wrong.status, 2) << wrong.output;
  EXPECT_NE(wrong.output.find("invalid password"), std::string::npos) << wrong.output;
  const auto shown = run("qpdf", {"--show-encryption", "--password=owner", path.string()});
  EXPECT_NE(shown.output.find("R = 2"), std::string::npos) << shown.output;
  EXPECT_NE(shown.output.find("User password = user"), std::string::npos) << shown.output;
  const auto info = run("pdfinfo", {"-upw", "user", path.string()});
  const std::string encrypted = firstMatch(info.output, "(Encrypted: *yes \\([^\\n]*\\))");
  EXPECT_NE(encrypted.find("algorithm:RC4"), std::string::npos) << info.output;
  EXPECT_NE(run("pdftotext", {"-upw", "user", path.string(), "-"}).output.find("Forty-bit text"),
            std::string::npos);
  const auto refused = run("pdftotext", {"-upw", "wrong", path.string(), "-"});
  EXPECT_NE(refused.output.find("Incorrect password"), std::string::npos) << refused.output;
}

} // namespace
} // namespace quillet
