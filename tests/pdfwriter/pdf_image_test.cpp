#include "pdfwriter/jpeg_memory.h"
#include "pdfwriter/pdf_colour.h"
#include "pdfwriter/pdf_image.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace quillet {
namespace {

using test::countOf;
using test::PdfBytes;
using test::writeDocument;

const std::vector<unsigned char> kPixels = test::gradientPixels(100, 50);

int addBlock(PdfDocument* doc, int quality = 75)
{
  return addImage(doc, "raw", "memory", kPixels.data(), std::int64_t(kPixels.size()), 100, 50, 3, 8, "", quality);
}

PdfBytes onePage(const std::function<void(PdfDocument*)>& draw, int level = 6)
{
  return PdfBytes(writeDocument([&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    draw(doc);
    writePageObject(doc);
  }, level));
}

std::string dictionaryOf(const std::string& object)
{
  return object.substr(0, object.find("stream\n"));
}

TEST(ImageTest, firstImagePlacedAtScaleOne)
{
  PdfBytes pdf = onePage([](PdfDocument* doc) {
    int slot = addBlock(doc);
    EXPECT_EQ(slot, 0);
    placeImage(doc, slot, 72, 600, 1, 1, 0);
    EXPECT_FALSE(doc->images[0].inUse) << "the slot is freed after placing";
  });
  int page = pdf.pageObjects().at(0);
  ASSERT_EQ(pdf.contentsOf(page), (std::vector<int>{5, 9}));
  EXPECT_EQ(pdf.streamData(5), "");
  EXPECT_EQ(pdf.streamData(9), "q\n100 0 0 50 72 600 cm\n/I0 Do\nQ\n");
  EXPECT_EQ(dictionaryOf(pdf.object(7)), "7 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n/Width 100\n/Height 50\n"
                                         "/BitsPerComponent 8\n/ColorSpace/DeviceRGB\n/Filter [/DCTDecode]\n"
                                         "/Length 8 0 R\n>>\n");

  // The data is the JPEG itself, right after "stream\n", as long as /Length says.
  std::string jpeg = pdf.streamData(7);
  ASSERT_GE(jpeg.size(), 4u);
  EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
  EXPECT_EQ(pdf.object(8), "8 0 obj\n" + std::to_string(jpeg.size()) + "\nendobj\n");
}

// Rotation turns the image about its corner without shearing it.
TEST(ImageTest, placementMatrices)
{
  const struct {
    float x, y, sx, sy, degrees;
    const char* cm;
  } cases[] = {
    {72, 600, 1, 1, 90, "0 100 -50 0 72 600 cm\n"},
    {72, 600, 2, 0.5f, 0, "200 0 0 25 72 600 cm\n"},
    {10, 20, 1, 1, 180, "-100 0 0 -50 10 20 cm\n"},
    {0, 0, 1, 1, 30, "86.6025 50 -25 43.3013 0 0 cm\n"},
    {0, 0, -1, 1, 0, "-100 0 0 50 0 0 cm\n"},
  };
  for (const auto& c : cases) {
    PdfBytes pdf = onePage([&](PdfDocument* doc) { placeImage(doc, addBlock(doc), c.x, c.y, c.sx, c.sy, c.degrees); });
    EXPECT_EQ(pdf.streamData(9), std::string("q\n") + c.cm + "/I0 Do\nQ\n")
      << "at (" << c.x << ", " << c.y << ") scale " << c.sx << " x " << c.sy << ", " << c.degrees << " degrees";
  }
}

TEST(ImageTest, samePixelsTwiceMakeTwoObjects)
{
  PdfBytes pdf = onePage([](PdfDocument* doc) {
    placeImage(doc, addBlock(doc), 0, 0, 1, 1, 0);
    placeImage(doc, addBlock(doc), 0, 100, 1, 1, 0);
  });
  std::string content = pdf.pageContents();
  EXPECT_NE(content.find("/I0 Do"), std::string::npos);
  EXPECT_NE(content.find("/I1 Do"), std::string::npos);
  EXPECT_EQ(pdf.contentsOf(pdf.pageObjects()[0]).size(), 3u);
  EXPECT_EQ(countOf(pdf.bytes(), "/Subtype /Image"), 2);
  EXPECT_NE(pdf.bytes().find("/XObject<<\n/I0 7 0 R\n/I1 11 0 R\n>>\n"), std::string::npos);
}

TEST(ImageTest, zeroScaleDrawsNothingButWritesTheImage)
{
  for (float scale : {0.0f, 0.00001f, NAN}) {
    PdfBytes pdf = onePage([&](PdfDocument* doc) { placeImage(doc, addBlock(doc), 72, 600, scale, 1, 0); });
    EXPECT_EQ(pdf.pageContents().find("Do"), std::string::npos) << "scale " << scale;
    EXPECT_EQ(pdf.bytes().find("/XObject<<"), std::string::npos) << "scale " << scale;
    EXPECT_NE(pdf.bytes().find("/ProcSet [/PDF]\n"), std::string::npos) << "scale " << scale;
    EXPECT_EQ(countOf(pdf.bytes(), "/Subtype /Image"), 1) << "scale " << scale;
  }
}

TEST(ImageTest, qualityChangesOnlyTheData)
{
  PdfBytes low = onePage([](PdfDocument* doc) { placeImage(doc, addBlock(doc, 75), 0, 0, 1, 1, 0); });
  PdfBytes high = onePage([](PdfDocument* doc) { placeImage(doc, addBlock(doc, 100), 0, 0, 1, 1, 0); });
  EXPECT_EQ(dictionaryOf(low.object(7)), dictionaryOf(high.object(7)));
  EXPECT_NE(low.streamData(7), high.streamData(7));
  EXPECT_LT(low.streamData(7).size(), high.streamData(7).size());
}

// Resources list only the images drawn on that page; names count on over
// the whole document, and both tables grow past their first size.
TEST(ImageTest, namesAndResourcesAcrossPagesAndGrowth)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    placeImage(doc, addBlock(doc), 0, 0, 1, 1, 0);
    writePageObject(doc);
    beginPage(doc, 595, 842);
    std::vector<int> slots;
    for (int i = 0; i < 130; ++i)
      slots.push_back(addBlock(doc));
    EXPECT_EQ(doc->images.size(), 256u);
    for (int slot : slots)
      placeImage(doc, slot, 0, 0, 0.1f, 0.1f, 0);
    writePageObject(doc);
  }, 0));
  auto pages = pdf.pageObjects();
  std::string second = pdf.object(static_cast<int>(PdfBytes::intEntry(pdf.object(pages[1]), "/Resources")));
  EXPECT_EQ(second.find("/I0 "), std::string::npos);
  EXPECT_NE(second.find("/I1 "), std::string::npos);
  EXPECT_NE(second.find("/I130 "), std::string::npos);
  EXPECT_EQ(countOf(second, " 0 R\n"), 130);
  EXPECT_NE(pdf.pageContents().find("/I130 Do"), std::string::npos);
}

TEST(ImageTest, grayImageUsesGrayColourSpace)
{
  std::vector<unsigned char> gray(64 * 32);
  for (std::size_t i = 0; i < gray.size(); ++i)
    gray[i] = static_cast<unsigned char>(i);
  PdfBytes pdf = onePage([&](PdfDocument* doc) {
    int slot = addImage(doc, "raw", "memory", gray.data(), std::int64_t(gray.size()), 64, 32, 1, 8, "", 90);
    ASSERT_GE(slot, 0);
    placeImage(doc, slot, 0, 0, 1, 1, 0);
  });
  EXPECT_NE(pdf.object(7).find("/ColorSpace/DeviceGray\n"), std::string::npos);
  EXPECT_NE(pdf.bytes().find("/ProcSet [/PDF/ImageB]"), std::string::npos);
}

// A refused image writes nothing and leaves the page in one stream.
TEST(ImageTest, badInputIsRefusedWithoutTouchingThePage)
{
  std::vector<unsigned char> wide(70000 * 3);
  std::vector<unsigned char> small(16);
  const std::int64_t size = std::int64_t(kPixels.size());
  const struct {
    const char* what;
    std::function<int(PdfDocument*)> add;
  } cases[] = {
    {"missing pixels", [&](PdfDocument* d) { return addImage(d, "raw", "memory", nullptr, size, 100, 50, 3, 8, "", 75); }},
    {"size one byte short", [&](PdfDocument* d) { return addImage(d, "raw", "memory", kPixels.data(), size - 1, 100, 50, 3, 8, "", 75); }},
    {"components 2", [&](PdfDocument* d) { return addImage(d, "raw", "memory", kPixels.data(), size, 75, 50, 2, 8, "", 75); }},
    {"kind ccitt", [&](PdfDocument* d) { return addImage(d, "ccitt", "memory", kPixels.data(), size, 100, 50, 3, 8, "", 75); }},
    {"components 4", [&](PdfDocument* d) { return addImage(d, "raw", "memory", kPixels.data(), size, 75, 50, 4, 8, "", 75); }},
    {"70000 x 1", [&](PdfDocument* d) { return addImage(d, "raw", "memory", wide.data(), std::int64_t(wide.size()), 70000, 1, 3, 8, "", 75); }},
    {"65536 x 65536 with size 0", [&](PdfDocument* d) { return addImage(d, "raw", "memory", small.data(), 0, 65536, 65536, 3, 8, "", 75); }},
    {"stencil mask", [&](PdfDocument* d) { return addImage(d, "raw", "memory", kPixels.data(), 5000, 100, 50, 1, 8, "mask", 75); }},
    {"any other option", [&](PdfDocument* d) { return addImage(d, "raw", "memory", kPixels.data(), size, 100, 50, 3, 8, "x", 75); }},
    {"16 bits", [&](PdfDocument* d) { return addImage(d, "raw", "memory", kPixels.data(), size, 50, 50, 3, 16, "", 75); }},
    {"unknown source", [&](PdfDocument* d) { return addImage(d, "raw", "file", kPixels.data(), size, 100, 50, 3, 8, "", 75); }},
    {"empty kind", [&](PdfDocument* d) { return addImage(d, "", "memory", kPixels.data(), size, 100, 50, 3, 8, "", 75); }},
    {"zero width", [&](PdfDocument* d) { return addImage(d, "raw", "memory", kPixels.data(), 0, 0, 50, 3, 8, "", 75); }},
  };
  std::string clean = onePage([](PdfDocument* doc) { pathMoveTo(doc, 1, 1); }).bytes();
  for (const auto& c : cases) {
    PdfBytes pdf = onePage([&](PdfDocument* doc) {
      EXPECT_EQ(c.add(doc), -1) << c.what;
      pathMoveTo(doc, 1, 1);
      placeImage(doc, 0, 0, 0, 1, 1, 0);
    });
    EXPECT_EQ(pdf.bytes(), clean) << c.what;
  }
}

// libjpeg's own error exit would end the process.
TEST(JpegTest, libjpegErrorsComeBackAsEmptyResult)
{
  std::vector<unsigned char> wide(70000 * 3);
  JpegData refused = compressJpeg({wide.data(), 70000, 1, 3, 75});
  EXPECT_EQ(refused.bytes, nullptr);
  EXPECT_EQ(refused.size, 0u);
  JpegData fine = compressJpeg({wide.data(), 100, 1, 3, 75});
  EXPECT_NE(fine.bytes, nullptr);
  EXPECT_GT(fine.size, 100u);
}

TEST(MatrixTest, concatenationWritesAndComposes)
{
  PdfBytes pdf = onePage([](PdfDocument* doc) {
    concatMatrix(doc, Matrix{});
    concatMatrix(doc, Matrix{2, 0, 0, 2, 10, 20});
    concatMatrix(doc, Matrix{0, 1, -1, 0, 0, 0});
    const Matrix& ctm = doc->level().line.ctm;
    // The later matrix applies first: (1, 0) -> (0, 1) -> (10, 22).
    EXPECT_EQ(ctm, (Matrix{0, 2, -2, 0, 10, 20}));
    EXPECT_DOUBLE_EQ(1 * ctm.a + 0 * ctm.c + ctm.e, 10);
    EXPECT_DOUBLE_EQ(1 * ctm.b + 0 * ctm.d + ctm.f, 22);
  }, 0);
  EXPECT_EQ(pdf.pageContents(), "2 0 0 2 10 20 cm\n0 1 -1 0 0 0 cm\n");
}

// A form is written once and placed as often as asked, through the matrix
// images use: scales 2 and 3 at 90 degrees give 0 2 -3 0 x y.
TEST(FormTest, placedTwiceFromOneObject)
{
  int slot = -1;
  const PdfBytes pdf = onePage([&](PdfDocument* doc) {
    slot = defineForm(doc, {0, 0, 10, 10}, "1 0 0 rg 0 0 10 10 re f\n");
    placeImage(doc, slot, 100, 200, 2, 3, 90);
    placeImage(doc, slot, 300, 400, 1, 1, 0);
    EXPECT_TRUE(doc->images[std::size_t(slot)].inUse);
    EXPECT_EQ(defineForm(doc, {0, 0, NAN, 10}, "0 0 1 1 re f\n"), -1);
  });
  EXPECT_EQ(slot, 0);
  EXPECT_EQ(countOf(pdf.bytes(), "/Subtype /Form\n"), 1);
  const std::string content = pdf.pageContents();
  EXPECT_NE(content.find("q\n0 2 -3 0 100 200 cm\n/I0 Do\nQ\nq\n1 0 0 1 300 400 cm\n/I0 Do\nQ\n"),
            std::string::npos)
      << content;
  for (const auto& [n, offset] : pdf.offsets()) {
    const std::string object = pdf.object(n);
    if (object.find("/Subtype /Form\n") == std::string::npos)
      continue;
    EXPECT_NE(object.find("/BBox [0 0 10 10]\n/Resources<<>>\n"), std::string::npos) << object;
    EXPECT_EQ(pdf.streamData(n), "1 0 0 rg 0 0 10 10 re f\n");
  }
}

// With the keep-drawing-state flag cleared the page's line width, dash and
// colours are reset inside the form's save; a kind-4 XObject is never drawn.
TEST(FormTest, drawingStateResetAndUnplacedKinds)
{
  const std::string content = onePage([](PdfDocument* doc) {
                                const int slot = defineForm(doc, {0, 0, 5, 5}, "0 0 5 5 re f\n");
                                setLineWidth(doc, 3);
                                setDash(doc, 2, 1);
                                setStrokeRGB(doc, 1, 0, 0);
                                pathRectangle(doc, 0, 0, 50, 50);
                                strokePath(doc);
                                doc->keepDrawingState = false;
                                placeImage(doc, slot, 10, 10, 1, 1, 0);
                                const int other = defineForm(doc, {0, 0, 5, 5}, "");
                                doc->xobjects[std::size_t(doc->images[std::size_t(other)].xobjectIndex)]
                                    .kind = kUnplacedXObject;
                                placeImage(doc, other, 10, 10, 1, 1, 0);
                              },
                              0)
                                .pageContents();
  const std::size_t save = content.find("q\n1 0 0 1 10 10 cm\n");
  ASSERT_NE(save, std::string::npos) << content;
  const std::size_t draw = content.find("/I0 Do\nQ\n", save);
  ASSERT_NE(draw, std::string::npos) << content;
  const std::string reset = content.substr(save, draw - save);
  EXPECT_NE(reset.find("[] 0 d\n"), std::string::npos) << reset;
  EXPECT_EQ(content.find("/I1 Do"), std::string::npos) << content;
}

} // namespace
} // namespace quillet
