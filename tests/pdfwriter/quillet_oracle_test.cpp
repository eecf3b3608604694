#include "pdfwriter/created_quillet.h"
#include "pdfwriter/fixture_font_locator.h"
#include "pdfwriter/image_format_fixtures.h"
#include "pdfwriter/image_fixtures.h"
#include "pdfwriter/oracle_tools.h"
#include "pdfwriter/pdf_test_support.h"
#include "pdfwriter/quillet_test_support.h"
#include "support/require_tool.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <jpeglib.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <cmath>
#include <sstream>

namespace quillet {
namespace {

namespace fs = std::filesystem;
using tarvek::test::readBytes;
using tarvek::test::requireTool;
using tarvek::test::runTool;
using tarvek::test::ScratchDir;
using test::collapseBlanks;
using test::createQuillet;
using test::openQuillet;
using test::outDir;
using test::PdfBytes;
using test::Ref;

// A number as pdftotext writes it, whatever the locale.
double numberAt(const std::string& text, std::size_t at)
{
  double value = NAN;
  if (at < text.size())
    std::from_chars(text.data() + at, text.data() + text.size(), value);
  return value;
}

const char* const kFooter = "tarvek (www.example.org)";

// One report page: what the modeler's PDF report passes for a structure.
struct Report {
  std::string file;
  int imageWidth, imageHeight;
  bool whiteBackground;
  std::string title, description;
  bool encrypt;
};

const Report kTube = {"report-tube.pdf",
                      555,
                      400,
                      false,
                      "Carbon Nanotube",
                      "Chirality Indices (6,0), Tube-Length 12.3 \xC3\x85 (zig-zag structure)",
                      false};
const Report kCone = {
    "report-cone.pdf",
    400,
    600,
    true,
    "Carbon Nanocone",
    "Disclination Angle 60\xC2\xB0, Apex Angle 112.9\xC2\xB0, Cone-Height 10 \xC3\x85",
    false};
const Report kSecret = {"report-tube-encrypted.pdf", 555, 400, false, kTube.title,
                        kTube.description,           true};

fs::path viewImage(const ScratchDir& dir, int width, int height)
{
  test::Bytes pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixels.insert(pixels.end(),
                    {std::uint8_t(x * 255 / width), std::uint8_t(y * 255 / height), 160});
  const fs::path path = dir.file("tmp.jpg");
  test::writeJpegFile(path, width, height, 3, JCS_RGB, pixels, 100);
  return path;
}

// The calls of the modeler's report, in its order, through a created object.
fs::path writeReport(const Report& r)
{
  ScratchDir dir;
  const fs::path jpeg = viewImage(dir, r.imageWidth, r.imageHeight);
  const fs::path pdf = outDir() / r.file;
  std::string message;
  Ref<IQuillet> q = createQuillet(message);
  EXPECT_EQ(message, "");
  if (!q)
    return pdf;
  std::int32_t opened = 0;
  EXPECT_EQ(q->get_Open(pdf.c_str(), &opened), S_OK);
  EXPECT_EQ(opened, 1);
  if (r.encrypt) {
    EXPECT_EQ(q->Encrypt(0, "owner", "user"), S_OK);
  }
  q->put_Title(r.title.c_str());
  q->NewPage();
  std::int32_t font = -1;
  q->get_InitFont("Arial", &font);
  EXPECT_EQ(font, 0);
  q->put_TextColor(0);
  q->put_FontSize(25);
  q->put_FontItalicAngle(-15);
  float pw = 0, ph = 0, sw = 0;
  q->get_PaperWidth(&pw);
  q->get_StringWidth(r.title.c_str(), &sw);
  q->get_PaperHeight(&ph);
  q->TextOutXY((pw - sw) / 2, ph - 50, r.title.c_str());

  const double w = r.imageWidth, h = r.imageHeight;
  const double s = std::min((pw - 40) / w, ph * 0.6 / h);
  q->put_ImageQuality(100);
  q->put_ImageScaleX(float(s));
  q->put_ImageScaleY(float(s));
  const double x = (pw - w * s) / 2, y = ph - (h * s + 70);
  q->ImageOut(float(x), float(y), jpeg.c_str());
  if (!r.whiteBackground) {
    q->put_StrokeColor(0);
    q->SetRect(float(x), float(y), float(w * s), float(h * s));
    q->Stroke();
  }
  q->put_FontSize(10);
  if (r.whiteBackground) {
    float dw = 0;
    q->get_StringWidth(r.description.c_str(), &dw);
    q->TextOutXY(float((pw - dw) / 2), float(y - 20), r.description.c_str());
  } else {
    q->TextOutXY(float(x), float(y - 20), r.description.c_str());
  }
  q->put_FontID(font);
  q->put_TextColor(0);
  q->put_FontSize(7);
  q->TextOutXY(float(x), 15, kFooter);
  EXPECT_EQ(q->EndPage(), S_OK);
  EXPECT_EQ(q->Close(), S_OK);
  return pdf;
}

bool haveOracles()
{
  return requireTool("qpdf", "qpdf") && requireTool("pdfinfo", "poppler-utils") &&
         test::requireFontFile(test::kLiberationSans, "fonts-liberation2");
}

std::string output(const std::string& program, const std::vector<std::string>& args)
{
  const auto result = runTool(program, args);
  EXPECT_EQ(result.exitCode, 0) << program << ": " << result.err;
  return collapseBlanks(result.out);
}

void expectLines(const std::string& text, const std::vector<std::string>& lines,
                 const std::string& context)
{
  for (const std::string& line : lines)
    EXPECT_NE(("\n" + text).find("\n" + line + "\n"), std::string::npos)
        << context << ": no line \"" << line << "\" in\n"
        << text;
}

// The calling thread's last failure as the loaded library describes it, as
// a client reads it.
std::string libraryErrorDescription()
{
  void* library = ::dlopen(QUILLET_LIBRARY_DIR "/libquillet.so", RTLD_NOW | RTLD_NOLOAD);
  if (!library)
    return "(library not loaded)";
  auto describe = reinterpret_cast<QuilletGetErrorDescriptionFn>(
      ::dlsym(library, "QuilletGetErrorDescription"));
  auto release = reinterpret_cast<QuilletFreeStringFn>(::dlsym(library, "QuilletFreeString"));
  std::string text;
  char* description = nullptr;
  if (describe && release && describe(&description, nullptr, nullptr) == S_OK && description)
    text = description;
  if (release)
    release(description);
  ::dlclose(library);
  return text;
}

TEST(QuilletReportTest, tubePageReadsRightInEveryTool)
{
  if (!haveOracles() || !requireTool("pdffonts", "poppler-utils"))
    return;
  const fs::path pdf = writeReport(kTube);
  EXPECT_EQ(runTool("qpdf", {"--check", pdf.string()}).exitCode, 0);
  expectLines(output("pdfinfo", {pdf.string()}),
              {"Title: Carbon Nanotube", "Producer: Morvane Quillet", "Pages: 1",
               "Page size: 595 x 842 pts (A4)", "PDF version: 1.3", "Encrypted: no"},
              "pdfinfo");

  const std::string fonts = output("pdffonts", {pdf.string()});
  std::vector<std::string> rows;
  std::istringstream lines(fonts);
  for (std::string line; std::getline(lines, line);)
    rows.push_back(line);
  ASSERT_EQ(rows.size(), 4u) << fonts;
  EXPECT_EQ(rows[2], "Arial TrueType WinAnsi no no no 7 0");
  EXPECT_EQ(rows[3], "Arial,Italic TrueType WinAnsi no no no 8 0");

  const std::string images = output("pdfimages", {"-list", pdf.string()});
  // One image, object 9, at 72 ppi.
  EXPECT_EQ(images.find("image"), images.rfind("image")) << images;
  EXPECT_NE(images.find("\n1 0 image 555 400 rgb 3 8 jpeg no 9 0 72 72 "), std::string::npos)
      << images;

  const std::string text = output("pdftotext", {pdf.string(), "-"});
  for (const std::string& expected : {kTube.title, kTube.description, std::string(kFooter)})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in\n" << text;

  // The title is centred on the page.
  const std::string boxes = runTool("pdftotext", {"-bbox", pdf.string(), "-"}).out;
  auto xOf = [&](const std::string& word, const char* attribute) {
    const std::size_t at = boxes.find(">" + word + "</word>");
    const std::size_t tag = boxes.rfind("<word", at);
    return numberAt(boxes, boxes.find(attribute, tag) + std::strlen(attribute) + 2);
  };
  const double left = xOf("Carbon", "xMin"), right = xOf("Nanotube", "xMax");
  EXPECT_NEAR(left, 198.8625, 0.001) << boxes;
  EXPECT_NEAR(right, 396.1375, 0.001) << boxes;
  EXPECT_NEAR((left + right) / 2, 297.5, 0.01);
}

// The interface reaches none of the writer's optional document parts, so the
// report's file carries none of their keys.
TEST(QuilletReportTest, reportHasNoOptionalDocumentParts)
{
  if (!test::requireFontFile(test::kLiberationSans, "fonts-liberation2"))
    return;
  for (const Report& report : {kTube, kSecret}) {
    const std::string text = test::withoutStreamData(readBytes(writeReport(report)));
    ASSERT_NE(text.find("/Type /Catalog"), std::string::npos) << report.file;
    for (const char* key : test::kOptionalPartKeys)
      EXPECT_EQ(text.find(key), std::string::npos) << key << " in " << report.file;
  }
}

// The file's objects, in the order the writer makes them.
TEST(QuilletReportTest, tubePageHasItsObjectMapAndContent)
{
  if (!haveOracles())
    return;
  const PdfBytes pdf(readBytes(writeReport(kTube)));
  EXPECT_EQ(pdf.size(), 16);
  const struct {
    int object;
    std::string holds;
  } map[] = {
      {1, "/Count 1"},
      {1, "/Kids [4 0 R ]"},
      {2, "/Type /Catalog"},
      {3, "/Producer"},
      {4, "/Type /Page\n"},
      {7, "/BaseFont /Arial\n"},
      {8, "/BaseFont /Arial,Italic"},
      {9, "/Subtype /Image"},
      {13, "/ProcSet [/PDF/ImageC/Text]"},
      {13, "/F0 7 0 R"},
      {13, "/F1 8 0 R"},
      {13, "/I0 9 0 R"},
      {14, "/Flags 32"},
      {15, "/Flags 96"},
      {15, "/ItalicAngle -15"},
  };
  for (const auto& entry : map)
    EXPECT_NE(pdf.object(entry.object).find(entry.holds), std::string::npos)
        << "object " << entry.object << " lacks " << entry.holds << ":\n"
        << pdf.object(entry.object);
  EXPECT_EQ(pdf.contentsOf(4), (std::vector<int>{5, 11}));
  EXPECT_EQ(pdf.streamData(5),
            "BT\n0 0 0 rg\n/F1 25 Tf\n1 0 0 1 198.8625 792 Tm 25 TL\n(Carbon Nanotube)Tj\nET\n");
  EXPECT_EQ(pdf.streamData(11),
            "q\n555 0 0 400 20 372 cm\n/I0 Do\nQ\n20 372 555 400 re\n0 0 0 RG\n1 w\nS\nBT\n"
            "/F1 10 Tf\n1 0 0 1 20 352 Tm 10 TL\n(Chirality Indices \\(6,0\\), Tube-Length 12.3 "
            "\xC5 \\(zig-zag structure\\))Tj\n/F1 7 Tf\n1 0 0 1 20 15 Tm 7 TL\n(tarvek \\(www.example.org\\))Tj\nET\n");
}

TEST(QuilletReportTest, conePageIsScaledCentredAndUnframed)
{
  if (!haveOracles() || !requireTool("pdftotext", "poppler-utils") ||
      !requireTool("pdfimages", "poppler-utils"))
    return;
  const fs::path path = writeReport(kCone);
  EXPECT_EQ(runTool("qpdf", {"--check", path.string()}).exitCode, 0);
  const PdfBytes pdf(readBytes(path));
  const std::vector<int> streams = pdf.contentsOf(pdf.pageObjects().at(0));
  ASSERT_EQ(streams.size(), 2u);
  const std::string second = pdf.streamData(streams[1]);
  EXPECT_EQ(second.rfind("q\n336.8 0 0 505.2 129.1 266.8 cm\n/I0 Do\nQ\n", 0), 0u) << second;
  EXPECT_EQ(second.find(" re\n"), std::string::npos) << second;

  const std::string images = output("pdfimages", {"-list", path.string()});
  EXPECT_NE(images.find("image 400 600 rgb 3 8 jpeg"), std::string::npos) << images;
  const std::string text = output("pdftotext", {path.string(), "-"});
  EXPECT_NE(text.find(kCone.description), std::string::npos) << text;
  const std::string boxes = runTool("pdftotext", {"-bbox", path.string(), "-"}).out;
  const std::size_t word = boxes.rfind("<word", boxes.find(">Disclination</word>"));
  ASSERT_NE(word, std::string::npos) << boxes;
  const std::size_t xMin = boxes.find("xMin=\"", word) + 6;
  EXPECT_NEAR(numberAt(boxes, xMin), 162.14, 0.01) << boxes;
}

TEST(QuilletReportTest, encryptedPageOpensWithTheUserPassword)
{
  if (!haveOracles() || !requireTool("pdftotext", "poppler-utils"))
    return;
  const fs::path pdf = writeReport(kSecret);
  EXPECT_EQ(runTool("qpdf", {"--check", "--password=user", pdf.string()}).exitCode, 0);
  const std::string info = output("pdfinfo", {"-upw", "user", pdf.string()});
  expectLines(info, {"Title: Carbon Nanotube", "Pages: 1"}, "pdfinfo");
  EXPECT_NE(info.find("Encrypted: yes"), std::string::npos) << info;
  EXPECT_NE(info.find("algorithm:RC4"), std::string::npos) << info;
  const std::string text = output("pdftotext", {"-upw", "user", pdf.string(), "-"});
  for (const std::string& expected : {kTube.title, kTube.description, std::string(kFooter)})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in\n" << text;
}

// A refused Encrypt leaves the file readable by anyone.
TEST(QuilletReportTest, lateEncryptLeavesThePagePlain)
{
  if (!haveOracles())
    return;
  const fs::path pdf = outDir() / "report-late-encrypt.pdf";
  std::string message;
  Ref<IQuillet> q = openQuillet(pdf, message);
  ASSERT_TRUE(q) << message;
  q->NewPage();
  EXPECT_EQ(q->Encrypt(0, "owner", "user"), E_UNEXPECTED);
  EXPECT_NE(libraryErrorDescription().find("Encrypt"), std::string::npos);
  ASSERT_EQ(q->Close(), S_OK);
  expectLines(output("pdfinfo", {pdf.string()}), {"Encrypted: no"}, "pdfinfo");
}

// A password within PDFDocEncoding opens as typed in qpdf and poppler; a
// password with characters beyond it is refused.
TEST(QuilletReportTest, passwordsOpenAsTyped)
{
  if (!haveOracles())
    return;
  const std::string latin = "\xC3\x85\xC3\xBC\xE2\x82\xAC"; // Åü€
  const fs::path pdf = outDir() / "report-latin-password.pdf";
  {
    std::string message;
    Ref<IQuillet> q = openQuillet(pdf, message);
    ASSERT_TRUE(q) << message;
    EXPECT_EQ(q->Encrypt(-1, "\xE5\xAF\x86\xE7\xA0\x81", latin.c_str()), E_INVALIDARG); // 密码
    EXPECT_NE(libraryErrorDescription().find("owner password holds a character"),
              std::string::npos)
        << libraryErrorDescription();
    EXPECT_EQ(q->Encrypt(-1, "owner", "\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C"),
              E_INVALIDARG); // пароль
    EXPECT_NE(libraryErrorDescription().find("user password holds a character"),
              std::string::npos)
        << libraryErrorDescription();
    EXPECT_EQ(q->Encrypt(-1, "owner", latin.c_str()), S_OK);
    q->NewPage();
    ASSERT_EQ(q->Close(), S_OK);
  }
  const auto checked = runTool("qpdf", {"--check", "--password=" + latin, pdf.string()});
  EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;
  EXPECT_NE(checked.out.find("Supplied password is user password"), std::string::npos)
      << checked.out;
  const auto info = runTool("pdfinfo", {"-upw", latin, pdf.string()});
  EXPECT_EQ(info.exitCode, 0) << info.out << info.err;
  EXPECT_NE(collapseBlanks(info.out).find("Encrypted: yes"), std::string::npos) << info.out;
  EXPECT_NE(runTool("pdfinfo", {"-upw", "wrong", pdf.string()}).exitCode, 0);
}

// Info texts with characters beyond Latin-1 read back exactly.
TEST(QuilletReportTest, titlesReadBackExactly)
{
  if (!haveOracles())
    return;
  const std::string titles[] = {"Price \xE2\x82\xAC 5, \xC3\x85ngstr\xC3\xB6m",
                                "\xE4\xB8\xAD \xE2\x80\xA2 \xE2\x82\xAC"};
  for (std::size_t i = 0; i < std::size(titles); ++i) {
    const fs::path pdf = outDir() / ("report-title-" + std::to_string(i) + ".pdf");
    std::string message;
    Ref<IQuillet> q = openQuillet(pdf, message);
    ASSERT_TRUE(q) << message;
    q->put_Title(titles[i].c_str());
    q->NewPage();
    ASSERT_EQ(q->Close(), S_OK);
    expectLines(output("pdfinfo", {"-enc", "UTF-8", pdf.string()}), {"Title: " + titles[i]},
                titles[i]);
  }
}

// ImageOut places a picture of every format the library reads itself.
TEST(QuilletReportTest, imageOutPlacesEveryOwnFormat)
{
  if (!haveOracles() || !requireTool("pdfimages", "poppler-utils"))
    return;
  ScratchDir dir;
  const test::IndexedPicture indexed = test::sampleIndexed(24, 10, 30);
  const test::Bytes samples = test::samplePicture(20, 12).rgb;
  const std::pair<const char*, test::Bytes> files[] = {
      {"picture.bmp", test::bmpFile(test::samplePicture(11, 7), false)},
      {"picture.tga", test::tgaFile(test::samplePicture(12, 8), 24, true, 0)},
      {"picture.cel", test::simpleCelFile(test::sampleIndexed(13, 9, 20))},
      {"picture.rgb", test::sgiFile(20, 12, 3, samples, true)},
      {"picture.psd", test::psdFile(20, 12, 3, 3, samples, true, {})},
      {"picture.iff", test::ilbmFile(indexed, false)},
  };
  const fs::path pdf = outDir() / "image-formats.pdf";
  std::string message;
  Ref<IQuillet> q = openQuillet(pdf, message);
  ASSERT_TRUE(q) << message;
  q->NewPage();
  float y = 50;
  for (const auto& [name, bytes] : files) {
    const fs::path path = dir.write(name, std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(q->ImageOut(50, y, path.c_str()), S_OK) << name;
    y += 100;
  }
  ASSERT_EQ(q->Close(), S_OK);
  EXPECT_EQ(runTool("qpdf", {"--check", pdf.string()}).exitCode, 0);
  const std::string images = output("pdfimages", {"-list", pdf.string()});
  for (const char* size : {"11 7", "12 8", "13 9", "20 12", "24 10"})
    EXPECT_NE(images.find(std::string(" image ") + size + " rgb 3 8 jpeg "), std::string::npos)
        << size << "\n" << images;
  std::size_t count = 0;
  for (std::size_t at = images.find(" image "); at != std::string::npos;
       at = images.find(" image ", at + 1))
    ++count;
  EXPECT_EQ(count, std::size(files)) << images;
}

// What the header promises of non-ASCII passwords, which stay UTF-8 bytes:
// qpdf and poppler open them typed as text; pypdf does too when a character
// lies outside Latin-1, but a Latin-1-only password only as its UTF-8 bytes.
TEST(QuilletReportTest, nonAsciiPasswordsOpenInTheReadersTheHeaderNames)
{
  if (!haveOracles() || !tarvek::test::requirePythonModule("pypdf", "python3-pypdf"))
    return;
  const struct {
    const char* file;
    std::string password;
    bool pypdfAsText;
  } cases[] = {
      {"password-latin-euro.pdf", "\xC3\x85\xC3\xBC\xE2\x82\xAC", true}, // Åü€
      {"password-latin-only.pdf", "\xC3\x85\xC3\xBC", false},            // Åü
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const fs::path pdf = outDir() / c.file;
    {
      std::string message;
      Ref<IQuillet> q = openQuillet(pdf, message);
      ASSERT_TRUE(q) << message;
      ASSERT_EQ(q->Encrypt(-1, "owner", c.password.c_str()), S_OK);
      q->NewPage();
      ASSERT_EQ(q->Close(), S_OK);
    }
    EXPECT_EQ(runTool("qpdf", {"--check", "--password=" + c.password, pdf.string()}).exitCode, 0);
    EXPECT_EQ(runTool("pdfinfo", {"-upw", c.password, pdf.string()}).exitCode, 0);
    const std::string script =
        "import sys, pypdf\n"
        "text = pypdf.PdfReader(sys.argv[1]).decrypt(sys.argv[2])\n"
        "raw = pypdf.PdfReader(sys.argv[1]).decrypt(sys.argv[2].encode('utf-8'))\n"
        "print(int(text), int(raw))\n";
    const auto opened = runTool("/usr/bin/python3", {"-c", script, pdf.string(), c.password});
    ASSERT_EQ(opened.exitCode, 0) << opened.err;
    EXPECT_EQ(opened.out, c.pypdfAsText ? "1 1\n" : "0 1\n");
  }
}

// Numbers that are each in range but whose product is not are refused
// before they are written: qpdf's plain form of the file holds no number
// beyond the range of PDF 1.3.
TEST(QuilletReportTest, noNumberBeyondTheFileRangeIsWritten)
{
  if (!haveOracles())
    return;
  const fs::path pdf = outDir() / "numbers-in-range.pdf";
  {
    std::string message;
    Ref<IQuillet> q = openQuillet(pdf, message);
    ASSERT_TRUE(q) << message;
    std::int32_t font = -1;
    q->get_InitFont("Arial", &font);
    q->put_FontID(font);
    q->NewPage();
    q->put_TextUnderLine(VARIANT_TRUE);
    q->put_CharSpace(2e9f);
    EXPECT_EQ(q->TextOutXY(72, 600, "Underlined text"), E_INVALIDARG);
    EXPECT_EQ(q->TextOut("next line"), E_INVALIDARG);
    q->put_CharSpace(0);
    q->put_WordSpace(2e9f);
    EXPECT_EQ(q->TextOutXY(72, 500, "a b c"), E_INVALIDARG);
    q->put_WordSpace(0);
    q->put_TextRise(1e9f);
    EXPECT_EQ(q->TextOutXY(72, 2e9f, "Risen"), E_INVALIDARG);
    q->put_TextRise(0);
    q->put_FontSize(1.5e9f);
    q->put_TextRotation(30);
    EXPECT_EQ(q->TextOutXY(0, 0, "WWWW"), E_INVALIDARG);
    q->put_TextRotation(0);
    q->put_FontSize(12);
    std::vector<unsigned char> pixels(10 * 10 * 3, 99);
    q->put_ImageScaleX(3e8f);
    EXPECT_EQ(q->ImageOutMem(0, 0, pixels.data(), 10, 10), E_INVALIDARG);
    q->put_ImageScaleX(1);
    q->put_ImageRotation(45);
    EXPECT_EQ(q->ImageOutMem(10, 10, pixels.data(), 10, 10), S_OK);
    EXPECT_EQ(q->TextOutXY(72, 300, "Plain"), S_OK);
    ASSERT_EQ(q->Close(), S_OK);
  }
  const fs::path qdf = outDir() / "numbers-in-range-qdf.pdf";
  ASSERT_EQ(runTool("qpdf", {"--qdf", "--object-streams=disable", pdf.string(), qdf.string()})
                .exitCode,
            0);
  const std::string plain = readBytes(qdf);
  std::vector<std::string> beyond;
  // Every run of digits outside the image's data, with its sign and point.
  for (std::size_t at = 0; at < plain.size();) {
    const std::size_t stream = plain.find("stream\n", at);
    const std::size_t stop = stream == std::string::npos ? plain.size() : stream;
    const std::string text = plain.substr(at, stop - at);
    std::istringstream tokens(text);
    for (std::string token; tokens >> token;)
      if (token.find_first_not_of("+-.0123456789") == std::string::npos &&
          token.find_first_of("0123456789") != std::string::npos &&
          std::fabs(std::stod(token)) > 2147483647.0)
        beyond.push_back(token);
    if (stream == std::string::npos)
      break;
    const std::size_t end = plain.find("endstream", stream);
    const std::string head = plain.substr(at, stream - at);
    at = stream + 7;
    // Content streams are text and are scanned; the image's data is not.
    if (head.rfind("/DCTDecode") != std::string::npos &&
        head.rfind("/DCTDecode") > head.rfind("obj"))
      at = end == std::string::npos ? plain.size() : end;
  }
  EXPECT_EQ(beyond, std::vector<std::string>{});
  EXPECT_NE(plain.find("(Plain)Tj"), std::string::npos);
}

} // namespace
} // namespace quillet
