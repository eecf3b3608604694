// Calls the interface refuses: each fails with a description that names the
// value and the limit, writes nothing of itself, and the document still
// closes to a sound file.
#include "pdfwriter/image_fixtures.h"
#include "pdfwriter/oracle_tools.h"
#include "pdfwriter/pdf_test_support.h"
#include "pdfwriter/quillet_test_support.h"
#include "support/child_peak_memory.h"
#include "support/require_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <png.h>

#include <cmath>
#include <functional>
#include <limits>
#include <sstream>
#include <vector>

namespace quillet {
namespace {

using tarvek::test::readBytes;
using tarvek::test::ScratchDir;
using test::countOf;
using test::makeQuillet;
using test::PdfBytes;
using test::Ref;

// Every number token of the page contents beyond +-2147483647.
std::vector<std::string> numbersOutOfRange(const std::string& contents)
{
  std::vector<std::string> found;
  std::istringstream tokens(contents);
  for (std::string token; tokens >> token;) {
    if (token.find_first_not_of("+-.0123456789") != std::string::npos ||
        token.find_first_of("0123456789") == std::string::npos)
      continue;
    if (std::fabs(std::stod(token)) > 2147483647.0)
      found.push_back(token);
  }
  return found;
}

// A small sound PNG, and the hostile ones made of it.
struct PictureFiles {
  explicit PictureFiles(const ScratchDir& dir)
  {
    test::writePngFile(dir.file("small.png"),
                       {8, 8, PNG_COLOR_TYPE_RGB, 8, false,
                        std::vector<std::uint16_t>(8 * 8 * 3, 7), {}, {}});
    const std::string png = readBytes(dir.file("small.png"));
    big = dir.write("big.png", test::pngClaiming(png, 6000, 6000)).string();
    wide = dir.write("wide.png", test::pngClaiming(png, 40000, 2)).string();
    cut = dir.write("cut.png", test::pngCutInChunk(png, 1u << 30)).string();
    test::writeTiffFile(dir.file("whole.tif"), {64, 64, 8, 3, 2, 1, 0, 1, 0, -1, {},
                                                test::Bytes(64 * 64 * 3, 90)});
    const std::string tiff = readBytes(dir.file("whole.tif"));
    // The header and a little more: its directory lies past the end.
    truncatedTiff = dir.write("truncated.tif", tiff.substr(0, 40)).string();
  }
  std::string big, wide, cut, truncatedTiff;
};

struct Refused {
  const char* name;
  std::function<HRESULT(IQuillet*)> call;
  HRESULT hr;
  std::vector<std::string> described;
  // Texts the page holds: "Before", and any the case draws before its call.
  int texts = 1;
};

TEST(QuilletRefusalTest, refusedCallsNameTheValueAndTheLimitAndWriteNothing)
{
  ScratchDir pictures;
  const PictureFiles files(pictures);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<unsigned char> pixels(64 * 64 * 3, 200);
  const unsigned char* px = pixels.data();
  const std::string onASide = "pictures up to 32767 pixels on a side can be read.";
  const std::string sides = "pictures of 1 to 32767 pixels on a side";

  const Refused cases[] = {
      // Pixels handed over in memory.
      {"width nan", [&](IQuillet* q) { return q->ImageOutMem(0, 0, px, nan, 8); }, E_INVALIDARG,
       {"ImageOutMem: the width nan is not a finite number", sides}},
      {"width 0.5", [&](IQuillet* q) { return q->ImageOutMem(0, 0, px, 0.5f, 8); }, E_INVALIDARG,
       {"ImageOutMem: the width 0.5 is less than 1 pixel", sides}},
      {"height -3", [&](IQuillet* q) { return q->ImageOutMem(0, 0, px, 8, -3); }, E_INVALIDARG,
       {"ImageOutMem: the height -3 is less than 1 pixel", sides}},
      {"height inf", [&](IQuillet* q) { return q->ImageOutMem(0, 0, px, 8, inf); }, E_INVALIDARG,
       {"ImageOutMem: the height inf is not a finite number", sides}},
      {"height 3e9", [&](IQuillet* q) { return q->ImageOutMem(0, 0, px, 8, 3e9f); }, E_INVALIDARG,
       {"ImageOutMem: the height 3000000000 is more than 32767 pixels", sides}},
      {"width 40000", [&](IQuillet* q) { return q->ImageOutMem(0, 0, px, 40000, 8); },
       E_INVALIDARG, {"ImageOutMem: the picture is 40000 \u00D7 8 pixels; " + onASide}},
      {"36 megapixels", [&](IQuillet* q) { return q->ImageOutMem(0, 0, px, 6000, 6000); },
       E_INVALIDARG,
       {"ImageOutMem: the picture is 36 megapixels; pictures up to 32 megapixels can be read."}},
      {"just over 32 megapixels",
       [&](IQuillet* q) { return q->ImageOutMem(0, 0, px, 32001, 1000); }, E_INVALIDARG,
       {"the picture is 32.1 megapixels; pictures up to 32 megapixels"}},
      {"null pixels", [](IQuillet* q) { return q->ImageOutMem(0, 0, nullptr, 8, 8); }, E_POINTER,
       {"ImageOutMem: the image pointer is null", "width \u00D7 height \u00D7 3 bytes"}},
      // Numbers that are each in range but whose product is not.
      {"CharSpace 2e9 with underline",
       [](IQuillet* q) {
         q->put_TextUnderLine(VARIANT_TRUE);
         q->put_CharSpace(2e9f);
         return q->TextOutXY(72, 600, "Underlined text");
       },
       E_INVALIDARG, {"TextOutXY: the end of the text ", "at most 2147483647"}},
      {"WordSpace 2e9",
       [](IQuillet* q) {
         q->put_WordSpace(2e9f);
         return q->TextOutXY(72, 600, "a b c");
       },
       E_INVALIDARG, {"TextOutXY: the end of the text ", "at most 2147483647"}},
      {"TextRise 1e9 with underline",
       [](IQuillet* q) {
         q->put_TextUnderLine(VARIANT_TRUE);
         q->put_TextRise(1e9f);
         return q->TextOutXY(72, 2e9f, "Risen");
       },
       E_INVALIDARG, {"TextOutXY: the height of the underline ", "at most 2147483647"}},
      {"FontSize 2e9",
       [](IQuillet* q) {
         q->put_FontSize(2e9f);
         return q->TextOutXY(0, 0, "WWW");
       },
       E_INVALIDARG, {"TextOutXY: the end of the text ", "at most 2147483647"}},
      {"FontSize 1.5e9 rotated 30 degrees",
       [](IQuillet* q) {
         q->put_FontSize(1.5e9f);
         q->put_TextRotation(30);
         return q->TextOutXY(0, 0, "WWWW");
       },
       E_INVALIDARG, {"TextOutXY: the end of the text ", "at most 2147483647"}},
      {"leading past the range",
       [](IQuillet* q) {
         q->put_TextLeading(2e9f);
         q->TextOutXY(72, -1.5e9f, "a");
         return q->TextOut("b");
       },
       E_INVALIDARG, {"TextOut: the text's position y -3500000000", "at most 2147483647"}, 2},
      // Page sizes, and calls without a page.
      {"PaperWidth 2", [](IQuillet* q) { return q->put_PaperWidth(2); }, E_INVALIDARG,
       {"PaperWidth: the value 2 is outside the page sides from 3 to 14400 points"}},
      {"PaperHeight 14401", [](IQuillet* q) { return q->put_PaperHeight(14401); }, E_INVALIDARG,
       {"PaperHeight: the value 14401 is outside the page sides from 3 to 14400 points"}},
      {"PaperWidth nan", [&](IQuillet* q) { return q->put_PaperWidth(nan); }, E_INVALIDARG,
       {"PaperWidth: the value nan is outside", "3 to 14400"}},
      {"SetRect between pages",
       [](IQuillet* q) {
         q->EndPage();
         return q->SetRect(0, 0, 10, 10);
       },
       E_UNEXPECTED, {"SetRect: no page is open; call NewPage first"}},
      {"TextOut between pages",
       [](IQuillet* q) {
         q->EndPage();
         return q->TextOut("lost");
       },
       E_UNEXPECTED, {"TextOut: no page is open"}},
      {"ImageOutMem between pages",
       [&](IQuillet* q) {
         q->EndPage();
         return q->ImageOutMem(0, 0, px, 8, 8);
       },
       E_UNEXPECTED, {"ImageOutMem: no page is open"}},
      // Picture files.
      {"PNG of 36 megapixels",
       [&](IQuillet* q) { return q->ImageOut(0, 0, files.big.c_str()); }, E_FAIL,
       {"The image file " + files.big +
        " cannot be placed: big.png is 36 megapixels; pictures up to 32 megapixels can be read."}},
      {"PNG 40000 pixels wide",
       [&](IQuillet* q) { return q->ImageOut(0, 0, files.wide.c_str()); }, E_FAIL,
       {"wide.png is 40000 \u00D7 2 pixels; " + onASide}},
      {"PNG cut short in a chunk",
       [&](IQuillet* q) { return q->ImageOut(0, 0, files.cut.c_str()); }, E_FAIL,
       {"cut.png cannot be placed: the file ends before its image data"}},
      {"truncated TIFF",
       [&](IQuillet* q) { return q->ImageOut(0, 0, files.truncatedTiff.c_str()); }, E_FAIL,
       {"The image file " + files.truncatedTiff + " cannot be read as TIFF: "}},
  };
  const bool checkFiles = tarvek::test::requireTool("qpdf", "qpdf");
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    Ref<IQuillet> q = makeQuillet();
    std::int32_t opened = 0;
    ASSERT_EQ(q->get_Open(dir.file("r.pdf").c_str(), &opened), S_OK);
    ASSERT_EQ(opened, 1);
    std::int32_t font = -1;
    q->get_InitFont("Arial", &font);
    q->put_FontID(font);
    ASSERT_EQ(q->NewPage(), S_OK);
    q->TextOutXY(72, 700, "Before");

    EXPECT_EQ(c.call(q.get()), c.hr);
    const std::string description = test::lastErrorDescription();
    for (const std::string& part : c.described)
      EXPECT_NE(description.find(part), std::string::npos) << "missing \"" << part << "\" in\n"
                                                           << description;

    q->put_PaperWidth(595);
    q->put_PaperHeight(842);
    EXPECT_EQ(q->NewPage(), S_OK);
    ASSERT_EQ(q->Close(), S_OK);
    const PdfBytes pdf(readBytes(dir.file("r.pdf")));
    const std::string contents = pdf.pageContents();
    EXPECT_EQ(countOf(contents, "Tj"), c.texts) << contents;
    EXPECT_EQ(countOf(contents, " Do\n"), 0) << contents;
    for (const char* drawn : {" re\n", " m\n", " l\n"})
      EXPECT_EQ(contents.find(drawn), std::string::npos) << drawn;
    EXPECT_EQ(numbersOutOfRange(contents), std::vector<std::string>{});
    if (checkFiles) {
      const auto checked = test::run("qpdf", {"--check", dir.file("r.pdf").string()});
      EXPECT_EQ(checked.status, 0) << checked.output;
    }
  }
}

// Without a document nothing can begin a page or draw, and says so.
TEST(QuilletRefusalTest, callsWithoutADocumentSayWhatIsMissing)
{
  Ref<IQuillet> q = makeQuillet();
  EXPECT_EQ(q->NewPage(), E_UNEXPECTED);
  EXPECT_EQ(test::lastErrorDescription(), "NewPage: no document is open; call Open first");
  EXPECT_EQ(q->MoveTo(1, 1), E_UNEXPECTED);
  EXPECT_EQ(test::lastErrorDescription(),
            "MoveTo: no document is open; call Open and NewPage first");
  // A refused paper size keeps the one before.
  float width = 0;
  EXPECT_EQ(q->put_PaperWidth(14400.5f), E_INVALIDARG);
  q->get_PaperWidth(&width);
  EXPECT_EQ(width, 595);
  EXPECT_EQ(q->put_PaperWidth(3), S_OK);
  q->get_PaperWidth(&width);
  EXPECT_EQ(width, 3);
}

// Text chunks are not kept: a file of 200 zTXt chunks that unpack to 7.5 MiB
// each is placed at the cost of its pixels.
TEST(QuilletRefusalTest, textChunksCostNothingWhenAPictureIsPlaced)
{
  ScratchDir dir;
  test::writePngFile(dir.file("small.png"), {8, 8, PNG_COLOR_TYPE_RGB, 8, false,
                                             std::vector<std::uint16_t>(8 * 8 * 3, 7), {}, {}});
  const std::string text =
      dir.write("text.png", test::pngWithTextChunks(readBytes(dir.file("small.png")), 200,
                                                    std::size_t(15) << 19))
          .string();
  const tarvek::test::ChildRun child = tarvek::test::runInChild([&] {
    Ref<IQuillet> q = makeQuillet();
    std::int32_t opened = 0;
    q->get_Open(dir.file("t.pdf").c_str(), &opened);
    q->NewPage();
    const HRESULT placed = q->ImageOut(0, 0, text.c_str());
    return opened == 1 && placed == S_OK && q->Close() == S_OK;
  });
  ASSERT_TRUE(child.ended);
  EXPECT_TRUE(child.answer);
  EXPECT_LT(child.peakKiB, 64 * 1024);
  const PdfBytes pdf(readBytes(dir.file("t.pdf")));
  EXPECT_EQ(countOf(pdf.pageContents(), " Do\n"), 1);
}

} // namespace
} // namespace quillet
