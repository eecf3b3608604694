// Annotations, page extras, outlines, catalog values and further Info
// entries as the file receives them.

#include "pdfwriter/pdf_annotations.h"
#include "pdfwriter/pdf_image.h"
#include "pdfwriter/pdf_outlines.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_security.h"
#include "pdfwriter/pdf_test_support.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <regex>

namespace quillet {
namespace {

using test::countOf;
using test::PdfBytes;
using test::writeDocument;

constexpr BoxRecord kRect{10, 20, 110, 40};

// A one-page document whose page runs `draw`.
PdfBytes onePage(const std::function<void(PdfDocument*)>& draw)
{
  return PdfBytes(writeDocument([&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    draw(doc);
    writePageObject(doc);
  }, 0));
}

// Every object whose text holds "/Type /Annot", in file order.
std::vector<std::string> annotations(const PdfBytes& pdf)
{
  std::vector<std::string> out;
  for (const auto& [n, offset] : pdf.offsets())
    if (pdf.object(n).find("/Type /Annot\n") != std::string::npos)
      out.push_back(pdf.object(n));
  return out;
}

std::string catalogOf(const PdfBytes& pdf)
{
  return pdf.object(2);
}

// Page boxes, /Dur and /Trans sit after /MediaBox and before /Contents;
// boxes last one page, the transition and duration every page.
TEST(PageExtrasTest, boxesDurationAndTransitionInTheirPlaces)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    EXPECT_TRUE(setPageBox(doc, kCropBox, {10, 10, 585, 832}));
    EXPECT_TRUE(setPageBox(doc, kTrimBox, {20, 20, 575, 822}));
    EXPECT_TRUE(setDisplayDuration(doc, 5));
    EXPECT_TRUE(setTransition(doc, 4));
    writePageObject(doc);
    beginPage(doc, 595, 842);
    writePageObject(doc);
  }, 0));
  const std::vector<int> pages = pdf.pageObjects();
  ASSERT_EQ(pages.size(), 2u);
  const std::string first = pdf.object(pages[0]);
  EXPECT_NE(first.find("/MediaBox [0 0 595 842]\n/CropBox [10 10 585 832]\n"
                       "/TrimBox [20 20 575 822]\n/Dur 5\n/Trans<<\n/S/Wipe>>\n/Contents ["),
            std::string::npos)
      << first;
  const std::string second = pdf.object(pages[1]);
  EXPECT_EQ(second.find("/CropBox"), std::string::npos) << second;
  EXPECT_EQ(second.find("/TrimBox"), std::string::npos) << second;
  EXPECT_NE(second.find("/MediaBox [0 0 595 842]\n/Dur 5\n/Trans<<\n/S/Wipe>>\n/Contents ["),
            std::string::npos)
      << second;
}

TEST(PageExtrasTest, badValuesAreRefusedWhereSet)
{
  const float nan = std::nanf("");
  std::string page;
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    EXPECT_FALSE(setPageBox(doc, kCropBox, {10, 10, 585, 832})) << "no page in progress";
    beginPage(doc, 595, 842);
    const struct {
      int which;
      BoxRecord box;
    } boxes[] = {{kCropBox, {5, 5, 5, 9}},  {kCropBox, {5, 9, 8, 9}},   {kBleedBox, {nan, 0, 1, 1}},
                 {kArtBox, {0, 0, 1, INFINITY}}, {4, {0, 0, 1, 1}},   {-1, {0, 0, 1, 1}}};
    for (const auto& c : boxes)
      EXPECT_FALSE(setPageBox(doc, c.which, c.box)) << c.which << " " << c.box.llx;
    for (float d : {0.0f, -1.0f, nan, INFINITY})
      EXPECT_FALSE(setDisplayDuration(doc, d)) << d;
    for (int kind : {-1, 8})
      EXPECT_FALSE(setTransition(doc, kind)) << kind;
    EXPECT_FALSE(setPageThumbnail(doc, 0)) << "an empty image slot";
    writePageObject(doc);
  }, 0));
  page = pdf.object(pdf.pageObjects().at(0));
  for (const char* key : {"/CropBox", "/BleedBox", "/ArtBox", "/Dur", "/Trans", "/Thumb"})
    EXPECT_EQ(page.find(key), std::string::npos) << key << " in " << page;
}

TEST(PageExtrasTest, thumbnailNamesTheImageAfterContents)
{
  const std::vector<unsigned char> pixels = test::gradientPixels(4, 4);
  std::int32_t imageObject = 0;
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    int slot = addImage(doc, "raw", "memory", pixels.data(), std::int64_t(pixels.size()), 4, 4, 3,
                        8, "", 75);
    ASSERT_GE(slot, 0);
    imageObject = doc->xobjects[std::size_t(doc->images[std::size_t(slot)].xobjectIndex)].objectNumber;
    EXPECT_TRUE(setPageThumbnail(doc, slot));
    writePageObject(doc);
    beginPage(doc, 595, 842);
    writePageObject(doc);
  }, 0));
  const std::vector<int> pages = pdf.pageObjects();
  std::regex form("/Contents \\[[0-9 R]+\\]\n/Thumb " + std::to_string(imageObject) + " 0 R\n>>");
  EXPECT_TRUE(std::regex_search(pdf.object(pages[0]), form)) << pdf.object(pages[0]);
  EXPECT_EQ(pdf.object(pages[1]).find("/Thumb"), std::string::npos);
}

// A note's fixed entries, and which defaults stay unwritten.
TEST(AnnotationTest, textNoteEntries)
{
  const struct {
    const char* contents;
    const char* title;
    int icon;
    bool open;
    const char* expected;
  } cases[] = {
    {"", "", kIconNote, false, "/Subtype /Text\n/Rect [10 20 110 40]\n/Contents()\n>>"},
    {"Look (here)", "a(b)", 10, true,
     "/Subtype /Text\n/Rect [10 20 110 40]\n/Open true\n/Name /Help\n/Contents(Look \\(here\\))\n"
     "/T(a\\(b\\))\n>>"},
    {"x", "", 4, false, "/Name /Comment\n/Contents(x)\n>>"},
  };
  for (const auto& c : cases) {
    PdfBytes pdf = onePage([&](PdfDocument* doc) {
      EXPECT_TRUE(addTextNote(doc, kRect, c.contents, c.title, c.icon, c.open));
    });
    const auto notes = annotations(pdf);
    ASSERT_EQ(notes.size(), 1u) << c.expected;
    EXPECT_NE(notes[0].find(c.expected), std::string::npos) << notes[0];
  }
}

TEST(AnnotationTest, borderStyleAgainstTheDocumentDefaults)
{
  BorderStyle dashedRed{1, 2, {1, 0, 0}, {3, 3}};
  BorderStyle beveled{2, 1, {0, 0, 0}, {3, 3}};
  const struct {
    int type;
    BorderStyle border;
    const char* present;
    std::vector<const char*> absent;
  } cases[] = {
    {kUriLink, BorderStyle{}, "/Rect [10 20 110 40]\n/A<<", {"/BS", "/Border", "/C["}},
    {kUriLink, dashedRed,
     "/Rect [10 20 110 40]\n/BS<<\n/Type/Border\n/S/D\n/D[3 3]\n>>\n/Border[0 0 2[3 3]]\n/C[1 0 0]\n",
     {}},
    {kUriLink, beveled, "/BS<<\n/Type/Border\n/S/B\n>>\n/Border[0 0 1]\n/C[0 0 0]\n", {"/D["}},
    {kFileAttachment, dashedRed, "/Rect [10 20 110 40]\n/C[1 0 0]\n", {"/BS", "/Border"}},
  };
  tarvek::test::ScratchDir dir;
  const std::string file = dir.file("data.txt").string();
  std::ofstream(file) << "attached";
  for (const auto& c : cases) {
    PdfBytes pdf = onePage([&](PdfDocument* doc) {
      bool added = c.type == kUriLink
                       ? addUriLink(doc, kRect, "http://example.org/", c.border)
                       : addFileAttachment(doc, kRect, file, "", "", kIconPushpin, c.border);
      EXPECT_TRUE(added);
    });
    const auto list = annotations(pdf);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_NE(list[0].find(c.present), std::string::npos) << list[0];
    for (const char* key : c.absent)
      EXPECT_EQ(list[0].find(key), std::string::npos) << key << " in " << list[0];
  }
}

// Page links name a page object; remote links the other file's zero-based
// page number.
TEST(AnnotationTest, destinationForms)
{
  const char* pageForms[] = {"/Dest [4 0 R/XYZ null null 0]\n", "/Dest [4 0 R/Fit]\n",
                             "/Dest [4 0 R/FitH 0]\n", "/Dest [4 0 R/FitV 0]\n",
                             "/Dest [4 0 R/FitB]\n"};
  const char* remoteForms[] = {"/D[2/XYZ null null 0]\n", "/D[2/Fit]\n", "/D[2/FitH 2000]\n",
                               "/D[2/FitV 0]\n", "/D[2/FitB]\n"};
  for (int kind = 0; kind <= 4; ++kind) {
    PdfBytes pdf = onePage([&](PdfDocument* doc) {
      EXPECT_TRUE(addPageLink(doc, kRect, 1, kind));
      EXPECT_TRUE(addRemoteLink(doc, kRect, "other.pdf", 3, kind));
    });
    const auto list = annotations(pdf);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_NE(list[0].find(pageForms[kind]), std::string::npos) << list[0];
    EXPECT_NE(list[1].find(std::string("/A<<\n/Type/Action/S/GoToR\n") + remoteForms[kind]
                           + "/F<<\n/Type /FileSpec\n/F(other.pdf)\n>>\n>>\n"),
              std::string::npos)
        << list[1];
  }
}

TEST(AnnotationTest, refusedAdditionsAddNothing)
{
  tarvek::test::ScratchDir dir;
  const std::string missing = dir.file("missing.bin").string();
  PdfBytes pdf = onePage([&](PdfDocument* doc) {
    EXPECT_FALSE(addPageLink(doc, kRect, 2, kDestFit)) << "page 2 is not begun";
    EXPECT_FALSE(addPageLink(doc, kRect, 0, kDestFit));
    EXPECT_FALSE(addPageLink(doc, kRect, 1, 5));
    EXPECT_FALSE(addRemoteLink(doc, kRect, "o.pdf", 1, -1));
    EXPECT_FALSE(addRemoteLink(doc, kRect, "", 1, 0));
    EXPECT_FALSE(addUriLink(doc, kRect, ""));
    EXPECT_FALSE(addLaunchLink(doc, {0, 0, 0, 0}, "run.sh"));
    EXPECT_FALSE(addTextNote(doc, {std::nanf(""), 0, 1, 1}, "", ""));
    EXPECT_FALSE(addTextNote(doc, kRect, "", "", 3)) << "an attachment's icon";
    EXPECT_FALSE(addTextNote(doc, kRect, "", "", kIconNote, false, BorderStyle{5}));
    EXPECT_FALSE(addTextNote(doc, kRect, "", "", kIconNote, false, BorderStyle{0, -1}));
    EXPECT_FALSE(addTextNote(doc, kRect, "", "", kIconNote, false, BorderStyle{0, 1, {2, 0, 0}}));
    EXPECT_FALSE(addFileAttachment(doc, kRect, missing, "", ""));
    EXPECT_FALSE(addFileAttachment(doc, kRect, dir.path().string(), "", "")) << "a folder";
  });
  EXPECT_TRUE(annotations(pdf).empty());
  EXPECT_EQ(pdf.bytes().find("/Annots"), std::string::npos);
}

// The /Annots array after /Contents, the annotation objects between the page
// object and its resources, the attachment's file after them; a launch link
// and the list's end with the page.
TEST(AnnotationTest, objectOrderAndEmbeddedFile)
{
  tarvek::test::ScratchDir dir;
  const std::string file = dir.file("data.txt").string();
  std::ofstream(file, std::ios::binary) << "line one\nline two\n";
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    EXPECT_TRUE(addLaunchLink(doc, kRect, "run me.sh"));
    EXPECT_TRUE(addFileAttachment(doc, kRect, file, "Data", "The data", 1));
    writePageObject(doc);
    beginPage(doc, 595, 842);
    writePageObject(doc);
  }, 6));
  const std::vector<int> pages = pdf.pageObjects();
  const std::string page = pdf.object(pages[0]);
  EXPECT_NE(page.find("]\n/Annots [8 0 R 9 0 R ]\n>>\nendobj\n"), std::string::npos) << page;
  EXPECT_EQ(pdf.object(pages[1]).find("/Annots"), std::string::npos);
  EXPECT_NE(pdf.object(8).find("/Subtype /Link\n/Rect [10 20 110 40]\n/A<<\n/Type /Action/S/Launch\n"
                               "/F<<\n/Type /FileSpec\n/F(run me.sh)\n>>\n>>\n>>\nendobj\n"),
            std::string::npos)
      << pdf.object(8);
  EXPECT_NE(pdf.object(9).find("/Subtype /FileAttachment\n/Rect [10 20 110 40]\n/Name/Paperclip\n"
                               "/T(Data)\n/Contents(The data)\n/F 28\n/FS<<\n/Type/FileSpec\n"
                               "/F(data.txt)\n/EF<</F 10 0 R>>\n>>\n>>\nendobj\n"),
            std::string::npos)
      << pdf.object(9);
  EXPECT_NE(pdf.object(10).find("/Type /EmbeddedFile\n/Params<</Size 18>>\n"), std::string::npos);
  EXPECT_EQ(pdf.streamData(10), "line one\nline two\n");
  // Page, annotations, embedded file, then the resources.
  EXPECT_LT(pdf.offsets().at(pages[0]), pdf.offsets().at(8));
  EXPECT_LT(pdf.offsets().at(9), pdf.offsets().at(10));
  EXPECT_LT(pdf.offsets().at(10), pdf.offsets().at(7));
}

TEST(CatalogTest, entriesAroundPages)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    EXPECT_TRUE(setOpenAction(doc, 1));
    EXPECT_TRUE(setPageMode(doc, kUseOutlines));
    EXPECT_TRUE(setUriBase(doc, "http://example.org/"));
    EXPECT_FALSE(setOpenAction(doc, 5));
    EXPECT_FALSE(setPageMode(doc, 1));
    beginPage(doc, 595, 842);
    writePageObject(doc);
  }, 0));
  EXPECT_EQ(catalogOf(pdf), "2 0 obj\n<<\n/Type /Catalog\n/OpenAction [4 0 R/Fit]\n"
                            "/PageMode /UseOutlines\n/URI<</Base(http://example.org/)>>\n"
                            "/Pages 1 0 R\n>>\nendobj\n");
}

// Tree links, counts as readers expect them, and a missing page's item
// without a destination.
TEST(OutlineTest, treeLinksCountsAndDestinations)
{
  std::vector<int> index;
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    writePageObject(doc);
    beginPage(doc, 595, 842);
    writePageObject(doc);
    // 1 A (closed) > 2 A1 (open) > 3 A1a, 4 A1b; 5 A2; 6 B (open) > 7 B1; 8 C on page 9
    const int a = addOutlineItem(doc, 0, "A", 1, kDestFit, false);
    const int a1 = addOutlineItem(doc, a, "A1", 2, kDestXYZ, true);
    addOutlineItem(doc, a1, "A1a", 2, kDestFitH, false);
    addOutlineItem(doc, a1, "A1b", 2, kDestFitV, false);
    addOutlineItem(doc, a, "A2", 1, kDestFitB, false);
    const int b = addOutlineItem(doc, 0, "B", 2, kDestFit, true);
    addOutlineItem(doc, b, "B1", 1, kDestFit, false);
    addOutlineItem(doc, 0, "C(1)", 9, kDestFit, false);
    EXPECT_EQ(addOutlineItem(doc, 9, "x", 1, kDestFit, false), -1) << "unknown parent";
    EXPECT_EQ(addOutlineItem(doc, 0, "", 1, kDestFit, false), -1);
    EXPECT_EQ(addOutlineItem(doc, 0, "x", 0, kDestFit, false), -1);
    EXPECT_EQ(addOutlineItem(doc, 0, "x", 1, 5, false), -1);
    for (int i = 0; i <= 8; ++i)
      index.push_back(doc->outlines[std::size_t(i)].objectNumber);
  }, 0));
  auto ref = [&](int i) { return std::to_string(index[std::size_t(i)]) + " 0 R"; };
  EXPECT_NE(catalogOf(pdf).find("/Pages 1 0 R\n/Outlines " + ref(0) + "\n>>"), std::string::npos)
      << catalogOf(pdf);
  // The root counts the visible items: A, B, B1, C.
  EXPECT_EQ(pdf.object(index[0]), std::to_string(index[0]) + " 0 obj\n<<\n/Count 4\n/First "
                                       + ref(1) + "\n/Last " + ref(8) + "\n>>\nendobj\n");
  const std::vector<int> pages = pdf.pageObjects();
  const std::string p1 = std::to_string(pages[0]) + " 0 R", p2 = std::to_string(pages[1]) + " 0 R";
  const struct {
    int item;
    std::string text;
  } cases[] = {
    {1, "/Parent " + ref(0) + "\n/Dest[" + p1 + "/Fit]\n/Title(A)\n/Next " + ref(6) + "\n/First "
            + ref(2) + "\n/Last " + ref(5) + "\n/Count -4\n>>"},
    {2, "/Parent " + ref(1) + "\n/Dest[" + p2 + "/XYZ null null 0]\n/Title(A1)\n/Next " + ref(5)
            + "\n/First " + ref(3) + "\n/Last " + ref(4) + "\n/Count 2\n>>"},
    {3, "/Dest[" + p2 + "/FitH 2000]\n/Title(A1a)\n/Next " + ref(4) + "\n>>"},
    {4, "/Dest[" + p2 + "/FitV 0]\n/Title(A1b)\n/Prev " + ref(3) + "\n>>"},
    {5, "/Dest[" + p1 + "/FitB]\n/Title(A2)\n/Prev " + ref(2) + "\n>>"},
    {6, "/Title(B)\n/Prev " + ref(1) + "\n/Next " + ref(8) + "\n/First " + ref(7) + "\n/Last "
            + ref(7) + "\n/Count 1\n>>"},
    {8, "/Parent " + ref(0) + "\n/Title(C\\(1\\))\n/Prev " + ref(6) + "\n>>"},
  };
  for (const auto& c : cases)
    EXPECT_NE(pdf.object(index[std::size_t(c.item)]).find(c.text), std::string::npos)
        << c.item << ":\n" << pdf.object(index[std::size_t(c.item)]);
  // Right after the catalog.
  EXPECT_GT(pdf.offsets().at(index[0]), pdf.offsets().at(2));
}

TEST(InfoTest, furtherEntriesAfterAuthorNewestFirst)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    setInfoEntry(doc, "Author", "Ann");
    setInfoEntry(doc, "Trapped", "Maybe");
    setInfoEntry(doc, "My Key", "x");
    setInfoEntry(doc, "Odd/Key", "x");
    setInfoEntry(doc, "Company", "");
    setInfoEntry(doc, "Company", "Example Company");
    setInfoEntry(doc, "Trapped", "True");
    setInfoEntry(doc, "Company", "Second");
    beginPage(doc, 595, 842);
    writePageObject(doc);
  }, 0));
  const std::string info = pdf.object(3);
  EXPECT_NE(info.find("/Author (Ann)\n/Company (Second)\n/Trapped /True\n/Company (Example Company)\n"
                      "/CreationDate "),
            std::string::npos)
      << info;
  EXPECT_EQ(countOf(info, "/Trapped"), 1);
  EXPECT_EQ(info.find("My"), std::string::npos);
  EXPECT_EQ(info.find("Odd"), std::string::npos);
}

// Texts of notes, outlines, URIs and Info are sealed with their object's key.
TEST(EncryptedExtrasTest, textsAppearOnlyInHexAndDecrypt)
{
  std::array<std::uint8_t, 16> key{};
  std::int32_t itemObject = 0;
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    setInfoEntry(doc, "Company", "Example Company");
    ASSERT_TRUE(setupEncryption(doc, 0, 16, "owner", "user"));
    key = doc->security->key;
    beginPage(doc, 595, 842);
    EXPECT_TRUE(addTextNote(doc, kRect, "Secret note", ""));
    EXPECT_TRUE(addUriLink(doc, kRect, "http://hidden.example/"));
    writePageObject(doc);
    addOutlineItem(doc, 0, "Hidden chapter", 1, kDestFit, true);
    itemObject = doc->outlines[1].objectNumber;
  }, 6));
  const std::string& bytes = pdf.bytes();
  for (const char* plain : {"Secret", "hidden", "Hidden", "Example Company"})
    EXPECT_EQ(bytes.find(plain), std::string::npos) << plain;
  const test::Decrypter decrypt{key};
  std::smatch m;
  const std::string note = pdf.object(8);
  ASSERT_TRUE(std::regex_search(note, m, std::regex("/Contents<([0-9A-F]+)>\n"))) << note;
  EXPECT_EQ(decrypt(8, test::fromHexText(m[1])), "Secret note");
  const std::string link = pdf.object(9);
  ASSERT_TRUE(std::regex_search(link, m, std::regex("/URI<([0-9A-F]+)>>>\n"))) << link;
  EXPECT_EQ(decrypt(9, test::fromHexText(m[1])), "http://hidden.example/");
  const std::string item = pdf.object(itemObject);
  ASSERT_TRUE(std::regex_search(item, m, std::regex("/Title<([0-9A-F]+)>\n"))) << item;
  EXPECT_EQ(decrypt(itemObject, test::fromHexText(m[1])), "Hidden chapter");
  const std::string info = pdf.object(3);
  ASSERT_TRUE(std::regex_search(info, m, std::regex("/Company <([0-9A-F]+)>\n"))) << info;
  EXPECT_EQ(decrypt(3, test::fromHexText(m[1])), "Example Company");
}

} // namespace
} // namespace quillet
