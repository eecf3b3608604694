// The Quillet object's own OpenFile, and documents made through the
// interface alone, which carry none of the optional document parts.

#include "pdfwriter/pdf_test_support.h"
#include "pdfwriter/quillet_object.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace quillet {
namespace {

using tarvek::test::readBytes;
using tarvek::test::ScratchDir;
using test::PdfBytes;

struct Object {
  Quillet* q = new Quillet;
  ~Object() { q->Release(); }
};

TEST(QuilletOpenFileTest, opensLikeOpenAndSaysWhetherItDid)
{
  ScratchDir dir;
  Object object;
  Quillet* q = object.q;
  EXPECT_EQ(q->OpenFile(dir.file("good.pdf").c_str()), S_OK);
  q->put_Author("Ann");
  EXPECT_EQ(q->NewPage(), S_OK);
  EXPECT_EQ(q->Close(), S_OK);
  PdfBytes pdf(readBytes(dir.file("good.pdf")));
  EXPECT_EQ(pdf.pageObjects().size(), 1u);
  EXPECT_NE(pdf.object(3).find("/Author (Ann)"), std::string::npos);

  ScratchDir empty;
  EXPECT_EQ(q->OpenFile((empty.file("missing") / "x.pdf").c_str()), S_FALSE);
  EXPECT_EQ(q->OpenFile(empty.path().c_str()), S_FALSE);
  EXPECT_EQ(q->OpenFile(nullptr), S_FALSE);
  // No document: NewPage fails, and neither it nor Close writes anything.
  EXPECT_EQ(q->NewPage(), E_UNEXPECTED);
  EXPECT_EQ(q->Close(), S_OK);
  EXPECT_TRUE(std::filesystem::is_empty(empty.path()));
}

// Every drawing member over two pages leaves the optional parts out.
TEST(QuilletInterfaceOnlyTest, noOptionalDocumentParts)
{
  ScratchDir dir;
  Object object;
  Quillet* q = object.q;
  std::vector<std::uint8_t> pixels(4 * 4 * 3, 128);
  ASSERT_EQ(q->OpenFile(dir.file("all.pdf").c_str()), S_OK);
  q->put_Title("All members");
  for (int page = 0; page < 2; ++page) {
    q->NewPage();
    std::int32_t font = -1;
    q->get_InitFont("Arial", &font);
    q->put_FontID(font);
    q->put_FontSize(12);
    q->put_CharSpace(1);
    q->put_WordSpace(2);
    q->put_TextRise(1);
    q->put_TextLeading(14);
    q->put_TextUnderLine(-1);
    q->put_TextColor(0x0000FF);
    q->TextOutXY(50, 700, "Text");
    q->TextOut("Next line");
    q->put_TextRotation(30);
    q->TextOutXY(50, 600, "Turned");
    q->put_StrokeColor(0x00FF00);
    q->put_FillColor(0xFF0000);
    q->put_LineWidth(2);
    q->put_LineCap(1);
    q->put_LineJoin(1);
    q->put_LineMiterLength(4);
    q->MoveTo(10, 10);
    q->LineTo(100, 10);
    q->CurveTo(120, 20, 130, 40, 100, 100);
    q->Stroke();
    q->SetRect(200, 200, 50, 50);
    q->Fill();
    q->SetRect(300, 200, 50, 50);
    q->StrokeAndFill();
    q->put_ImageRotation(10);
    q->ImageOutMem(5, 5, pixels.data(), 4, 4);
    q->EndPage();
  }
  ASSERT_EQ(q->Close(), S_OK);
  const std::string text = test::withoutStreamData(readBytes(dir.file("all.pdf")));
  ASSERT_NE(text.find("/Type /Catalog"), std::string::npos);
  for (const char* key : test::kOptionalPartKeys)
    EXPECT_EQ(text.find(key), std::string::npos) << key;
}

} // namespace
} // namespace quillet
