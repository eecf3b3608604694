// Encrypted documents with CJK fonts, and passwords beyond ASCII, as the
// outside readers see them.
#include "pdfwriter/fixture_font_locator.h"
#include "pdfwriter/oracle_tools.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_security.h"
#include "pdfwriter/pdf_text.h"
#include "support/require_tool.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

namespace fs = std::filesystem;
using tarvek::test::requireTool;
using test::run;
using test::writeOutFile;

const std::string kChinese = "\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97\xE5\x9B\xBE"; // 中文字图
const fs::path kWenQuanYi = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";
const fs::path kPopplerData = "/usr/share/poppler/cMap/Adobe-GB1/GBK-EUC-H";

bool haveOracles()
{
  return requireTool("qpdf", "qpdf") && requireTool("pdffonts", "poppler-utils") &&
         requireTool("pdftotext", "poppler-utils") &&
         tarvek::test::requirePythonModule("pypdf", "python3-pypdf") &&
         test::requireFontFile(kPopplerData, "poppler-data") &&
         test::requireFontFile(kWenQuanYi, "fonts-wqy-microhei");
}

fs::path cjkPage(const std::string& name, int keyLength, bool embed)
{
  return writeOutFile(name, [&](PdfDocument* doc) {
    if (keyLength > 0) {
      ASSERT_TRUE(setupEncryption(doc, -1, keyLength, "owner", "user"));
    }
    ASSERT_EQ(addFont(doc, "WenQuanYi Micro Hei", embed), 0);
    beginPage(doc, 595, 842);
    selectFont(doc, 0, 24);
    const std::string bytes = selectedFontBytes(doc, kChinese);
    showTextAt(doc, bytes.c_str(), bytes.size(), 72, 700);
    writePageObject(doc);
  });
}

// Every reader gets the text back with the user password, and none of them
// complains about the fonts: the strings of the font dictionaries are
// encrypted like every other string, and the font file like every stream.
TEST(CjkEncryptionOracleTest, encryptedCjkTextReadsInEveryTool)
{
  if (!haveOracles())
    return;
  for (const int keyLength : {0, 5, 16}) {
    for (const bool embed : {false, true}) {
      const std::string name = "cjk-" + std::to_string(keyLength * 8) + "-bit" +
                               (embed ? "-embedded" : "") + ".pdf";
      SCOPED_TRACE(name);
      const std::string pdf = cjkPage(name, keyLength, embed).string();
      const auto checked = run("qpdf", {"--check", "--password=user", pdf});
      EXPECT_EQ(checked.status, 0) << checked.output;
      EXPECT_NE(checked.output.find("No syntax or stream encoding errors"), std::string::npos)
          << checked.output;

      const auto fonts = run("pdffonts", {"-upw", "user", pdf});
      EXPECT_EQ(fonts.status, 0) << fonts.output;
      EXPECT_NE(fonts.output.find(embed ? "Identity-H" : "GBK-EUC-H"), std::string::npos)
          << fonts.output;
      const auto text = run("pdftotext", {"-upw", "user", pdf, "-"});
      EXPECT_EQ(text.status, 0) << text.output;
      EXPECT_NE(text.output.find(kChinese), std::string::npos) << text.output;
      for (const auto* output : {&fonts.output, &text.output})
        EXPECT_EQ(output->find("Error"), std::string::npos) << *output;

      // pypdf reads the map of the embedded subset entry by entry.
      if (embed) {
        const fs::path script =
            fs::path(TARVEK_TEST_SOURCE_DIR) / "pdfwriter/extract_text.py";
        const auto extracted = run("/usr/bin/python3", {script.string(), pdf, "user"});
        EXPECT_EQ(extracted.status, 0) << extracted.output;
        EXPECT_NE(extracted.output.find(kChinese), std::string::npos) << extracted.output;
      }
    }
  }
}

} // namespace
} // namespace quillet
