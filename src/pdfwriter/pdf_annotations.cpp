// Annotations with their borders, page boxes, thumbnail, transition and
// display duration.

#include "pdfwriter/pdf_annotations.h"

#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_security.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace quillet {
namespace {

constexpr const char* kBorderStyleNames[] = {"S", "D", "B", "I", "U"};
constexpr const char* kIconNames[] = {"Graph",     "Paperclip",    "Pushpin", "Tag",
                                      "Comment",   "Insert",       "Note",    "Paragraph",
                                      "NewParagraph", "Key",       "Help"};
constexpr const char* kTransitionNames[] = {nullptr,    "Split",   "Blinds", "Box",
                                            "Wipe",     "Dissolve", "Glitter", "R"};
constexpr const char* kBoxFormats[] = {"/CropBox [%f %f %f %f]\n", "/BleedBox [%f %f %f %f]\n",
                                       "/TrimBox [%f %f %f %f]\n", "/ArtBox [%f %f %f %f]\n"};
// Attachment annotations are printable (flag 4) and never rotate with the
// page (flag 16).
constexpr int kAttachmentFlags = 28;

bool inPage(const PdfDocument* doc)
{
  return doc && doc->state == kPageInProgress;
}

bool validBox(const BoxRecord& box)
{
  return std::isfinite(box.llx) && std::isfinite(box.lly) && std::isfinite(box.urx)
         && std::isfinite(box.ury) && box.llx < box.urx && box.lly < box.ury;
}

bool validBorder(const BorderStyle& border)
{
  auto unit = [](float v) { return v >= 0 && v <= 1; };
  auto length = [](float v) { return v >= 0 && std::isfinite(v); };
  return border.style >= 0 && border.style <= 4 && length(border.width)
         && unit(border.colour[0]) && unit(border.colour[1]) && unit(border.colour[2])
         && length(border.dash[0]) && length(border.dash[1]);
}

bool validDestination(int kind)
{
  return kind >= kDestXYZ && kind <= kDestFitB;
}

bool sameBorder(const BorderStyle& a, const BorderStyle& b)
{
  return a.style == b.style && a.width == b.width && a.colour[0] == b.colour[0]
         && a.colour[1] == b.colour[1] && a.colour[2] == b.colour[2] && a.dash[0] == b.dash[0]
         && a.dash[1] == b.dash[1];
}

bool add(PdfDocument* doc, AnnotationRecord record)
{
  if (!inPage(doc) || !validBox(record.rect) || !validBorder(record.border))
    return false;
  doc->annotations.push_back(std::move(record));
  return true;
}

AnnotationRecord makeRecord(int type, const BoxRecord& rect, const BorderStyle& border)
{
  AnnotationRecord record;
  record.type = type;
  record.rect = rect;
  record.border = border;
  return record;
}

// The last component of a path: the name an embedded file is shown under.
std::string_view baseName(std::string_view path)
{
  std::size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

void writeText(PdfDocument* doc, const AnnotationRecord& a, std::string_view text)
{
  writeTextString(doc, a.objectNumber, text);
}

void writeFileSpec(PdfDocument* doc, const AnnotationRecord& a, const char* head)
{
  writeString(doc, head);
  writeString(doc, "/F");
  writeText(doc, a, a.fileName);
  writeString(doc, "\n");
}

void writeAnnotation(PdfDocument* doc, AnnotationRecord& a)
{
  writeObjectHeader(doc, a.objectNumber);
  writeString(doc, "<<\n/Type /Annot\n");
  writeString(doc, a.type == kTextNote         ? "/Subtype /Text\n"
                   : a.type == kFileAttachment ? "/Subtype /FileAttachment\n"
                                               : "/Subtype /Link\n");
  writeRect(a.rect, doc);
  writeBorderStyle(a, doc);
  switch (a.type) {
  case kTextNote:
    if (a.open)
      writeString(doc, "/Open true\n");
    if (a.icon != kIconNote)
      printPdf(doc, "/Name /%s\n", kIconNames[a.icon]);
    writeString(doc, "/Contents");
    writeText(doc, a, a.contents);
    writeString(doc, "\n");
    if (!a.title.empty()) {
      writeString(doc, "/T");
      writeText(doc, a, a.title);
      writeString(doc, "\n");
    }
    break;
  case kPageLink: {
    static constexpr const char* kForms[] = {
      "/Dest [%ld 0 R/XYZ null null 0]\n", "/Dest [%ld 0 R/Fit]\n", "/Dest [%ld 0 R/FitH 0]\n",
      "/Dest [%ld 0 R/FitV 0]\n", "/Dest [%ld 0 R/FitB]\n"};
    printPdf(doc, kForms[a.destinationKind], doc->pages[std::size_t(a.page)]);
    break;
  }
  case kRemoteLink: {
    // The other file's pages are named by their zero-based number.
    static constexpr const char* kForms[] = {"/D[%d/XYZ null null 0]\n", "/D[%d/Fit]\n",
                                             "/D[%d/FitH 2000]\n", "/D[%d/FitV 0]\n",
                                             "/D[%d/FitB]\n"};
    writeString(doc, "/A<<\n/Type/Action/S/GoToR\n");
    printPdf(doc, kForms[a.destinationKind], a.page - 1);
    writeFileSpec(doc, a, "/F<<\n/Type /FileSpec\n");
    writeString(doc, ">>\n>>\n");
    break;
  }
  case kUriLink:
    writeString(doc, "/A<</S/URI/URI");
    writeText(doc, a, a.fileName);
    writeString(doc, ">>\n");
    break;
  case kLaunchLink:
    writeString(doc, "/A<<\n/Type /Action/S/Launch\n");
    writeFileSpec(doc, a, "/F<<\n/Type /FileSpec\n");
    writeString(doc, ">>\n>>\n");
    break;
  case kFileAttachment:
    if (a.icon != kIconPushpin)
      printPdf(doc, "/Name/%s\n", kIconNames[a.icon]);
    if (!a.title.empty()) {
      writeString(doc, "/T");
      writeText(doc, a, a.title);
      writeString(doc, "\n");
    }
    if (!a.contents.empty()) {
      writeString(doc, "/Contents");
      writeText(doc, a, a.contents);
      writeString(doc, "\n");
    }
    printPdf(doc, "/F %d\n", kAttachmentFlags);
    writeFileSpec(doc, a, "/FS<<\n/Type/FileSpec\n");
    a.embeddedFile = reserveObject(doc);
    printPdf(doc, "/EF<</F %ld 0 R>>\n>>\n", a.embeddedFile);
    break;
  default:
    break;
  }
  writeString(doc, ">>\nendobj\n");
}

void writeEmbeddedFile(PdfDocument* doc, const AnnotationRecord& a)
{
  std::string dictionary;
  const PdfArg size[] = {static_cast<long long>(a.fileBytes.size())};
  formatPdf(dictionary, "/Type /EmbeddedFile\n/Params<</Size %ld>>\n", size);
  writeStreamObject(doc, a.embeddedFile, dictionary, a.fileBytes.data(), a.fileBytes.size());
}

} // namespace

bool addTextNote(PdfDocument* doc, const BoxRecord& rect, std::string_view contents,
                 std::string_view title, int icon, bool open, const BorderStyle& border)
{
  if (icon < 4 || icon > 10)
    return false;
  AnnotationRecord record = makeRecord(kTextNote, rect, border);
  record.contents = contents;
  record.title = title;
  record.icon = icon;
  record.open = open;
  return add(doc, std::move(record));
}

bool addPageLink(PdfDocument* doc, const BoxRecord& rect, int page, int destinationKind,
                 const BorderStyle& border)
{
  if (!doc || page < 1 || page > doc->pageCount || !validDestination(destinationKind))
    return false;
  AnnotationRecord record = makeRecord(kPageLink, rect, border);
  record.page = page;
  record.destinationKind = destinationKind;
  return add(doc, std::move(record));
}

bool addRemoteLink(PdfDocument* doc, const BoxRecord& rect, std::string_view file, int page,
                   int destinationKind, const BorderStyle& border)
{
  if (file.empty() || page < 1 || !validDestination(destinationKind))
    return false;
  AnnotationRecord record = makeRecord(kRemoteLink, rect, border);
  record.fileName = file;
  record.page = page;
  record.destinationKind = destinationKind;
  return add(doc, std::move(record));
}

bool addUriLink(PdfDocument* doc, const BoxRecord& rect, std::string_view uri,
                const BorderStyle& border)
{
  if (uri.empty())
    return false;
  AnnotationRecord record = makeRecord(kUriLink, rect, border);
  record.fileName = uri;
  return add(doc, std::move(record));
}

bool addLaunchLink(PdfDocument* doc, const BoxRecord& rect, std::string_view file,
                   const BorderStyle& border)
{
  if (file.empty())
    return false;
  AnnotationRecord record = makeRecord(kLaunchLink, rect, border);
  record.fileName = file;
  return add(doc, std::move(record));
}

bool addFileAttachment(PdfDocument* doc, const BoxRecord& rect, std::string_view path,
                       std::string_view title, std::string_view contents, int icon,
                       const BorderStyle& border)
{
  if (!inPage(doc) || icon < 0 || icon > 3 || baseName(path).empty() || !validBox(rect)
      || !validBorder(border))
    return false;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    return false;
  std::ifstream in{std::string(path), std::ios::binary};
  if (!in)
    return false;
  AnnotationRecord record = makeRecord(kFileAttachment, rect, border);
  record.fileBytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad())
    return false;
  record.fileName = baseName(path);
  record.title = title;
  record.contents = contents;
  record.icon = icon;
  return add(doc, std::move(record));
}

bool setPageBox(PdfDocument* doc, int which, const BoxRecord& box)
{
  if (!inPage(doc) || which < kCropBox || which > kArtBox || !validBox(box))
    return false;
  doc->boxes[std::size_t(which)] = box;
  return true;
}

bool setPageThumbnail(PdfDocument* doc, int imageSlot)
{
  if (!inPage(doc) || imageSlot < 0 || std::size_t(imageSlot) >= doc->images.size())
    return false;
  const ImageRecord& image = doc->images[std::size_t(imageSlot)];
  if (!image.inUse || image.xobjectIndex < 0)
    return false;
  doc->thumbnail = doc->xobjects[std::size_t(image.xobjectIndex)].objectNumber;
  return true;
}

bool setTransition(PdfDocument* doc, int kind)
{
  if (!doc || doc->state == kClosed || kind < 0 || kind > 7)
    return false;
  doc->transition = kind;
  return true;
}

bool setDisplayDuration(PdfDocument* doc, float seconds)
{
  if (!doc || doc->state == kClosed || !(seconds > 0) || !std::isfinite(seconds))
    return false;
  doc->duration = seconds;
  return true;
}

void initBorderDefaults(PdfDocument* doc)
{
  if (doc)
    doc->borderDefaults = BorderStyle{};
}

void clearAnnotations(PdfDocument* doc)
{
  if (doc)
    doc->annotations.clear();
}

void writeAnnotsArray(PdfDocument* doc)
{
  if (!doc || doc->annotations.empty())
    return;
  writeString(doc, "/Annots [");
  for (AnnotationRecord& a : doc->annotations) {
    a.objectNumber = reserveObject(doc);
    printPdf(doc, "%ld 0 R ", a.objectNumber);
  }
  writeString(doc, "]\n");
}

void writeAnnotations(PdfDocument* doc)
{
  if (!doc)
    return;
  for (AnnotationRecord& a : doc->annotations)
    writeAnnotation(doc, a);
  for (const AnnotationRecord& a : doc->annotations)
    if (a.type == kFileAttachment)
      writeEmbeddedFile(doc, a);
}

void writeBorderStyle(const AnnotationRecord& annotation, PdfDocument* doc)
{
  if (!doc || sameBorder(annotation.border, doc->borderDefaults))
    return;
  const BorderStyle& b = annotation.border;
  if (annotation.type != kFileAttachment) {
    writeString(doc, "/BS<<\n/Type/Border\n");
    if (b.style != 0)
      printPdf(doc, "/S/%s\n", kBorderStyleNames[b.style]);
    if (b.style == 1)
      printPdf(doc, "/D[%f %f]\n", b.dash[0], b.dash[1]);
    printPdf(doc, ">>\n/Border[0 0 %f", b.width);
    if (b.style == 1 && (b.dash[0] != 0 || b.dash[1] != 0))
      printPdf(doc, "[%f %f]", b.dash[0], b.dash[1]);
    writeString(doc, "]\n");
  }
  printPdf(doc, "/C[%f %f %f]\n", b.colour[0], b.colour[1], b.colour[2]);
}

void freeAnnotations(PdfDocument* doc)
{
  if (doc)
    std::vector<AnnotationRecord>().swap(doc->annotations);
}

void clearBox(BoxRecord& box)
{
  box = BoxRecord{};
}

void writeRect(const BoxRecord& box, PdfDocument* doc)
{
  printPdf(doc, "/Rect [%f %f %f %f]\n", box.llx, box.lly, box.urx, box.ury);
}

void writePageBoxes(PdfDocument* doc)
{
  if (!doc)
    return;
  for (std::size_t i = 0; i < doc->boxes.size(); ++i) {
    const BoxRecord& box = doc->boxes[i];
    if (box.llx == 0 && box.lly == 0 && box.urx == 0 && box.ury == 0)
      continue;
    printPdf(doc, kBoxFormats[i], box.llx, box.lly, box.urx, box.ury);
  }
}

void clearTransition(PdfDocument* doc)
{
  if (!doc)
    return;
  doc->transition = 0;
  doc->duration = 0;
}

void writeTransition(PdfDocument* doc)
{
  if (doc && doc->transition > 0 && doc->transition <= 7)
    printPdf(doc, "/Trans<<\n/S/%s>>\n", kTransitionNames[doc->transition]);
}

} // namespace quillet
