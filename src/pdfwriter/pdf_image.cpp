#include "pdfwriter/pdf_image.h"

#include "pdfwriter/jpeg_memory.h"
#include "pdfwriter/pdf_colour.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_security.h"

#include <cmath>

namespace quillet {
namespace {

constexpr std::size_t kInitialXObjects = 128;
// libjpeg refuses larger sides.
constexpr int kMaxJpegSide = 65500;
constexpr double kTiny = 0.000015;

int findFreeSlot(PdfDocument* doc)
{
  for (std::size_t i = 0; i < doc->images.size(); ++i)
    if (!doc->images[i].inUse)
      return static_cast<int>(i);
  std::size_t used = doc->images.size();
  doc->images.resize(used == 0 ? 1 : used * 2);
  return static_cast<int>(used);
}

// Takes a free slot for the image and writes it; -1 with the slot left
// free when it cannot be compressed.
int storeImage(PdfDocument* doc, const ImageRecord& record, int quality)
{
  const int slot = findFreeSlot(doc);
  ImageRecord& image = doc->images[std::size_t(slot)];
  image = record;
  image.inUse = true;
  if (!writeImageXObject(doc, slot, quality)) {
    image = ImageRecord{};
    return -1;
  }
  return slot;
}

} // namespace

int addImage(PdfDocument* doc, std::string_view kind, std::string_view source,
             const unsigned char* pixels, std::int64_t size, int width, int height,
             int components, int bitsPerComponent, std::string_view options, int quality)
{
  if (!doc || doc->state == kClosed || kind.empty() || source.empty())
    return -1;
  if (kind != "raw" || !pixels)
    return -1;
  // No option is carried out (nothing makes soft masks), so none is taken.
  if (!options.empty())
    return -1;
  // Only 8-bit gray and RGB are compressed; anything else would be read with
  // the wrong number of bytes per pixel.
  int colourKind;
  if (components == 1)
    colourKind = kGray;
  else if (components == 3)
    colourKind = kRGB;
  else
    return -1;
  if (bitsPerComponent != 8 || width <= 0 || height <= 0 || width > kMaxJpegSide
      || height > kMaxJpegSide)
    return -1;
  if (source != "memory" && source != "memory32")
    return -1;
  std::int64_t rowBytes = (std::int64_t(width) * components * bitsPerComponent + 7) / 8;
  if (size != std::int64_t(height) * rowBytes)
    return -1;

  ImageRecord image;
  image.width = static_cast<float>(width);
  image.height = static_cast<float>(height);
  image.bitsPerComponent = bitsPerComponent;
  image.components = components;
  image.colourKind = colourKind;
  image.pixels = pixels;
  image.size = size;
  return storeImage(doc, image, quality);
}

int addImageRows(PdfDocument* doc, JpegRowSource& rows, int width, int height, int quality)
{
  if (!doc || doc->state == kClosed || width <= 0 || height <= 0 || width > kMaxJpegSide
      || height > kMaxJpegSide)
    return -1;
  ImageRecord image;
  image.width = static_cast<float>(width);
  image.height = static_cast<float>(height);
  image.bitsPerComponent = 8;
  image.components = 3;
  image.colourKind = kRGB;
  image.size = std::int64_t(width) * height * 3;
  image.rows = &rows;
  return storeImage(doc, image, quality);
}

bool writeImageXObject(PdfDocument* doc, int slot, int quality)
{
  if (!doc || slot < 0 || std::size_t(slot) >= doc->images.size() || !doc->images[slot].inUse)
    return false;
  ImageRecord& image = doc->images[slot];
  int width = static_cast<int>(image.width);
  int height = static_cast<int>(image.height);
  // Compressed first, so a refused image leaves the file and the page as they were.
  JpegData jpeg =
      compressJpeg({image.pixels, width, height, image.components, quality, image.rows});
  if (!jpeg.bytes)
    return false;

  bool inPage = doc->state == kPageInProgress;
  if (inPage)
    writeStreamEnd(doc);
  std::int32_t object = writeObjectHeader(doc, 0);
  image.xobjectIndex = addXObject(doc, kImageXObject, object);
  printPdf(doc, "<<\n/Type /XObject\n/Subtype /Image\n/Width %d\n/Height %d\n/BitsPerComponent %d\n",
           width, height, image.bitsPerComponent);
  printPdf(doc, "/ColorSpace/%s\n", image.colourKind == kGray ? "DeviceGray" : "DeviceRGB");
  std::int32_t length = reserveObject(doc);
  printPdf(doc, "/Filter [/DCTDecode]\n/Length %ld 0 R\n>>\nstream\n", length);
  // JPEG data is not deflated, so it is sealed as plain bytes.
  useObjectKey(doc, object, 0);
  doc->encryptPlainBytes = true;
  writeBytes(doc, jpeg.bytes.get(), jpeg.size);
  doc->encryptPlainBytes = false;
  writeString(doc, "endstream\nendobj\n");
  writeObjectHeader(doc, length);
  printPdf(doc, "%ld\nendobj\n", static_cast<long long>(jpeg.size));
  if (inPage)
    beginContentStream(doc);
  return true;
}

int defineForm(PdfDocument* doc, const std::array<float, 4>& boundingBox,
               std::string_view content)
{
  if (!doc || doc->state == kClosed || doc->state == kDefiningForm)
    return -1;
  for (float v : boundingBox)
    if (!std::isfinite(v))
      return -1;
  const int slot = findFreeSlot(doc);
  ImageRecord& form = doc->images[std::size_t(slot)];
  form = ImageRecord{};
  form.inUse = true;
  form.width = boundingBox[2] - boundingBox[0];
  form.height = boundingBox[3] - boundingBox[1];
  // The form is an object of its own, so the page's stream pauses round it.
  const DocumentState previous = static_cast<DocumentState>(doc->state);
  if (previous == kPageInProgress)
    writeStreamEnd(doc);
  doc->state = kDefiningForm;
  doc->definingForm = slot;
  const std::int32_t object = reserveObject(doc);
  form.xobjectIndex = addXObject(doc, kFormXObject, object);
  std::string dictionary;
  const PdfArg args[] = {boundingBox[0], boundingBox[1], boundingBox[2], boundingBox[3]};
  formatPdf(dictionary, "/Type /XObject\n/Subtype /Form\n/BBox [%f %f %f %f]\n/Resources<<>>\n",
            args);
  writeStreamObject(doc, object, dictionary, content.data(), content.size());
  doc->definingForm = -1;
  doc->state = previous;
  if (previous == kPageInProgress)
    beginContentStream(doc);
  return slot;
}

namespace {

// The form path of placeImage: the slot stays in use and the procedure
// sets are left as they are.
void placeForm(PdfDocument* doc, const ImageRecord& form, float x, float y, float scaleX,
               float scaleY, float degrees)
{
  const double a = degrees * 0.017453292519943295;
  endText(doc);
  if (doc->contentState == kNoContent)
    beginContentStream(doc);
  // q ... Q written here and the level put back by hand, as for images, so
  // that a form placed at the deepest save level still balances.
  const GraphicsLevel outer = doc->level();
  writeString(doc, "q\n");
  const double c = std::cos(a), s = std::sin(a);
  concatMatrix(doc, {scaleX * c, scaleX * s, -scaleY * s, scaleY * c, x, y});
  if (!doc->keepDrawingState)
    resetDrawingState(doc);
  printPdf(doc, "/I%d Do\n", form.xobjectIndex);
  doc->xobjects[std::size_t(form.xobjectIndex)].flags |= kXObjectOnPage;
  writeString(doc, "Q\n");
  doc->level() = outer;
}

} // namespace

void placeImage(PdfDocument* doc, int slot, float x, float y, float scaleX, float scaleY,
                float degrees)
{
  if (!doc || slot < 0 || std::size_t(slot) >= doc->images.size() || !doc->images[slot].inUse)
    return;
  const int xobject = doc->images[slot].xobjectIndex;
  const std::int32_t kind = xobject >= 0 && std::size_t(xobject) < doc->xobjectCount
                                ? doc->xobjects[std::size_t(xobject)].kind
                                : kImageXObject;
  if (kind == kUnplacedXObject || (doc->state == kDefiningForm && slot == doc->definingForm))
    return;
  const bool drawable = doc->state == kPageInProgress && std::fabs(scaleX) >= kTiny
                        && std::fabs(scaleY) >= kTiny && std::isfinite(scaleX)
                        && std::isfinite(scaleY) && std::isfinite(x) && std::isfinite(y)
                        && std::isfinite(degrees);
  if (kind == kFormXObject) {
    if (drawable)
      placeForm(doc, doc->images[slot], x, y, scaleX, scaleY, degrees);
    return;
  }
  ImageRecord image = doc->images[slot];
  // The slot is spent whether or not anything is drawn.
  doc->images[slot] = ImageRecord{};
  if (!drawable)
    return;

  double a = degrees * 0.017453292519943295;
  doc->procSet |= image.colourKind == kGray ? kImageB : kImageC;
  endText(doc);
  if (doc->contentState == kNoContent)
    beginContentStream(doc);

  // q ... Q around the image directly rather than through the save stack, so
  // an image placed at the deepest save level still balances.
  image.stripRows = static_cast<std::int32_t>(image.height);
  double w = double(scaleX) * image.width;
  double h = double(scaleY) * image.stripRows;
  Matrix m{w * std::cos(a), w * std::sin(a), -h * std::sin(a), h * std::cos(a), x, y};
  writeString(doc, "q\n");
  Matrix outer = doc->level().line.ctm;
  concatMatrix(doc, m);
  printPdf(doc, "/I%d Do\n", image.xobjectIndex);
  doc->xobjects[image.xobjectIndex].flags |= kXObjectOnPage;
  writeString(doc, "Q\n");
  doc->level().line.ctm = outer;
}

Matrix multiply(const Matrix& a, const Matrix& b)
{
  return {a.a * b.a + a.b * b.c,
          a.a * b.b + a.b * b.d,
          a.c * b.a + a.d * b.c,
          a.c * b.b + a.d * b.d,
          a.e * b.a + a.f * b.c + b.e,
          a.e * b.b + a.f * b.d + b.f};
}

void concatMatrix(PdfDocument* doc, const Matrix& m)
{
  if (!doc || doc->state != kPageInProgress || m == Matrix{})
    return;
  endText(doc);
  printPdf(doc, "%f %f %f %f %f %f cm\n", m.a, m.b, m.c, m.d, m.e, m.f);
  doc->level().line.ctm = multiply(m, doc->level().line.ctm);
}

void resetXObjectTable(PdfDocument* doc)
{
  if (!doc)
    return;
  doc->xobjectCount = 0;
  if (doc->xobjects.empty())
    doc->xobjects.resize(kInitialXObjects);
  for (XObjectEntry& entry : doc->xobjects)
    entry.flags = 0;
}

int addXObject(PdfDocument* doc, std::int32_t kind, std::int32_t objectNumber)
{
  if (!doc)
    return -1;
  if (doc->xobjectCount == doc->xobjects.size())
    doc->xobjects.resize(doc->xobjects.empty() ? kInitialXObjects : doc->xobjects.size() * 2);
  doc->xobjects[doc->xobjectCount] = {objectNumber, kXObjectInUse, kind};
  return static_cast<int>(doc->xobjectCount++);
}

void writeXObjectResources(PdfDocument* doc)
{
  if (!doc)
    return;
  bool any = false;
  for (std::size_t k = 0; k < doc->xobjectCount; ++k) {
    XObjectEntry& entry = doc->xobjects[k];
    if (!(entry.flags & kXObjectOnPage))
      continue;
    if (!any)
      writeString(doc, "/XObject<<\n");
    any = true;
    printPdf(doc, "/I%d %ld 0 R\n", static_cast<int>(k), entry.objectNumber);
    entry.flags &= ~std::uint32_t(kXObjectOnPage);
  }
  if (any)
    writeString(doc, ">>\n");
}

void freeXObjectTable(PdfDocument* doc)
{
  if (!doc)
    return;
  std::vector<XObjectEntry>().swap(doc->xobjects);
  doc->xobjectCount = 0;
}

} // namespace quillet
