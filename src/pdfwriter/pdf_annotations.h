#pragma once

// Annotations of the page in progress (notes, links, file attachments) with
// their borders, and the page extras: boxes, thumbnail, transition and
// display duration.

#include "pdfwriter/pdf_document.h"

#include <string_view>

namespace quillet {

// Destination kinds of links and outline items.
enum DestinationKind : int { kDestXYZ = 0, kDestFit = 1, kDestFitH = 2, kDestFitV = 3, kDestFitB = 4 };

enum PageBox : int { kCropBox = 0, kBleedBox = 1, kTrimBox = 2, kArtBox = 3 };

// Icons of notes (4..10, 6 by default) and attachments (0..3, 2 by default).
enum AnnotationIcon : int { kIconPushpin = 2, kIconNote = 6 };

// The additions below need a page in progress and refuse, adding nothing and
// returning false: a rectangle that is not finite with llx < urx and
// lly < ury; a border style outside 0..4, a width below 0, colour
// components outside 0..1 or negative dashes; an icon of the other type;
// destination kinds outside 0..4; an empty file name or URI.
bool addTextNote(PdfDocument* doc, const BoxRecord& rect, std::string_view contents,
                 std::string_view title, int icon = kIconNote, bool open = false,
                 const BorderStyle& border = {});
// `page` counts from 1 and must already be begun (this page or an earlier one).
bool addPageLink(PdfDocument* doc, const BoxRecord& rect, int page, int destinationKind,
                 const BorderStyle& border = {});
// Page `page` (from 1) of the PDF file `file`.
bool addRemoteLink(PdfDocument* doc, const BoxRecord& rect, std::string_view file, int page,
                   int destinationKind, const BorderStyle& border = {});
bool addUriLink(PdfDocument* doc, const BoxRecord& rect, std::string_view uri,
                const BorderStyle& border = {});
bool addLaunchLink(PdfDocument* doc, const BoxRecord& rect, std::string_view file,
                   const BorderStyle& border = {});
// Reads the file at `path` now and embeds its bytes under its own file name;
// refused when the file cannot be read.
bool addFileAttachment(PdfDocument* doc, const BoxRecord& rect, std::string_view path,
                       std::string_view title, std::string_view contents,
                       int icon = kIconPushpin, const BorderStyle& border = {});

// Sets one of the page's Crop, Bleed, Trim and Art boxes (kCropBox...);
// refused as rectangles above.
bool setPageBox(PdfDocument* doc, int which, const BoxRecord& box);
// The page's thumbnail: an image slot from addImage.
bool setPageThumbnail(PdfDocument* doc, int imageSlot);
// 0 none, 1 Split, 2 Blinds, 3 Box, 4 Wipe, 5 Dissolve, 6 Glitter, 7 R; for
// every page from here on.
bool setTransition(PdfDocument* doc, int kind);
// Seconds above 0, finite; for every page from here on.
bool setDisplayDuration(PdfDocument* doc, float seconds);

void initBorderDefaults(PdfDocument* doc);
// Empties the list; beginPage runs it.
void clearAnnotations(PdfDocument* doc);
// The page object's "/Annots [...]"; gives each annotation its number.
void writeAnnotsArray(PdfDocument* doc);
// The annotation objects, then the attachments' embedded files.
void writeAnnotations(PdfDocument* doc);
void writeBorderStyle(const AnnotationRecord& annotation, PdfDocument* doc);
void freeAnnotations(PdfDocument* doc);

void clearBox(BoxRecord& box);
void writeRect(const BoxRecord& box, PdfDocument* doc);
// The page object's set boxes.
void writePageBoxes(PdfDocument* doc);
void clearTransition(PdfDocument* doc);
void writeTransition(PdfDocument* doc);

} // namespace quillet
