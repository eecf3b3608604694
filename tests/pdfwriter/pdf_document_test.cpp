#include "pdfwriter/pdf_document.h"
#include "pdfwriter/pdf_image.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_test_support.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <set>
#include <sstream>

namespace quillet {
namespace {

using tarvek::test::readBytes;
using tarvek::test::ScratchDir;
using test::PdfBytes;
using test::writeDocument;

void pages(PdfDocument* doc, int count)
{
  for (int i = 0; i < count; ++i) {
    beginPage(doc, 595, 842);
    writePageObject(doc);
  }
}

std::vector<int> kidsOf(const std::string& node)
{
  std::vector<int> kids;
  auto at = node.find("/Kids [");
  std::istringstream in(node.substr(at + 7, node.find(']', at) - at - 7));
  int n, generation;
  std::string r;
  while (in >> n >> generation >> r)
    kids.push_back(n);
  return kids;
}

struct TreeWalk {
  const PdfBytes& pdf;
  std::vector<int> pagesInOrder;
  int maxDepth = 0;

  // Returns the number of pages below `node`, checking /Count and /Parent.
  long long walk(int node, int parent, int depth)
  {
    std::string text = pdf.object(node);
    if (text.find("/Type /Page\n") != std::string::npos) {
      EXPECT_EQ(PdfBytes::intEntry(text, "/Parent"), parent) << "page " << node;
      pagesInOrder.push_back(node);
      return 1;
    }
    EXPECT_NE(text.find("/Type /Pages\n"), std::string::npos) << "node " << node;
    EXPECT_EQ(PdfBytes::intEntry(text, "/Parent"), parent == 0 ? -1 : parent) << "node " << node;
    maxDepth = std::max(maxDepth, depth);
    long long below = 0;
    std::vector<int> kids = kidsOf(text);
    EXPECT_LE(kids.size(), 10u) << "node " << node;
    for (int kid : kids)
      below += walk(kid, node, depth + 1);
    EXPECT_EQ(PdfBytes::intEntry(text, "/Count"), below) << "node " << node;
    return below;
  }
};

// Readers find pages only through the tree: every page exactly once, in
// order, with counts that add up and parents that point back.
TEST(PageTreeTest, shapesForEveryBoundary)
{
  const struct {
    int pages;
    std::size_t rootKids;
    int depth;
  } cases[] = {
    {1, 1, 1}, {10, 10, 1}, {11, 2, 2}, {100, 10, 2}, {101, 2, 3}, {1000, 10, 3}, {1001, 2, 4},
  };
  for (const auto& c : cases) {
    PdfBytes pdf(writeDocument([&](PdfDocument* doc) { pages(doc, c.pages); }, 0));
    int root = static_cast<int>(PdfBytes::intEntry(pdf.object(2), "/Pages"));
    EXPECT_EQ(root == 1, c.pages <= 10) << c.pages << " pages: root " << root;
    std::string rootText = pdf.object(root);
    EXPECT_EQ(PdfBytes::intEntry(rootText, "/Count"), c.pages) << c.pages << " pages";
    EXPECT_EQ(kidsOf(rootText).size(), c.rootKids) << c.pages << " pages";
    TreeWalk tree{pdf, {}, 0};
    tree.walk(root, 0, 1);
    EXPECT_EQ(tree.maxDepth, c.depth) << c.pages << " pages";
    EXPECT_EQ(tree.pagesInOrder, pdf.pageObjects()) << c.pages << " pages";
  }
}

// The subtrees of 1000 pages hold 100 pages each, since the share must be
// below the count.
TEST(PageTreeTest, thousandPagesSplitIntoHundreds)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) { pages(doc, 1000); }, 0));
  int root = static_cast<int>(PdfBytes::intEntry(pdf.object(2), "/Pages"));
  for (int kid : kidsOf(pdf.object(root)))
    EXPECT_EQ(PdfBytes::intEntry(pdf.object(kid), "/Count"), 100) << "kid " << kid;
}

TEST(FileTailTest, xrefTrailerAndIdentifierAreConsistent)
{
  std::string bytes = writeDocument([](PdfDocument* doc) { pages(doc, 3); });
  PdfBytes pdf(bytes);
  auto xref = bytes.rfind("\nxref\n") + 1;
  auto startxref = bytes.rfind("startxref\n");
  EXPECT_EQ(std::stoull(bytes.substr(startxref + 10)), xref);
  EXPECT_EQ(bytes.substr(bytes.size() - 6), "%%EOF\n");

  std::istringstream table(bytes.substr(xref + 5));
  int first, count;
  table >> first >> count;
  table.get();
  EXPECT_EQ(first, 0);
  std::string line(20, '\0');
  table.read(line.data(), 20);
  EXPECT_EQ(line, "0000000000 65535 f \n");
  for (int n = 1; n < count; ++n) {
    table.read(line.data(), 20);
    ASSERT_TRUE(std::regex_match(line, std::regex("\\d{10} 00000 n \n"))) << "entry " << n << ": " << line;
    std::string header = std::to_string(n) + " 0 obj\n";
    EXPECT_EQ(bytes.compare(std::stoull(line), header.size(), header), 0) << "entry " << n;
  }
  std::string trailer;
  std::getline(table, trailer);
  EXPECT_EQ(trailer, "trailer");

  // Pages and their streams, three fixed objects, the leaf has no extra node.
  EXPECT_EQ(count, 3 + 3 * 4 + 1);
  EXPECT_NE(bytes.find("/Size " + std::to_string(count) + "\n/Info 3 0 R\n/Root 2 0 R\n"), std::string::npos);
  std::smatch id;
  ASSERT_TRUE(std::regex_search(bytes, id, std::regex("/ID\\[<([0-9A-F]{32})><([0-9A-F]{32})>\\]\n>>\n")));
  EXPECT_EQ(id[1], id[2]);
}

std::string idOf(const std::string& bytes)
{
  auto at = bytes.find("/ID[<");
  return at == std::string::npos ? std::string() : bytes.substr(at + 5, 32);
}

TEST(FileTailTest, identifierDependsOnNonceAndRepeatsWithIt)
{
  ScratchDir dir;
  auto make = [&](std::uint64_t nonce, const char* name) {
    PdfDocument* doc = openDocument(dir.file(name).string(), 13, test::fixedOptions(6, nonce));
    pages(doc, 1);
    EXPECT_TRUE(closeDocument(doc));
    freeDocument(doc);
    return readBytes(dir.file(name));
  };
  std::string a = make(1, "a.pdf");
  std::string b = make(2, "b.pdf");
  std::string c = make(1, "c.pdf");
  EXPECT_NE(idOf(a), idOf(b));
  EXPECT_EQ(a, c) << "same inputs, clock and seed give the same file";

  // Without a seed, two documents of the same second still differ.
  auto plain = [&](const char* name) {
    OpenOptions options = test::fixedOptions();
    options.idSeed.reset();
    PdfDocument* doc = openDocument(dir.file(name).string(), 13, options);
    pages(doc, 1);
    EXPECT_TRUE(closeDocument(doc));
    freeDocument(doc);
    return idOf(readBytes(dir.file(name)));
  };
  EXPECT_NE(plain("d.pdf"), plain("e.pdf"));
}

TEST(InfoTest, entriesInFixedOrderWithDateAndProducer)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    setInfoEntry(doc, "Author", "A. (Writer)");
    setInfoEntry(doc, "Title", "First");
    setInfoEntry(doc, "Title", "Tubes");
    setInfoEntry(doc, "Title", "");
    setInfoEntry(doc, "Keywords", "carbon");
    setInfoEntry(doc, "Producer", "someone else");
    setInfoEntry(doc, "title", "lower case");
    pages(doc, 1);
  }));
  // Other names are entries of their own, except those the writer sets.
  EXPECT_EQ(pdf.object(3), "3 0 obj\n<<\n/Keywords (carbon)\n/Title (Tubes)\n/Author (A. \\(Writer\\))\n"
                           "/title (lower case)\n"
                           "/CreationDate (D:20261210120000)\n/Producer (Morvane Quillet)\n>>\nendobj\n");
}

TEST(ObjectMapTest, onePageWithOneImage)
{
  auto pixels = test::gradientPixels(100, 50);
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    int slot = addImage(doc, "raw", "memory", pixels.data(), std::int64_t(pixels.size()), 100, 50, 3, 8, "", 75);
    placeImage(doc, slot, 72, 600, 1, 1, 0);
    writePageObject(doc);
  }));
  EXPECT_EQ(pdf.size(), 12);
  const struct {
    int n;
    const char* start;
  } objects[] = {
    {1, "1 0 obj\n<<\n/Type /Pages\n"}, {2, "2 0 obj\n<<\n/Type /Catalog\n/Pages 1 0 R\n"},
    {3, "3 0 obj\n<<\n/CreationDate"},  {4, "4 0 obj\n<<\n/Type /Page\n/Parent 1 0 R\n/Resources 11 0 R\n"},
    {5, "5 0 obj\n<<\n/Length 6 0 R"},  {6, "6 0 obj\n"},
    {7, "7 0 obj\n<<\n/Type /XObject"}, {8, "8 0 obj\n"},
    {9, "9 0 obj\n<<\n/Length 10 0 R"}, {10, "10 0 obj\n"},
    {11, "11 0 obj\n<<\n/ProcSet [/PDF/ImageC]\n/XObject<<\n/I0 7 0 R\n>>\n>>\nendobj\n"},
  };
  for (const auto& o : objects)
    EXPECT_EQ(pdf.object(o.n).rfind(o.start, 0), 0u) << "object " << o.n << ":\n" << pdf.object(o.n);
}

TEST(LifecycleTest, closeWithoutPageWritesNothing)
{
  ScratchDir dir;
  const auto earlier = dir.write("old.pdf", "earlier content");
  const auto fresh = dir.file("new.pdf");
  for (const auto& path : {earlier, fresh}) {
    PdfDocument* doc = openDocument(path.string(), 13, test::fixedOptions());
    setInfoEntry(doc, "Title", "nothing");
    EXPECT_FALSE(closeDocument(doc)) << path;
    freeDocument(doc);
  }
  EXPECT_EQ(readBytes(earlier), "earlier content");
  EXPECT_FALSE(std::filesystem::exists(fresh));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// Closing with a page still open must not leave a page-tree kid without its
// page object.
TEST(LifecycleTest, closeFinishesAPageInProgress)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    pages(doc, 1);
    beginPage(doc, 300, 400);
    saveGraphicsState(doc);
    pathRectangle(doc, 1, 1, 10, 10);
    strokePath(doc);
  }, 0));
  ASSERT_EQ(pdf.pageObjects().size(), 2u);
  EXPECT_NE(pdf.object(pdf.pageObjects()[1]).find("/MediaBox [0 0 300 400]"), std::string::npos);
  EXPECT_EQ(PdfBytes::intEntry(pdf.object(1), "/Count"), 2);
  EXPECT_NE(pdf.pageContents().find("S\nQ\n"), std::string::npos);
}

TEST(LifecycleTest, existingFileStaysUntilCloseSucceeds)
{
  ScratchDir dir;
  auto path = dir.write("doc.pdf", "earlier content");
  PdfDocument* doc = openDocument(path.string(), 13, test::fixedOptions());
  ASSERT_NE(doc, nullptr);
  pages(doc, 2);
  EXPECT_EQ(readBytes(path), "earlier content");
  EXPECT_TRUE(closeDocument(doc));
  freeDocument(doc);
  EXPECT_EQ(readBytes(path).rfind("%PDF-1.3\n", 0), 0u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  // Freed without a close: the temporary goes, the file stays.
  doc = openDocument(path.string(), 13, test::fixedOptions());
  std::string before = readBytes(path);
  pages(doc, 1);
  freeDocument(doc);
  EXPECT_EQ(readBytes(path), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

std::size_t writeShort(PdfDocument&, const unsigned char*, std::size_t count)
{
  return count / 2;
}

// A full disk must not produce a truncated file that looks complete.
TEST(LifecycleTest, shortWriteFailsCloseAndLeavesNothing)
{
  ScratchDir dir;
  for (bool earlierFile : {false, true}) {
    auto path = dir.file("doc.pdf");
    if (earlierFile)
      dir.write("doc.pdf", "earlier content");
    PdfDocument* doc = openDocument(path.string(), 13, test::fixedOptions());
    ASSERT_NE(doc, nullptr);
    doc->output = writeShort;
    pages(doc, 2);
    EXPECT_FALSE(closeDocument(doc)) << "earlier file " << earlierFile;
    freeDocument(doc);
    EXPECT_EQ(std::filesystem::exists(path), earlierFile);
    if (earlierFile) {
      EXPECT_EQ(readBytes(path), "earlier content");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), earlierFile ? 1 : 0)
      << "a temporary was left";
  }
}

TEST(LifecycleTest, openRefusesMissingFolderAndFolderPath)
{
  ScratchDir dir;
  EXPECT_EQ(openDocument((dir.path() / "missing" / "doc.pdf").string(), 13), nullptr);
  EXPECT_EQ(openDocument(dir.path().string(), 13), nullptr);
  EXPECT_EQ(openDocument("", 13), nullptr);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0);
}

// Drawing calls between pages would write outside any content stream.
TEST(LifecycleTest, callsWithoutPageChangeNothing)
{
  auto pixels = test::gradientPixels(4, 4);
  auto body = [&pixels](bool extra) {
    return [&pixels, extra](PdfDocument* doc) {
      auto noise = [&](int slot) {
        if (!extra)
          return;
        pathMoveTo(doc, 1, 1);
        pathLineTo(doc, 2, 2);
        pathCurveTo(doc, 1, 2, 3, 4, 5, 6);
        pathRectangle(doc, 0, 0, 5, 5);
        strokePath(doc);
        fillPath(doc);
        fillStrokePath(doc);
        setGray(doc, "both", 0.5f);
        setLineCap(doc, 1);
        setLineJoin(doc, 2);
        setMiterLimit(doc, 3);
        saveGraphicsState(doc);
        restoreGraphicsState(doc);
        concatMatrix(doc, Matrix{2, 0, 0, 2, 0, 0});
        placeImage(doc, slot, 10, 10, 1, 1, 0);
        writePageObject(doc);
      };
      noise(0);
      beginPage(doc, 595, 842);
      int placed = addImage(doc, "raw", "memory", pixels.data(), std::int64_t(pixels.size()), 4, 4, 3, 8, "", 75);
      int kept = addImage(doc, "raw", "memory", pixels.data(), std::int64_t(pixels.size()), 4, 4, 3, 8, "", 75);
      placeImage(doc, placed, 10, 10, 1, 1, 0);
      writePageObject(doc);
      noise(kept);
    };
  };
  EXPECT_EQ(writeDocument(body(true)), writeDocument(body(false)));
}

} // namespace
} // namespace quillet
