// A PDF document whose writer is killed leaves the old file and nothing else.
#include "pdfwriter/pdf_document.h"
#include "pdfwriter/pdf_page.h"
#include "support/kill_point.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

namespace quillet {
namespace {

namespace fs = std::filesystem;
using tarvek::test::readBytes;
using tarvek::test::ScratchDir;

std::set<std::string> namesIn(const fs::path& folder)
{
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

constexpr int kPages = 400;

// Pages of 300 rectangles each, several hundred kilobytes in all, each
// page flushed to the file when done.
void drawPage(PdfDocument* doc, int page)
{
  beginPage(doc, 595, 842);
  for (int i = 0; i < 300; ++i)
    pathRectangle(doc, float(i % 50) * 11, float(i / 50) * 13 + float(page % 7), 10, 12);
  strokePath(doc);
  writePageObject(doc);
}

TEST(PdfKilledSaveTest, aKilledWriterLeavesTheOldFileAndNothingElse)
{
  enum Point { kBeforeFirstPage, kMidDocument, kBeforeClose, kNever };
  const struct {
    Point point;
    const char* name;
  } cases[] = {{kBeforeFirstPage, "before the first page"},
               {kMidDocument, "half-way through the pages"},
               {kBeforeClose, "just before the close"},
               {kNever, "not at all"}};
  for (const auto& c : cases) {
    ScratchDir dir;
    const fs::path target = dir.write("report.pdf", "old report");
    const bool killed = tarvek::test::killAtStopPoint([&](const std::function<void()>& stop) {
      PdfDocument* doc = openDocument(target.string(), 13);
      for (int page = 0; page < kPages; ++page) {
        if ((c.point == kBeforeFirstPage && page == 0) ||
            (c.point == kMidDocument && page == kPages / 2))
          stop();
        drawPage(doc, page);
      }
      if (c.point == kBeforeClose)
        stop();
      closeDocument(doc);
      freeDocument(doc);
    });
    EXPECT_EQ(killed, c.point != kNever) << c.name;
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"report.pdf"}) << c.name;
    const std::string now = readBytes(target);
    if (c.point == kNever) {
      EXPECT_EQ(now.substr(0, 5), "%PDF-") << c.name;
      EXPECT_GT(now.size(), std::size_t(256) << 10) << c.name;
      EXPECT_NE(now.find("%%EOF"), std::string::npos) << c.name;
    } else {
      EXPECT_EQ(now, "old report") << c.name;
    }
  }
}

} // namespace
} // namespace quillet
