#include "pdfwriter/image_fixtures.h"
#include "pdfwriter/image_format_fixtures.h"
#include "pdfwriter/pdf_test_support.h"
#include "pdfwriter/quillet_test_support.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <limits>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillet {
namespace {

using tarvek::test::readBytes;
using tarvek::test::ScratchDir;
using test::countOf;
using test::makeQuillet;
using test::PdfBytes;
using test::Ref;
using test::take;

std::int32_t open(IQuillet* q, const std::filesystem::path& path)
{
  std::int32_t result = 0;
  EXPECT_EQ(q->get_Open(path.c_str(), &result), S_OK);
  return result;
}

// g++ stores a pointer to a virtual member as 1 + its byte offset in the
// vtable.
template <typename Member>
std::size_t slotOf(Member member)
{
  static_assert(sizeof(Member) == 2 * sizeof(std::uintptr_t));
  std::uintptr_t word;
  std::memcpy(&word, &member, sizeof word);
  return (word - 1) / sizeof(void*);
}

// Callers reach every member by its slot: the order is the contract.
TEST(QuilletInterfaceTest, membersSitInTheirSlots)
{
#define SLOT(member)                                                                               \
  {                                                                                                \
#member, slotOf(&IQuillet::member)                                                             \
  }
  const std::vector<std::pair<const char*, std::size_t>> slots = {
      SLOT(get_Author),
      SLOT(put_Author),
      SLOT(get_Title),
      SLOT(put_Title),
      SLOT(get_Keywords),
      SLOT(put_Keywords),
      SLOT(get_Subject),
      SLOT(put_Subject),
      SLOT(get_Creator),
      SLOT(put_Creator),
      SLOT(get_CharSpace),
      SLOT(put_CharSpace),
      SLOT(get_WordSpace),
      SLOT(put_WordSpace),
      SLOT(get_LineWidth),
      SLOT(put_LineWidth),
      SLOT(get_PaperWidth),
      SLOT(put_PaperWidth),
      SLOT(get_PaperHeight),
      SLOT(put_PaperHeight),
      SLOT(get_TextRise),
      SLOT(put_TextRise),
      SLOT(get_TextLeading),
      SLOT(put_TextLeading),
      SLOT(get_FontID),
      SLOT(put_FontID),
      SLOT(get_FontSize),
      SLOT(put_FontSize),
      SLOT(get_FontBold),
      SLOT(put_FontBold),
      SLOT(get_FontItalicAngle),
      SLOT(put_FontItalicAngle),
      SLOT(get_TextColor),
      SLOT(put_TextColor),
      SLOT(get_StrokeColor),
      SLOT(put_StrokeColor),
      SLOT(get_FillColor),
      SLOT(put_FillColor),
      SLOT(get_LineCap),
      SLOT(put_LineCap),
      SLOT(get_LineJoin),
      SLOT(put_LineJoin),
      SLOT(get_TextRotation),
      SLOT(put_TextRotation),
      SLOT(get_LineMiterLength),
      SLOT(put_LineMiterLength),
      SLOT(get_TextUnderLine),
      SLOT(put_TextUnderLine),
      SLOT(get_ImageScaleX),
      SLOT(put_ImageScaleX),
      SLOT(get_ImageScaleY),
      SLOT(put_ImageScaleY),
      SLOT(get_ImageRotation),
      SLOT(put_ImageRotation),
      SLOT(get_ImageQuality),
      SLOT(put_ImageQuality),
      SLOT(get_FontEmbed),
      SLOT(put_FontEmbed),
      SLOT(NewPage),
      SLOT(EndPage),
      SLOT(get_Open),
      SLOT(Close),
      SLOT(TextOut),
      SLOT(MoveTo),
      SLOT(LineTo),
      SLOT(CurveTo),
      SLOT(Stroke),
      SLOT(Fill),
      SLOT(StrokeAndFill),
      SLOT(get_InitFont),
      SLOT(SetRect),
      SLOT(TextOutXY),
      SLOT(ImageOut),
      SLOT(ImageOutMem),
      SLOT(Encrypt),
      SLOT(get_StringWidth),
  };
#undef SLOT
  ASSERT_EQ(slots.size(), 76u);
  for (std::size_t i = 0; i < slots.size(); ++i)
    EXPECT_EQ(slots[i].second, 7 + i) << slots[i].first;
  const std::pair<const char*, std::size_t> named[] = {
      {"get_Author", 7},   {"put_Author", 8},    {"NewPage", 65},
      {"get_Open", 67},    {"get_InitFont", 76}, {"ImageOut", 79},
      {"ImageOutMem", 80}, {"Encrypt", 81},      {"get_StringWidth", 82}};
  for (const auto& [name, slot] : named) {
    bool found = false;
    for (const auto& entry : slots)
      if (std::strcmp(entry.first, name) == 0) {
        found = true;
        EXPECT_EQ(entry.second, slot) << name;
      }
    EXPECT_TRUE(found) << name;
  }
  EXPECT_EQ(slotOf(&IResetDefaults::resetDefaults), 3u);
  EXPECT_EQ(slotOf(&IQuilletFactory::CreateQuillet), 7u);
}

void expectDefaults(IQuillet* q, const std::string& context)
{
  float f = -1;
  std::int32_t i = -1;
  VARIANT_BOOL b = 1;
  const std::pair<HRESULT (IQuillet::*)(float*), float> reals[] = {
      {&IQuillet::get_PaperWidth, 595}, {&IQuillet::get_PaperHeight, 842},
      {&IQuillet::get_FontSize, 10},    {&IQuillet::get_ImageScaleX, 1},
      {&IQuillet::get_ImageScaleY, 1},  {&IQuillet::get_CharSpace, 0},
      {&IQuillet::get_WordSpace, 0},    {&IQuillet::get_TextRise, 0},
      {&IQuillet::get_TextLeading, 0},  {&IQuillet::get_TextRotation, 0},
      {&IQuillet::get_ImageRotation, 0}};
  for (std::size_t k = 0; k < std::size(reals); ++k) {
    EXPECT_EQ((q->*reals[k].first)(&f), S_OK);
    EXPECT_EQ(f, reals[k].second) << context << ", real property " << k;
  }
  const std::pair<HRESULT (IQuillet::*)(std::int32_t*), std::int32_t> integers[] = {
      {&IQuillet::get_FontID, 0},
      {&IQuillet::get_ImageQuality, 75},
      {&IQuillet::get_FontItalicAngle, 0}};
  for (std::size_t k = 0; k < std::size(integers); ++k) {
    EXPECT_EQ((q->*integers[k].first)(&i), S_OK);
    EXPECT_EQ(i, integers[k].second) << context << ", integer property " << k;
  }
  for (auto getter : {&IQuillet::get_FontBold, &IQuillet::get_FontEmbed}) {
    EXPECT_EQ((q->*getter)(&b), S_OK);
    EXPECT_EQ(b, VARIANT_FALSE) << context;
  }
  char* text = nullptr;
  q->get_Title(&text);
  EXPECT_EQ(take(text), "") << context;
  q->get_Keywords(&text);
  EXPECT_EQ(take(text), "") << context;
}

// Open resets the page, text, font and image properties; the kept ones
// (texts, line and colour properties) survive a Close and a second Open.
TEST(QuilletInterfaceTest, openResetsDefaultsAndKeepsTheKeptProperties)
{
  ScratchDir dir;
  Ref<IQuillet> q = makeQuillet();
  expectDefaults(q.get(), "new object");
  ASSERT_EQ(open(q.get(), dir.file("a.pdf")), 1);
  expectDefaults(q.get(), "after Open");

  q->put_PaperWidth(300);
  q->put_FontSize(33);
  q->put_Title("t");
  q->put_Author("author");
  q->put_Subject("subject");
  q->put_Creator("creator");
  q->put_LineWidth(2.5f);
  q->put_TextColor(0x010203);
  q->put_StrokeColor(0x040506);
  q->put_FillColor(0x070809);
  q->put_LineCap(1);
  q->put_LineJoin(2);
  q->put_LineMiterLength(4);
  q->put_TextUnderLine(VARIANT_TRUE);
  q->NewPage();
  EXPECT_EQ(q->Close(), S_OK);
  ASSERT_EQ(open(q.get(), dir.file("b.pdf")), 1);
  expectDefaults(q.get(), "second Open");

  char* text = nullptr;
  float f = 0;
  std::int32_t i = 0;
  OLE_COLOR c = 0;
  VARIANT_BOOL b = 0;
  q->get_Author(&text);
  EXPECT_EQ(take(text), "author");
  q->get_Subject(&text);
  EXPECT_EQ(take(text), "subject");
  q->get_Creator(&text);
  EXPECT_EQ(take(text), "creator");
  q->get_LineWidth(&f);
  EXPECT_EQ(f, 2.5f);
  q->get_LineMiterLength(&f);
  EXPECT_EQ(f, 4);
  q->get_TextColor(&c);
  EXPECT_EQ(c, 0x010203u);
  q->get_StrokeColor(&c);
  EXPECT_EQ(c, 0x040506u);
  q->get_FillColor(&c);
  EXPECT_EQ(c, 0x070809u);
  q->get_LineCap(&i);
  EXPECT_EQ(i, 1);
  q->get_LineJoin(&i);
  EXPECT_EQ(i, 2);
  q->get_TextUnderLine(&b);
  EXPECT_EQ(b, VARIANT_TRUE);

  // The first document has its texts; the kept properties are not
  // written into the second one, which has only what is put for it.
  const std::string first = PdfBytes(readBytes(dir.file("a.pdf"))).object(3);
  for (const char* entry : {"/Title (t)", "/Author (author)", "/Subject (subject)",
                            "/Creator (creator)"})
    EXPECT_NE(first.find(entry), std::string::npos) << entry << " in\n" << first;
  q->put_Subject("second subject");
  q->NewPage();
  std::int32_t font = -1;
  q->get_InitFont("Arial", &font);
  q->put_FontID(font);
  q->TextOutXY(10, 10, "x");
  EXPECT_EQ(q->Close(), S_OK);
  const PdfBytes second(readBytes(dir.file("b.pdf")));
  const std::string info = second.object(3);
  EXPECT_NE(info.find("/Subject (second subject)"), std::string::npos) << info;
  for (const char* entry : {"/Title", "/Author", "/Creator"})
    EXPECT_EQ(info.find(entry), std::string::npos) << entry << " in\n" << info;
  // The document's underline flag starts clear.
  const std::string content = second.pageContents();
  EXPECT_NE(content.find("(x)Tj"), std::string::npos) << content;
  EXPECT_EQ(content.find(" l\n"), std::string::npos) << content;
}

// An Info text put empty leaves the entry as it was.
TEST(QuilletInterfaceTest, emptyInfoTextKeepsTheEarlierOne)
{
  ScratchDir dir;
  Ref<IQuillet> q = makeQuillet();
  ASSERT_EQ(open(q.get(), dir.file("e.pdf")), 1);
  q->put_Title("kept title");
  q->put_Title("");
  q->put_Author("kept author");
  q->put_Author(nullptr);
  char* back = nullptr;
  q->get_Title(&back);
  EXPECT_EQ(take(back), "") << "the property holds what was put";
  q->NewPage();
  ASSERT_EQ(q->Close(), S_OK);
  const std::string info = PdfBytes(readBytes(dir.file("e.pdf"))).object(3);
  EXPECT_NE(info.find("/Title (kept title)"), std::string::npos) << info;
  EXPECT_NE(info.find("/Author (kept author)"), std::string::npos) << info;
}

// One page drawn through the interface, its content streams joined.
std::string drawPage(const std::function<void(IQuillet*)>& draw)
{
  ScratchDir dir;
  Ref<IQuillet> q = makeQuillet();
  EXPECT_EQ(open(q.get(), dir.file("p.pdf")), 1);
  EXPECT_EQ(q->NewPage(), S_OK);
  draw(q.get());
  EXPECT_EQ(q->Close(), S_OK);
  return PdfBytes(readBytes(dir.file("p.pdf"))).pageContents();
}

// OLE_COLOR is 0x00BBGGRR.
TEST(QuilletInterfaceTest, coloursComeFromBgrWords)
{
  const struct {
    OLE_COLOR colour;
    bool stroke;
    const char* expected;
  } cases[] = {
      {0x0000FF, false, "1 0 0 rg"},
      {0xFF0000, false, "0 0 1 rg"},
      {0x808080, true, "0.502 0.502 0.502 RG"},
  };
  for (const auto& c : cases) {
    const std::string content = drawPage([&](IQuillet* q) {
      if (c.stroke) {
        q->put_StrokeColor(c.colour);
        q->MoveTo(1, 1);
        q->LineTo(2, 2);
        q->Stroke();
      } else {
        q->put_TextColor(c.colour);
        q->SetRect(1, 1, 2, 2);
        q->Fill();
      }
    });
    EXPECT_NE(content.find(c.expected), std::string::npos) << std::hex << c.colour << " gave\n"
                                                           << content;
  }
}

TEST(QuilletInterfaceTest, pagesFollowNewPageEndPageAndClose)
{
  ScratchDir dir;
  Ref<IQuillet> q = makeQuillet();

  // Close without Open and EndPage without a page write nothing.
  EXPECT_EQ(q->Close(), S_OK);
  EXPECT_EQ(q->EndPage(), S_OK);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

  ASSERT_EQ(open(q.get(), dir.file("two.pdf")), 1);
  EXPECT_EQ(q->EndPage(), S_OK);
  EXPECT_EQ(q->NewPage(), S_OK);
  EXPECT_EQ(q->NewPage(), S_OK);
  // Close right after NewPage ends that page.
  EXPECT_EQ(q->Close(), S_OK);
  EXPECT_EQ(PdfBytes(readBytes(dir.file("two.pdf"))).pageObjects().size(), 2u);

  // A paper size the writer refuses is refused when it is put, and the
  // page keeps the size before; drawing between pages fails.
  ASSERT_EQ(open(q.get(), dir.file("none.pdf")), 1);
  EXPECT_EQ(q->put_PaperWidth(2), E_INVALIDARG);
  EXPECT_EQ(q->SetRect(1, 1, 1, 1), E_UNEXPECTED);
  EXPECT_EQ(q->Stroke(), E_UNEXPECTED);
  EXPECT_EQ(q->NewPage(), S_OK);
  EXPECT_EQ(q->Close(), S_OK);
  const PdfBytes none(readBytes(dir.file("none.pdf")));
  ASSERT_EQ(none.pageObjects().size(), 1u);
  EXPECT_NE(none.bytes().find("/MediaBox [0 0 595 842]"), std::string::npos);
}

TEST(QuilletInterfaceTest, openThatCannotCreateGivesMinusOne)
{
  ScratchDir dir;
  Ref<IQuillet> q = makeQuillet();
  for (const auto& path : {dir.file("missing") / "x.pdf", dir.path()}) {
    std::int32_t result = 0;
    EXPECT_EQ(q->get_Open(path.c_str(), &result), S_OK) << path;
    EXPECT_EQ(result, -1) << path;
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  std::int32_t result = 0;
  EXPECT_EQ(q->get_Open(nullptr, &result), S_OK);
  EXPECT_EQ(result, -1);
}

TEST(QuilletInterfaceTest, initFontKeepsOneIdPerNameAndRefusesBadNames)
{
  ScratchDir dir;
  Ref<IQuillet> q = makeQuillet();
  std::int32_t id = 0;
  // No document: nothing to add the font to.
  EXPECT_EQ(q->get_InitFont("Arial", &id), S_OK);
  EXPECT_EQ(id, -1);

  ASSERT_EQ(open(q.get(), dir.file("f.pdf")), 1);
  std::int32_t first = -1, again = -1, lower = -1;
  q->get_InitFont("Arial", &first);
  q->get_InitFont("Arial", &again);
  q->get_InitFont("arial", &lower);
  EXPECT_GE(first, 0);
  EXPECT_EQ(again, first);
  EXPECT_EQ(lower, first);

  q->get_InitFont(std::string(40, 'A').c_str(), &id);
  EXPECT_EQ(id, -1);
  q->put_FontEmbed(VARIANT_TRUE);
  q->get_InitFont("MM_X", &id);
  EXPECT_EQ(id, -1);
  EXPECT_EQ(q->get_InitFont("Arial", nullptr), E_POINTER);
}

// Properties put on one page hold on the next.
// Every page starts black with the default line state, whatever the page
// before it set; the selected font is carried over, and a StrokeColor put
// comes back at the next MoveTo.
TEST(QuilletInterfaceTest, newPageStartsBlackWithDefaultLines)
{
  ScratchDir dir;
  Ref<IQuillet> q = makeQuillet();
  ASSERT_EQ(open(q.get(), dir.file("s.pdf")), 1);
  q->NewPage();
  std::int32_t font = -1;
  q->get_InitFont("Arial", &font);
  ASSERT_GE(font, 0);
  q->put_FontID(font);
  q->put_FontSize(14);
  q->put_LineWidth(3);
  q->put_LineCap(1);
  q->put_LineJoin(2);
  q->put_LineMiterLength(4);
  q->put_FillColor(0x0000FF);
  q->put_StrokeColor(0x00FF00);
  q->NewPage();
  q->TextOutXY(10, 10, "second");
  q->SetRect(1, 1, 5, 5);
  q->StrokeAndFill();
  q->MoveTo(1, 1);
  q->LineTo(5, 5);
  q->Stroke();
  ASSERT_EQ(q->Close(), S_OK);

  const PdfBytes pdf(readBytes(dir.file("s.pdf")));
  const std::vector<int> pages = pdf.pageObjects();
  ASSERT_EQ(pages.size(), 2u);
  std::string second;
  for (int stream : pdf.contentsOf(pages[1]))
    second += pdf.streamData(stream);
  EXPECT_NE(second.find("/F0 14 Tf"), std::string::npos) << second;
  EXPECT_NE(second.find("(second)Tj"), std::string::npos) << second;
  const std::size_t paint = second.find("B*\n");
  ASSERT_NE(paint, std::string::npos) << second;
  const std::string beforePaint = second.substr(0, paint);
  for (const char* op : {"3 w\n", "1 J\n", "2 j\n", "4 M\n", "0 1 0 RG\n", "0 0 1 rg"})
    EXPECT_EQ(beforePaint.find(op), std::string::npos) << op << " in\n" << second;
  const std::size_t move = second.find(" m\n");
  ASSERT_NE(move, std::string::npos) << second;
  EXPECT_NE(second.find("0 1 0 RG\n", paint), std::string::npos) << second;
}

// Drawn text is code page 1252; what it lacks, and broken UTF-8, is "?".
TEST(QuilletInterfaceTest, drawnTextIsConvertedFromUtf8ToCp1252)
{
  const struct {
    const char* text;
    const char* literal;
  } cases[] = {
      {"\xC3\x85\xC2\xB0\xE2\x82\xAC", "(\xC5\xB0\x80)Tj"},
      {"\xE4\xB8\xAD", "(?)Tj"},
      {"a\xFF"
       "b",
       "(a?b)Tj"},
      {"\xE2\x80\xA2", "(\x95)Tj"},
  };
  for (const auto& c : cases) {
    const std::string content = drawPage([&](IQuillet* q) {
      std::int32_t font = -1;
      q->get_InitFont("Arial", &font);
      q->put_FontID(font);
      q->put_FontSize(12);
      q->TextOutXY(10, 10, c.text);
    });
    EXPECT_NE(content.find(c.literal), std::string::npos) << c.text << " gave\n" << content;
  }
}

// Info texts read the same in every viewer: PDFDocEncoding when it has every
// character, UTF-16BE otherwise.
TEST(QuilletInterfaceTest, infoTextsAreWrittenSoReadersDecodeThem)
{
  const struct {
    const char* title;
    std::string written;
  } cases[] = {
      {"\xC3\x85", "/Title (\xC5)"},
      {"\xE2\x82\xAC", "/Title (\xA0)"},
      {"\xE4\xB8\xAD", std::string("/Title (\xFE\xFF\x4E\x2D)")},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    Ref<IQuillet> q = makeQuillet();
    ASSERT_EQ(open(q.get(), dir.file("i.pdf")), 1);
    q->put_Title(c.title);
    char* back = nullptr;
    EXPECT_EQ(q->get_Title(&back), S_OK);
    EXPECT_EQ(take(back), c.title);
    q->NewPage();
    ASSERT_EQ(q->Close(), S_OK);
    EXPECT_NE(readBytes(dir.file("i.pdf")).find(c.written), std::string::npos) << c.title;
  }
}

// A 16 x 8 JPEG whose frame header claims another size.
std::string jpegClaiming(const std::filesystem::path& path, int width, int height)
{
  test::writeJpegFile(path, 16, 8, 3, 2, test::Bytes(16 * 8 * 3, 90), 90);
  std::string bytes = readBytes(path);
  const std::size_t frame = bytes.find("\xFF\xC0");
  bytes[frame + 5] = char(height >> 8);
  bytes[frame + 6] = char(height & 0xFF);
  bytes[frame + 7] = char(width >> 8);
  bytes[frame + 8] = char(width & 0xFF);
  return bytes;
}

// An image file that cannot be placed fails the call with the file and the
// reason, draws nothing and leaves the page as it was.
TEST(QuilletInterfaceTest, imagesThatCannotBeReadFailAndDrawNothing)
{
  ScratchDir dir;
  dir.write("unknown.xyz", "not an image");
  test::writeJpegFile(dir.file("cmyk.jpg"), 8, 8, 4, 4, test::Bytes(8 * 8 * 4, 10), 90);
  dir.write("huge.jpg", jpegClaiming(dir.file("huge.jpg"), 18183, 19024));
  test::TiffFixture gray16;
  gray16.width = 4;
  gray16.height = 2;
  gray16.bitsPerSample = 16;
  gray16.samplesPerPixel = 1;
  gray16.photometric = 1;
  gray16.rows.assign(4 * 2 * 2, 0x40);
  test::writeTiffFile(dir.file("gray16.tif"), gray16);
  test::TiffFixture jpegInside;
  jpegInside.width = 16;
  jpegInside.height = 16;
  jpegInside.compression = 7;
  jpegInside.rows.assign(16 * 16 * 3, 0x80);
  test::writeTiffFile(dir.file("jpeg.tif"), jpegInside);
  test::Bytes psd = test::psdFile(4, 2, 3, 3, test::Bytes(4 * 2 * 3, 7), false, {});
  psd[23] = 16; // the depth field
  dir.write("deep.psd", std::string(psd.begin(), psd.end()));
  // Pictures whose rows are already being compressed when they fail: one
  // cut in its scan, one whose fault comes after its last row.
  test::writeJpegFile(dir.file("whole.jpg"), 400, 300, 3, 2, test::gradientPixels(400, 300), 95);
  const std::string whole = readBytes(dir.file("whole.jpg"));
  dir.write("cut.jpg", whole.substr(0, whole.size() / 2));
  const std::size_t end = whole.rfind("\xFF\xD9");
  dir.write("frame.jpg",
            whole.substr(0, end) + whole.substr(whole.find("\xFF\xC0"), 19) + whole.substr(end));

  const struct {
    std::string file;
    std::string reason;
  } failures[] = {
      {dir.file("none.jpg").string(), std::strerror(ENOENT)},
      {dir.file("unknown.xyz").string(), "does not end in an image kind"},
      {dir.file("cmyk.jpg").string(), "CMYK JPEG"},
      {dir.file("gray16.tif").string(), "16-bit"},
      {dir.file("jpeg.tif").string(), "JPEG inside TIFF"},
      {dir.file("deep.psd").string(), "16-bit"},
      {dir.file("huge.jpg").string(),
       "huge.jpg is 346 megapixels; pictures up to 32 megapixels can be read."},
      {dir.file("cut.jpg").string(), "the file ends before its image data"},
      {dir.file("frame.jpg").string(), "its decoder stopped at an error in the file"},
  };
  for (const auto& c : failures) {
    SCOPED_TRACE(c.file);
    ScratchDir out;
    Ref<IQuillet> q = makeQuillet();
    ASSERT_EQ(open(q.get(), out.file("i.pdf")), 1);
    q->NewPage();
    q->SetRect(1, 1, 5, 5);
    EXPECT_EQ(q->ImageOut(0, 0, c.file.c_str()), E_FAIL);
    const std::string description = test::lastErrorDescription();
    EXPECT_EQ(description.rfind("ImageOut: The image file " + c.file + " cannot be placed: ", 0),
              0u)
        << description;
    EXPECT_NE(description.find(c.reason), std::string::npos) << description;
    q->Stroke();
    ASSERT_EQ(q->Close(), S_OK);
    const PdfBytes pdf(readBytes(out.file("i.pdf")));
    // One content stream: no image object split it.
    EXPECT_EQ(pdf.pageContents(), "1 1 5 5 re\n0 0 0 RG\n1 w\nS\n");
    EXPECT_EQ(countOf(pdf.bytes(), "/Subtype /Image"), 0);
  }

  const std::vector<unsigned char> pixels = test::gradientPixels(100, 50);
  const struct {
    const char* name;
    std::function<HRESULT(IQuillet*)> draw;
    HRESULT result;
  } blocks[] = {
      {"100 x 50 block", [&](IQuillet* q) { return q->ImageOutMem(5, 5, pixels.data(), 100, 50); },
       S_OK},
      {"null block", [&](IQuillet* q) { return q->ImageOutMem(5, 5, nullptr, 100, 50); },
       E_POINTER},
      {"width -1", [&](IQuillet* q) { return q->ImageOutMem(5, 5, pixels.data(), -1, 50); },
       E_INVALIDARG},
  };
  for (const auto& c : blocks) {
    ScratchDir out;
    Ref<IQuillet> q = makeQuillet();
    ASSERT_EQ(open(q.get(), out.file("i.pdf")), 1);
    q->NewPage();
    EXPECT_EQ(c.draw(q.get()), c.result) << c.name;
    ASSERT_EQ(q->Close(), S_OK);
    const bool placed = c.result == S_OK;
    const PdfBytes pdf(readBytes(out.file("i.pdf")));
    EXPECT_EQ(countOf(pdf.pageContents(), " Do\n"), placed ? 1 : 0) << c.name;
    EXPECT_EQ(countOf(pdf.bytes(), "/Subtype /Image"), placed ? 1 : 0) << c.name;
  }
}

// ImageOut's image stream is what libjpeg makes of the file decoding and
// compressing it in one thread, though here the two run side by side.
TEST(QuilletInterfaceTest, placedJpegIsRecompressedAsInOneThread)
{
  ScratchDir dir;
  test::writeJpegFile(dir.file("rgb.jpg"), 333, 250, 3, 2, test::gradientPixels(333, 250), 97);
  test::writeJpegFile(dir.file("gray.jpg"), 90, 70, 1, 1, test::Bytes(90 * 70, 140), 80);
  for (const char* name : {"rgb.jpg", "gray.jpg"})
    for (const int quality : {100, 60}) {
      SCOPED_TRACE(std::string(name) + " at " + std::to_string(quality));
      ScratchDir out;
      Ref<IQuillet> q = makeQuillet();
      ASSERT_EQ(open(q.get(), out.file("i.pdf")), 1);
      q->NewPage();
      q->put_ImageQuality(quality);
      ASSERT_EQ(q->ImageOut(10, 10, dir.file(name).c_str()), S_OK);
      ASSERT_EQ(q->Close(), S_OK);
      const PdfBytes pdf(readBytes(out.file("i.pdf")));
      int images = 0;
      for (const auto& [n, offset] : pdf.offsets())
        if (pdf.object(n).find("/Subtype /Image") != std::string::npos) {
          ++images;
          const test::Bytes reference = test::recompressJpeg(dir.file(name), quality);
          EXPECT_EQ(pdf.rawStreamData(n), std::string(reference.begin(), reference.end()));
        }
      EXPECT_EQ(images, 1);
    }
}

// A coordinate or size the file cannot carry fails the call, which writes
// nothing; the property keeps its earlier value.
TEST(QuilletInterfaceTest, numbersBeyondTheFileRangeAreRefused)
{
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<unsigned char> pixels = test::gradientPixels(100, 50);
  const struct {
    const char* member;
    std::function<HRESULT(IQuillet*)> call;
  } cases[] = {
      {"SetRect", [](IQuillet* q) { return q->SetRect(1e30f, 0, 10, 10); }},
      {"SetRect", [&](IQuillet* q) { return q->SetRect(0, 0, inf, 10); }},
      {"MoveTo", [&](IQuillet* q) { return q->MoveTo(nan, 0); }},
      {"LineTo", [](IQuillet* q) { return q->LineTo(0, -3e9f); }},
      {"CurveTo", [](IQuillet* q) { return q->CurveTo(0, 0, 0, 0, 0, 2.2e9f); }},
      {"TextOutXY", [](IQuillet* q) { return q->TextOutXY(1e20f, 0, "x"); }},
      {"LineWidth", [&](IQuillet* q) { return q->put_LineWidth(inf); }},
      {"FontSize", [](IQuillet* q) { return q->put_FontSize(1e12f); }},
      {"ImageOutMem",
       [&](IQuillet* q) {
         q->put_ImageScaleX(3e7f);
         return q->ImageOutMem(0, 0, pixels.data(), 100, 50);
       }},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    Ref<IQuillet> q = makeQuillet();
    ASSERT_EQ(open(q.get(), dir.file("n.pdf")), 1);
    q->NewPage();
    std::int32_t font = -1;
    q->get_InitFont("Arial", &font);
    q->put_FontID(font);
    // The properties a refused call could have set keep their values.
    const auto kept = [&] {
      float size = 0;
      float width = 0;
      q->get_FontSize(&size);
      q->get_LineWidth(&width);
      return std::to_string(size) + " " + std::to_string(width);
    };
    const std::string before = kept();
    EXPECT_EQ(c.call(q.get()), E_INVALIDARG) << c.member;
    const std::string description = test::lastErrorDescription();
    EXPECT_EQ(description.rfind(std::string(c.member) + ": the value ", 0), 0u) << description;
    EXPECT_NE(description.find("PDF 1.3"), std::string::npos) << description;
    EXPECT_EQ(kept(), before) << c.member;
    ASSERT_EQ(q->Close(), S_OK);
    const PdfBytes pdf(readBytes(dir.file("n.pdf")));
    for (const char* drawn : {" re\n", " m\n", " l\n", " c\n", "Tj", " w\n", " Do\n"})
      EXPECT_EQ(pdf.pageContents().find(drawn), std::string::npos) << c.member << ": " << drawn;
    EXPECT_EQ(countOf(pdf.bytes(), "/Subtype /Image"), 0) << c.member;
  }
}

TEST(QuilletInterfaceTest, factoryAndClassObjectsFollowTheRules)
{
  IClassFactory* classObject = nullptr;
  EXPECT_EQ(
      DllGetClassObject(&IID_IQuillet, &IID_IClassFactory, reinterpret_cast<void**>(&classObject)),
      CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(classObject, nullptr);
  EXPECT_EQ(DllGetClassObject(&CLSID_Quillet, &IID_IClassFactory, nullptr), E_POINTER);

  ASSERT_EQ(DllGetClassObject(&CLSID_QuilletFactory, &IID_IClassFactory,
                              reinterpret_cast<void**>(&classObject)),
            S_OK);
  // Any object will do as the would-be outer one.
  void* refused = classObject;
  EXPECT_EQ(classObject->CreateInstance(classObject, &IID_IUnknown, &refused),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(refused, nullptr);

  Ref<IQuilletFactory> factory;
  ASSERT_EQ(classObject->CreateInstance(nullptr, &IID_IQuilletFactory,
                                        reinterpret_cast<void**>(factory.out())),
            S_OK);
  EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->CreateQuillet(nullptr), E_POINTER);
  EXPECT_EQ(static_cast<std::uint32_t>(E_POINTER), 0x80004003u);
  GUID source{}, iid{};
  char* description = nullptr;
  EXPECT_EQ(QuilletGetErrorDescription(&description, &source, &iid), S_OK);
  EXPECT_EQ(take(description), "ppSlot is an invalid pointer");
  EXPECT_TRUE(source == CLSID_QuilletFactory);
  EXPECT_TRUE(iid == IID_IQuilletFactory);

  Ref<IQuillet> q;
  ASSERT_EQ(factory->CreateQuillet(q.out()), S_OK);
  expectDefaults(q.get(), "CreateQuillet");
  const GUID answered[] = {IID_IQuillet, IID_IDispatch, IID_IResetDefaults, IID_ISupportErrorInfo,
                           IID_IUnknown};
  for (const GUID& id : answered) {
    void* p = nullptr;
    EXPECT_EQ(q->QueryInterface(&id, &p), S_OK) << std::hex << id.Data1;
    static_cast<IUnknown*>(p)->Release();
  }
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(q->QueryInterface(&IID_IClassFactory, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(q->GetTypeInfoCount(nullptr), E_NOTIMPL);

  factory.reset();
  q.reset();
  EXPECT_EQ(DllCanUnloadNow(), S_OK);
  EXPECT_EQ(classObject->LockServer(1), S_OK);
  EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
  EXPECT_EQ(classObject->LockServer(0), S_OK);
  EXPECT_EQ(DllCanUnloadNow(), S_OK);
  classObject->Release();
}

TEST(QuilletInterfaceTest, failuresAreReportedNotSwallowed)
{
  ScratchDir dir;
  Ref<IQuillet> q = makeQuillet();
  EXPECT_EQ(q->Encrypt(0, "o", "u"), E_UNEXPECTED);

  ASSERT_EQ(open(q.get(), dir.file("e.pdf")), 1);
  q->NewPage();
  EXPECT_EQ(q->Encrypt(0, "owner", "user"), E_UNEXPECTED);
  EXPECT_NE(test::lastErrorDescription().find("Encrypt"), std::string::npos);
  ASSERT_EQ(q->Close(), S_OK);
  EXPECT_EQ(readBytes(dir.file("e.pdf")).find("/Encrypt"), std::string::npos);

  ASSERT_EQ(open(q.get(), dir.file("twice.pdf")), 1);
  EXPECT_EQ(q->Encrypt(0, "owner", "user"), S_OK);
  EXPECT_EQ(q->Encrypt(0, "owner", "user"), E_UNEXPECTED);
  q->NewPage();
  ASSERT_EQ(q->Close(), S_OK);

  // The folder goes away under the open document: its file cannot be made.
  const std::filesystem::path gone = dir.file("gone");
  std::filesystem::create_directory(gone);
  ASSERT_EQ(open(q.get(), gone / "f.pdf"), 1);
  q->NewPage();
  std::filesystem::remove_all(gone);
  EXPECT_EQ(q->Close(), E_FAIL);
  EXPECT_EQ(
      test::lastErrorDescription().rfind("Could not write " + (gone / "f.pdf").string() + ": ", 0),
      0u)
      << test::lastErrorDescription();
  EXPECT_FALSE(std::filesystem::exists(gone / "f.pdf"));

  // Close with no page fails and writes nothing.
  ASSERT_EQ(open(q.get(), dir.file("blank.pdf")), 1);
  EXPECT_EQ(q->Close(), E_FAIL);
  EXPECT_EQ(test::lastErrorDescription(), "The document has no page.");
  EXPECT_FALSE(std::filesystem::exists(dir.file("blank.pdf")));

  float width = 0;
  EXPECT_EQ(q->get_Title(nullptr), E_POINTER);
  EXPECT_EQ(q->get_PaperWidth(nullptr), E_POINTER);
  EXPECT_EQ(q->get_StringWidth("x", nullptr), E_POINTER);
  EXPECT_EQ(q->get_StringWidth("x", &width), S_OK);
  EXPECT_EQ(width, 0);
}

// The document file is saved as every other file: a link stays a link to
// the new file, a replaced file keeps its permissions, a file the user may
// not write is refused, and failures name the system's reason.
TEST(QuilletInterfaceTest, documentFileFollowsTheSaveRules)
{
  ScratchDir dir;
  Ref<IQuillet> q = makeQuillet();
  auto writePage = [&](const std::filesystem::path& path) {
    if (open(q.get(), path) != 1)
      return E_UNEXPECTED;
    q->NewPage();
    return q->Close();
  };

  const auto real = dir.write("real.pdf", "old");
  ::chmod(real.c_str(), 0640);
  std::filesystem::create_symlink("real.pdf", dir.file("link.pdf"));
  ASSERT_EQ(writePage(dir.file("link.pdf")), S_OK);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.pdf")));
  EXPECT_EQ(readBytes(real).rfind("%PDF-1.3", 0), 0u);
  struct stat info {};
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);

  std::filesystem::create_symlink("loop.pdf", dir.file("loop.pdf"));
  std::int32_t opened = 0;
  EXPECT_EQ(q->get_Open(dir.file("loop.pdf").c_str(), &opened), S_OK);
  EXPECT_EQ(opened, -1);
  EXPECT_EQ(test::lastErrorDescription(), "Could not open " + dir.file("loop.pdf").string() +
                                              ": " + std::strerror(ELOOP));

  if (::geteuid() != 0) {
    const auto kept = dir.write("kept.pdf", "kept");
    ::chmod(kept.c_str(), 0444);
    EXPECT_EQ(q->get_Open(kept.c_str(), &opened), S_OK);
    EXPECT_EQ(opened, -1);
    EXPECT_EQ(test::lastErrorDescription(),
              "Could not open " + kept.string() + ": " + std::strerror(EACCES));
    EXPECT_EQ(readBytes(kept), "kept");
  }

  // A write the system refuses (here beyond the file size limit, in a child
  // so the limit ends with it) fails Close with the system's reason.
  const auto big = dir.file("big.pdf");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    Ref<IQuillet> inChild = makeQuillet();
    const std::vector<unsigned char> pixels = test::gradientPixels(300, 300);
    std::int32_t result = 0;
    inChild->get_Open(big.c_str(), &result);
    inChild->NewPage();
    inChild->ImageOutMem(0, 0, pixels.data(), 300, 300);
    const bool failed = inChild->Close() == E_FAIL &&
                        test::lastErrorDescription() ==
                            "Could not write " + big.string() + ": " + std::strerror(EFBIG);
    ::_exit(failed ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_FALSE(std::filesystem::exists(big));
}

// The last Release with a document open writes nothing, and leaves a file
// already at the path as it was.
TEST(QuilletInterfaceTest, releaseWithOpenDocumentDiscardsIt)
{
  ScratchDir dir;
  const auto path = dir.write("keep.pdf", "old");
  {
    Ref<IQuillet> q = makeQuillet();
    ASSERT_EQ(open(q.get(), path), 1);
    q->NewPage();
  }
  EXPECT_EQ(readBytes(path), "old");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++files;
  EXPECT_EQ(files, 1u);
}

// Separate objects on separate threads share no scratch state.
TEST(QuilletInterfaceTest, objectsOnSeparateThreadsDoNotInterfere)
{
  ScratchDir dir;
  const std::vector<unsigned char> pixels = test::gradientPixels(64, 64);
  auto write = [&](const std::string& name) {
    Ref<IQuillet> q = makeQuillet();
    std::int32_t result = 0;
    q->get_Open(dir.file(name).c_str(), &result);
    for (int page = 0; page < 20; ++page) {
      q->NewPage();
      q->ImageOutMem(10, 10, pixels.data(), 64, 64);
      q->SetRect(1, 1, 10, 10);
      q->Stroke();
    }
    q->Close();
  };
  std::thread a(write, "a.pdf"), b(write, "b.pdf");
  a.join();
  b.join();
  write("c.pdf");
  const std::string reference = PdfBytes(readBytes(dir.file("c.pdf"))).pageContents();
  for (const char* name : {"a.pdf", "b.pdf"})
    EXPECT_EQ(PdfBytes(readBytes(dir.file(name))).pageContents(), reference) << name;
}

} // namespace
} // namespace quillet
