#include "pdfwriter/created_quillet.h"
#include "pdfwriter/fixture_font_locator.h"
#include "pdfwriter/oracle_tools.h"
#include "support/require_tool.h"
#include "support/run_tool.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

namespace quillet {
namespace {

namespace fs = std::filesystem;
using tarvek::test::requireTool;
using tarvek::test::runTool;
using tarvek::test::ScopedEnv;
using tarvek::test::ScratchDir;
using test::collapseBlanks;
using test::outDir;
using test::Ref;

const std::string kChinese = "\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97";  // 中文字
const std::string kJapanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"; // 日本語
const std::string kKorean = "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4";   // 한국어

const fs::path kWenQuanYi = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";
const fs::path kIpaGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
const fs::path kPopplerData = "/usr/share/poppler/cMap/Adobe-GB1/GBK-EUC-H";

bool haveCjkOracles()
{
  return requireTool("qpdf", "qpdf") && requireTool("pdffonts", "poppler-utils") &&
         requireTool("pdftotext", "poppler-utils") &&
         test::requireFontFile(kPopplerData, "poppler-data") &&
         test::requireFontFile(kWenQuanYi, "fonts-wqy-microhei") &&
         test::requireFontFile(kIpaGothic, "fonts-ipafont-gothic");
}

// One page with the text at 24 points at (72, 100) in the font; the width
// StringWidth gave for it.
struct Written {
  fs::path pdf;
  float width = 0;
};

Written writeCjk(const std::string& file, const std::string& font, const std::string& text,
                 bool embed, bool encrypt)
{
  Written out{outDir() / file, 0};
  std::string message;
  Ref<IQuillet> q = test::createQuillet(message);
  EXPECT_TRUE(q) << message;
  if (!q)
    return out;
  std::int32_t opened = 0;
  EXPECT_EQ(q->get_Open(out.pdf.c_str(), &opened), S_OK);
  if (encrypt) {
    EXPECT_EQ(q->Encrypt(-1, "owner", "user"), S_OK);
  }
  q->put_FontEmbed(embed ? VARIANT_TRUE : VARIANT_FALSE);
  q->NewPage();
  std::int32_t id = -1;
  q->get_InitFont(font.c_str(), &id);
  EXPECT_EQ(id, 0) << font;
  q->put_FontID(id);
  q->put_FontSize(24);
  q->get_StringWidth(text.c_str(), &out.width);
  q->TextOutXY(72, 100, text.c_str());
  EXPECT_EQ(q->Close(), S_OK) << file;
  return out;
}

std::string output(const std::string& program, const std::vector<std::string>& args)
{
  const auto result = runTool(program, args);
  EXPECT_EQ(result.exitCode, 0) << program << ": " << result.err;
  return collapseBlanks(result.out);
}

double attribute(const std::string& text, std::size_t from, const std::string& name)
{
  const std::size_t at = text.find(name + "=\"", from);
  double value = NAN;
  if (at != std::string::npos)
    std::from_chars(text.data() + at + name.size() + 2, text.data() + text.size(), value);
  return value;
}

TEST(CjkOracleTest, cjkFontsReadInEveryTool)
{
  if (!haveCjkOracles())
    return;
  struct Case {
    Written written;
    std::string text;
    std::string fontRow;
    std::vector<std::string> password;
  };
  std::vector<Case> cases = {
      {writeCjk("cjk-wenquanyi.pdf", "WenQuanYi Micro Hei", kChinese, false, false), kChinese,
       "WenQuanYi Micro Hei CID TrueType GBK-EUC-H no no no", {}},
      {writeCjk("cjk-wenquanyi-embedded.pdf", "WenQuanYi Micro Hei", kChinese, true, false),
       kChinese, "AAAAAA+WenQuanYi Micro Hei CID TrueType Identity-H yes yes yes", {}},
      {writeCjk("cjk-wenquanyi-encrypted.pdf", "WenQuanYi Micro Hei", kChinese, true, true),
       kChinese, "AAAAAA+WenQuanYi Micro Hei CID TrueType Identity-H yes yes yes",
       {"-upw", "user"}},
      {writeCjk("cjk-ipagothic.pdf", "IPAGothic", kJapanese, false, false), kJapanese,
       "IPAGothic CID TrueType 90ms-RKSJ-H no no no", {}},
  };
  {
    // Each document's locator reads the variable when the document is made.
    ScopedEnv fonts("FONTCONFIG_FILE", PDF_CJK_FIXTURE_FONTCONFIG);
    cases.push_back({writeCjk("cjk-fixture-949.pdf", "Fixture CJK 949", kKorean, false, false),
                     kKorean, "Fixture CJK 949 CID TrueType KSCms-UHC-H no no no", {}});
    cases.push_back({writeCjk("cjk-fixture-950.pdf", "Fixture CJK 950", kChinese, false, false),
                     kChinese, "Fixture CJK 950 CID TrueType ETen-B5-H no no no", {}});
  }
  for (const Case& c : cases) {
    const std::string pdf = c.written.pdf.string();
    SCOPED_TRACE(pdf);
    std::vector<std::string> check = {"--check", pdf};
    if (!c.password.empty())
      check.insert(check.begin(), "--password=user");
    const auto checked = runTool("qpdf", check);
    EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;

    std::vector<std::string> args = c.password;
    args.push_back(pdf);
    EXPECT_NE(("\n" + output("pdffonts", args)).find("\n" + c.fontRow + " "), std::string::npos)
        << output("pdffonts", args);
    args.push_back("-");
    EXPECT_NE(output("pdftotext", args).find(c.text), std::string::npos)
        << output("pdftotext", args);

    // Every character 1 em: the words end where StringWidth says.
    std::vector<std::string> bbox = c.password;
    bbox.insert(bbox.end(), {"-bbox", pdf, "-"});
    const std::string boxes = runTool("pdftotext", bbox).out;
    const std::size_t word = boxes.rfind("<word", boxes.find(">" + c.text + "</word>"));
    ASSERT_NE(word, std::string::npos) << boxes;
    EXPECT_NEAR(attribute(boxes, word, "xMin"), 72, 0.01) << boxes;
    EXPECT_NEAR(attribute(boxes, word, "xMax"), 144, 0.01) << boxes;
    EXPECT_NEAR(c.written.width, 72, 0.01);
  }
}

TEST(CjkOracleTest, embeddedSubsetMatchesTheSystemFont)
{
  if (!haveCjkOracles() || !tarvek::test::requirePythonModule("fontTools", "python3-fonttools"))
    return;
  ScratchDir dir;
  for (const bool encrypt : {false, true}) {
    const Written written =
        writeCjk(encrypt ? "cjk-subset-encrypted.pdf" : "cjk-subset.pdf", "WenQuanYi Micro Hei",
                 kChinese, true, encrypt);
    std::vector<std::string> password;
    if (encrypt)
      password.push_back("--password=user");
    // Dictionaries are not encrypted: the file names its font file plainly.
    const std::string bytes = tarvek::test::readBytes(written.pdf);
    const std::size_t key = bytes.find("/FontFile2 ");
    ASSERT_NE(key, std::string::npos);
    const int object = std::atoi(bytes.c_str() + key + 11);
    std::vector<std::string> show = password;
    show.insert(show.end(), {"--show-object=" + std::to_string(object), "--filtered-stream-data",
                             written.pdf.string()});
    const auto stream = runTool("qpdf", show);
    ASSERT_EQ(stream.exitCode, 0) << stream.err;
    const fs::path subset = dir.write("subset.ttf", stream.out);
    const fs::path script = fs::path(TARVEK_TEST_SOURCE_DIR) / "pdfwriter/check_cjk_subset.py";
    const auto checked = runTool("/usr/bin/python3", {script.string(), subset.string(),
                                                      kWenQuanYi.string(), "0", kChinese});
    EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;
    // .notdef, the three characters and the two components of 字.
    EXPECT_EQ(collapseBlanks(checked.out), "6\n") << checked.out << checked.err;
  }
}

} // namespace
} // namespace quillet
