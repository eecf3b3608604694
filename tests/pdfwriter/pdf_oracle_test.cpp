#include "pdfwriter/pdf_image.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/oracle_tools.h"
#include "pdfwriter/pdf_test_support.h"
#include "support/require_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>

namespace quillet {
namespace {

namespace fs = std::filesystem;
using test::collapseBlanks;
using test::outDir;
using test::run;
using test::writeOutFile;
using test::ToolRun;
using tarvek::test::readBytes;
using tarvek::test::requireTool;

fs::path manyPages()
{
  return writeOutFile("pages-101.pdf", [](PdfDocument* doc) {
    for (int i = 0; i < 101; ++i) {
      beginPage(doc, 595, 842);
      setStrokeRGB(doc, float(i % 3 == 0), float(i % 3 == 1), float(i % 3 == 2));
      setLineWidth(doc, 4);
      pathRectangle(doc, 50, 50, 495, 742);
      strokePath(doc);
      writePageObject(doc);
    }
  });
}

void drawLines(PdfDocument* doc)
{
  beginPage(doc, 595, 842);
  setLineWidth(doc, 3);
  for (int i = 0; i < 12; ++i) {
    setStrokeRGB(doc, i / 11.0f, 0.2f, 1 - i / 11.0f);
    pathMoveTo(doc, 40, 800 - 20.0f * i);
    pathLineTo(doc, 555, 780 - 20.0f * i);
    strokePath(doc);
  }
  setLineCap(doc, 1);
  setLineJoin(doc, 1);
  setMiterLimit(doc, 4);
  saveGraphicsState(doc);
  setFillRGB(doc, 1, 0.8f, 0);
  setStrokeRGB(doc, 0, 0.5f, 0);
  pathRectangle(doc, 60, 300, 200, 150);
  fillStrokePath(doc);
  restoreGraphicsState(doc);
  setGray(doc, "both", 0.4f);
  pathMoveTo(doc, 300, 300);
  pathCurveTo(doc, 350, 450, 450, 450, 500, 300);
  pathCurveTo(doc, 450, 250, 400, 200, 400, 200);
  fillPath(doc);
  setFillRGB(doc, 0, 0.6f, 0.9f);
  pathMoveTo(doc, 100, 100);
  pathLineTo(doc, 200, 250);
  pathLineTo(doc, 300, 100);
  fillPath(doc);
  writePageObject(doc);
}

fs::path imageFile(const std::string& name, const std::vector<unsigned char>& pixels, float x, float y,
                   float degrees, int quality)
{
  return writeOutFile(name, [&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    int slot = addImage(doc, "raw", "memory", pixels.data(), std::int64_t(pixels.size()), 100, 50, 3, 8, "", quality);
    EXPECT_GE(slot, 0) << name;
    placeImage(doc, slot, x, y, 1, 1, degrees);
    writePageObject(doc);
  });
}

TEST(PdfOracleTest, everyWrittenFilePassesQpdfCheck)
{
  if (!requireTool("qpdf", "qpdf"))
    return;
  auto gradient = test::gradientPixels(100, 50);
  auto halves = test::halvesPixels(100, 50);
  std::vector<fs::path> files = {
    manyPages(),
    writeOutFile("lines-and-colours.pdf", drawLines),
    writeOutFile("lines-uncompressed.pdf", drawLines, 0),
    imageFile("image.pdf", gradient, 72, 600, 0, 75),
    imageFile("image-rotated-90.pdf", halves, 200, 300, 90, 75),
    writeOutFile("pages-1001.pdf", [](PdfDocument* doc) {
      for (int i = 0; i < 1001; ++i) {
        beginPage(doc, 200, 200);
        writePageObject(doc);
      }
    }),
    writeOutFile("images-across-pages.pdf", [&](PdfDocument* doc) {
      for (int page = 0; page < 3; ++page) {
        beginPage(doc, 595, 842);
        pathMoveTo(doc, 10, 10);
        pathLineTo(doc, 500, 800);
        strokePath(doc);
        for (int i = 0; i < 3; ++i) {
          int slot = addImage(doc, "raw", "memory", gradient.data(), std::int64_t(gradient.size()), 100, 50, 3, 8,
                              "", 60 + 10 * i);
          placeImage(doc, slot, 50 + 150 * i, 100 + 200 * page, 1.2f, 1.2f, 15.0f * i);
        }
        writePageObject(doc);
      }
    }),
    writeOutFile("gray-image-deep-save.pdf", [](PdfDocument* doc) {
      std::vector<unsigned char> gray(64 * 32);
      for (std::size_t i = 0; i < gray.size(); ++i)
        gray[i] = static_cast<unsigned char>(i * 7);
      beginPage(doc, 300, 300);
      for (int i = 0; i < 9; ++i)
        saveGraphicsState(doc);
      int slot = addImage(doc, "raw", "memory", gray.data(), std::int64_t(gray.size()), 64, 32, 1, 8, "", 80);
      placeImage(doc, slot, 20, 20, 3, 3, -30);
      pathRectangle(doc, 10, 10, 280, 280);
      strokePath(doc);
      writePageObject(doc);
    }, 0),
  };
  for (const fs::path& file : files) {
    ToolRun check = run("qpdf", {"--check", file.string()});
    EXPECT_EQ(check.status, 0) << file << "\n" << check.output;
    EXPECT_NE(check.output.find("No syntax or stream encoding errors found"), std::string::npos)
      << file << "\n" << check.output;
  }
}

TEST(PdfOracleTest, hundredAndOnePagesAsReadersSeeThem)
{
  if (!requireTool("pdfinfo", "poppler-utils") || !requireTool("qpdf", "qpdf"))
    return;
  fs::path file = manyPages();
  ToolRun info = run("pdfinfo", {"-isodates", file.string()});
  ASSERT_EQ(info.status, 0) << info.output;
  std::string text = collapseBlanks(info.output);
  for (const char* line : {"Pages: 101\n", "Page size: 595 x 842 pts (A4)\n", "Producer: Morvane Quillet\n",
                           "PDF version: 1.3\n", "CreationDate: 2026-12-10T12:00:00Z\n",
                           "Title: Writer check: pages-101.pdf\n"})
    EXPECT_NE(text.find(line), std::string::npos) << "missing \"" << line << "\" in\n" << text;
  ToolRun pages = run("qpdf", {"--show-npages", file.string()});
  EXPECT_EQ(pages.output, "101\n");
}

TEST(PdfOracleTest, imageIsListedAsRgbJpegAtSeventyTwoPpi)
{
  if (!requireTool("pdfimages", "poppler-utils"))
    return;
  fs::path file = imageFile("image.pdf", test::gradientPixels(100, 50), 72, 600, 0, 75);
  ToolRun list = run("pdfimages", {"-list", file.string()});
  ASSERT_EQ(list.status, 0) << list.output;
  std::istringstream lines(collapseBlanks(list.output));
  std::string header, rule, row, extra;
  std::getline(lines, header);
  std::getline(lines, rule);
  std::getline(lines, row);
  EXPECT_FALSE(std::getline(lines, extra) && !extra.empty()) << "one image only:\n" << list.output;
  std::istringstream fields(row);
  std::string page, num, type, width, height, color, comp, bpc, enc, interp, object, id, xppi, yppi;
  fields >> page >> num >> type >> width >> height >> color >> comp >> bpc >> enc >> interp >> object >> id >> xppi
    >> yppi;
  EXPECT_EQ(width + " " + height + " " + color + " " + comp + " " + bpc + " " + enc, "100 50 rgb 3 8 jpeg") << row;
  EXPECT_EQ(xppi, "72") << row;
  EXPECT_EQ(yppi, "72") << row;
}

std::vector<unsigned char> decodeJpeg(const std::string& bytes, int& width, int& height)
{
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  width = int(cinfo.output_width);
  height = int(cinfo.output_height);
  std::vector<unsigned char> pixels(std::size_t(width) * height * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels.data() + std::size_t(cinfo.output_scanline) * width * 3;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return pixels;
}

TEST(PdfOracleTest, extractedJpegIsCloseToTheSource)
{
  if (!requireTool("pdfimages", "poppler-utils"))
    return;
  auto source = test::gradientPixels(100, 50);
  fs::path file = imageFile("image-quality-100.pdf", source, 72, 600, 0, 100);
  tarvek::test::ScratchDir dir;
  ToolRun extract = run("pdfimages", {"-j", file.string(), (dir.path() / "img").string()});
  ASSERT_EQ(extract.status, 0) << extract.output;
  std::string jpeg = readBytes(dir.path() / "img-000.jpg");
  ASSERT_FALSE(jpeg.empty()) << "no DCT stream extracted";
  int width = 0, height = 0;
  auto decoded = decodeJpeg(jpeg, width, height);
  ASSERT_EQ(width, 100);
  ASSERT_EQ(height, 50);
  double squared = 0;
  for (std::size_t i = 0; i < source.size(); ++i) {
    double d = double(decoded[i]) - source[i];
    squared += d * d;
  }
  double mse = squared / double(source.size());
  double psnr = mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
  EXPECT_GE(psnr, 40.0);
}

TEST(PdfOracleTest, rotatedImageRendersWhereTheMatrixPutsIt)
{
  if (!requireTool("pdftoppm", "poppler-utils"))
    return;
  auto halves = test::halvesPixels(100, 50);
  const struct {
    const char* name;
    float degrees;
    std::vector<std::pair<std::array<int, 2>, const char*>> expected;
  } cases[] = {
    {"image-rotated-90.pdf", 90,
     {{{175, 325}, "red"}, {{175, 375}, "blue"}, {{125, 325}, "white"}, {{210, 325}, "white"},
      {{175, 290}, "white"}, {{175, 405}, "white"}}},
    {"image-rotated-0.pdf", 0,
     {{{225, 325}, "red"}, {{275, 325}, "blue"}, {{190, 325}, "white"}, {{225, 290}, "white"},
      {{225, 360}, "white"}, {{310, 325}, "white"}}},
  };
  tarvek::test::ScratchDir dir;
  for (const auto& c : cases) {
    fs::path file = imageFile(c.name, halves, 200, 300, c.degrees, 75);
    fs::path prefix = dir.path() / c.name;
    ToolRun render = run("pdftoppm", {"-r", "72", file.string(), prefix.string()});
    ASSERT_EQ(render.status, 0) << render.output;
    test::Ppm ppm = test::readPpm(prefix.string() + "-1.ppm");
    ASSERT_EQ(ppm.width, 595) << c.name;
    ASSERT_EQ(ppm.height, 842) << c.name;
    for (const auto& [point, colour] : c.expected)
      EXPECT_EQ(ppm.colourAt(point[0], point[1]), colour)
        << c.name << " at (" << point[0] << ", " << point[1] << ")";
  }
}

// A red square as a form, scaled 2 and 3 and turned 90 degrees at (100,
// 200): red over its 30 x 20 footprint from x 70 to 100, y 200 to 220.
TEST(PdfOracleTest, formRendersWhereItsMatrixPutsIt)
{
  if (!requireTool("pdftoppm", "poppler-utils"))
    return;
  const fs::path file = writeOutFile("form-rotated.pdf", [](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    const int slot = defineForm(doc, {0, 0, 10, 10}, "1 0 0 rg 0 0 10 10 re f\n");
    placeImage(doc, slot, 100, 200, 2, 3, 90);
    writePageObject(doc);
  });
  EXPECT_EQ(run("qpdf", {"--check", file.string()}).status, 0);
  tarvek::test::ScratchDir dir;
  const fs::path prefix = dir.path() / "form";
  const ToolRun render = run("pdftoppm", {"-r", "72", file.string(), prefix.string()});
  ASSERT_EQ(render.status, 0) << render.output;
  const test::Ppm ppm = test::readPpm(prefix.string() + "-1.ppm");
  const std::pair<std::array<int, 2>, const char*> expected[] = {
      {{71, 201}, "red"},    {{99, 219}, "red"},   {{85, 210}, "red"},   {{67, 210}, "white"},
      {{103, 210}, "white"}, {{85, 197}, "white"}, {{85, 223}, "white"},
  };
  for (const auto& [point, colour] : expected)
    EXPECT_EQ(ppm.colourAt(point[0], point[1]), colour)
        << "at (" << point[0] << ", " << point[1] << ")";
}

} // namespace
} // namespace quillet
