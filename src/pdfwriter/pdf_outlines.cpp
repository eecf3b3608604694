// The document outline and the catalog's open action, page mode and URI
// base.

#include "pdfwriter/pdf_outlines.h"

#include "pdfwriter/pdf_annotations.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_security.h"

#include <algorithm>
#include <string>

namespace quillet {

int addOutlineItem(PdfDocument* doc, int parent, std::string_view title, int page,
                   int destinationKind, bool open)
{
  if (!doc || doc->state == kClosed || title.empty() || page < 1 || destinationKind < kDestXYZ
      || destinationKind > kDestFitB)
    return -1;
  std::vector<OutlineItem>& items = doc->outlines;
  if (parent < 0 || std::size_t(parent) >= std::max<std::size_t>(items.size(), 1))
    return -1;
  if (items.empty()) {
    items.emplace_back();
    items[0].objectNumber = reserveObject(doc);
    items[0].open = true;
  }
  OutlineItem item;
  item.objectNumber = reserveObject(doc);
  item.parent = parent;
  item.title = title;
  item.open = open;
  item.destinationKind = destinationKind;
  item.page = page;
  const int index = static_cast<int>(items.size());
  OutlineItem& up = items[std::size_t(parent)];
  if (up.firstChild == 0) {
    up.firstChild = index;
  } else {
    OutlineItem& last = items[std::size_t(up.lastChild)];
    last.next = item.objectNumber;
    item.previous = last.objectNumber;
  }
  up.lastChild = index;
  items.push_back(std::move(item));
  return index;
}

bool setPageMode(PdfDocument* doc, int mode)
{
  if (!doc || doc->state == kClosed || mode < kUseOutlines || mode > kFullScreen)
    return false;
  doc->pageMode = mode;
  return true;
}

bool setOpenAction(PdfDocument* doc, int action)
{
  if (!doc || doc->state == kClosed || action < 1 || action > 4)
    return false;
  doc->openAction = action;
  return true;
}

bool setUriBase(PdfDocument* doc, std::string_view base)
{
  if (!doc || doc->state == kClosed)
    return false;
  doc->uriBase = base;
  return true;
}

void writeCatalogEntries(PdfDocument* doc)
{
  if (!doc)
    return;
  static constexpr const char* kOpenActions[] = {
    nullptr, "/OpenAction [%ld 0 R/Fit]\n", "/OpenAction [%ld 0 R/FitH]\n",
    "/OpenAction [%ld 0 R/FitV 0]\n", "/OpenAction [%ld 0 R/FitB]\n"};
  static constexpr const char* kPageModes[] = {nullptr, nullptr, "/PageMode /UseOutlines\n",
                                               "/PageMode /UseThumbs\n",
                                               "/PageMode /FullScreen\n"};
  if (doc->openAction >= 1 && doc->openAction <= 4 && doc->pageCount > 0)
    printPdf(doc, kOpenActions[doc->openAction], doc->pages[1]);
  if (doc->pageMode >= kUseOutlines && doc->pageMode <= kFullScreen)
    writeString(doc, kPageModes[doc->pageMode]);
  if (!doc->uriBase.empty()) {
    writeString(doc, "/URI<</Base");
    writeTextString(doc, doc->catalog, doc->uriBase);
    writeString(doc, ">>\n");
  }
}

void clearOutlines(PdfDocument* doc)
{
  if (doc)
    doc->outlines.clear();
}

void writeOutlinesEntry(PdfDocument* doc)
{
  if (doc && doc->outlines.size() > 1)
    printPdf(doc, "/Outlines %ld 0 R\n", doc->outlines[0].objectNumber);
}

void writeOutlines(PdfDocument* doc)
{
  if (!doc || doc->outlines.size() < 2)
    return;
  std::vector<OutlineItem>& items = doc->outlines;
  // Children come after their parents, so one backward pass sums what each
  // item shows when open: its children and what its open children show.
  for (OutlineItem& item : items)
    item.count = 0;
  for (std::size_t i = items.size() - 1; i >= 1; --i) {
    const OutlineItem& item = items[i];
    items[std::size_t(item.parent)].count += 1 + (item.open ? item.count : 0);
  }
  const OutlineItem& root = items[0];
  writeObjectHeader(doc, root.objectNumber);
  writeString(doc, "<<\n");
  if (root.count != 0)
    printPdf(doc, "/Count %d\n", root.count);
  printPdf(doc, "/First %ld 0 R\n/Last %ld 0 R\n>>\nendobj\n",
           items[std::size_t(root.firstChild)].objectNumber,
           items[std::size_t(root.lastChild)].objectNumber);
  for (std::size_t i = 1; i < items.size(); ++i)
    writeOutlineItem(doc, static_cast<int>(i));
}

void writeOutlineItem(PdfDocument* doc, int index)
{
  if (!doc || index < 1 || std::size_t(index) >= doc->outlines.size())
    return;
  static constexpr const char* kForms[] = {
    "/Dest[%ld 0 R/XYZ null null 0]\n", "/Dest[%ld 0 R/Fit]\n", "/Dest[%ld 0 R/FitH 2000]\n",
    "/Dest[%ld 0 R/FitV 0]\n", "/Dest[%ld 0 R/FitB]\n"};
  const std::vector<OutlineItem>& items = doc->outlines;
  const OutlineItem& item = items[std::size_t(index)];
  writeObjectHeader(doc, item.objectNumber);
  printPdf(doc, "<<\n/Parent %ld 0 R\n", items[std::size_t(item.parent)].objectNumber);
  if (item.page <= doc->pageCount)
    printPdf(doc, kForms[item.destinationKind], doc->pages[std::size_t(item.page)]);
  writeString(doc, "/Title");
  writeTextString(doc, item.objectNumber, item.title);
  writeString(doc, "\n");
  if (item.previous != 0)
    printPdf(doc, "/Prev %ld 0 R\n", item.previous);
  if (item.next != 0)
    printPdf(doc, "/Next %ld 0 R\n", item.next);
  if (item.firstChild != 0)
    printPdf(doc, "/First %ld 0 R\n/Last %ld 0 R\n", items[std::size_t(item.firstChild)].objectNumber,
             items[std::size_t(item.lastChild)].objectNumber);
  if (item.count != 0)
    printPdf(doc, "/Count %d\n", item.open ? item.count : -item.count);
  writeString(doc, ">>\nendobj\n");
}

void freeOutlines(PdfDocument* doc)
{
  if (doc)
    std::vector<OutlineItem>().swap(doc->outlines);
}

} // namespace quillet
