#pragma once

#include "pdfwriter/font_locator.h"
#include "pdfwriter/pdf_tables.h"
#include "pdfwriter/rc4.h"
#include "runtime/pending_file.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillet {

struct PdfDocument;

// Hands `count` bytes to the file; returns how many were written. A short
// count stops all further output and makes closeDocument fail.
using OutputRoutine = std::size_t (*)(PdfDocument& doc, const unsigned char* bytes,
                                      std::size_t count);

// zlib's stream record, kept out of this header.
struct FlateStream;
struct FlateStreamDeleter {
  void operator()(FlateStream* stream) const;
};

// kDefiningForm while a form XObject's stream is written.
enum DocumentState : int { kClosed = 1, kOpen = 2, kPageInProgress = 4, kDefiningForm = 16 };

enum ContentState : int { kNoContent = 0, kInStream = 1, kInPath = 2, kInText = 3 };

enum DocumentFlags : std::uint32_t { kFlushAfterPage = 1u << 0 };

enum ProcSetBits : std::uint32_t { kImageB = 1, kImageC = 2, kImageI = 4, kText = 8 };

// Colour kinds of the colour state and of colour-space entries; a stencil
// mask is an image kind only.
enum ColourKind : int {
  kGray = 0,
  kRGB = 1,
  kCMYK = 2,
  kCalGray = 3,
  kCalRGB = 4,
  kLab = 5,
  kIndexed = 6,
  kPattern = 7,
  kSeparation = 8,
  kInvalidColourSpace = 9,
  kStencilMask = 9
};

// Six-element PDF matrix [a b c d e f], row-vector convention.
struct Matrix {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
  bool operator==(const Matrix&) const = default;
};

// Line drawing state of a save level; `ctm` is the current transformation.
struct LineState {
  Matrix ctm;
  float width = 1;
  int cap = 0;
  int join = 0;
  float miterLimit = 10;
  float currentX = 0, currentY = 0;
  float subpathX = 0, subpathY = 0;
  bool dashOn = false;
  // -1 while never set on the page.
  float flatness = -1;
};

// Text state of a save level. The matrix's e and f are the text position;
// the line start is where the current line began.
struct TextState {
  float charSpacing = 0;
  float wordSpacing = 0;
  float leading = 0;
  float rise = 0;
  int fontIndex = -1;
  float fontSize = 0;
  Matrix matrix;
  float lineX = 0, lineY = 0;
};

// A gray keeps its value in the first three components too. A spot colour
// keeps its tint in c[0] and its colour-space entry in `index`; a pattern
// colour its pattern in `index`.
struct Colour {
  int kind = kGray;
  float c[4] = {0, 0, 0, 0};
  std::int32_t index = 0;
};

struct ColourState {
  Colour fill;
  Colour stroke;
};

// Values stored but not yet written to the content stream, kept per save
// level because Q brings back the outer level's values in the reader. All
// start set, so a document's first stroke writes black and width 1.
struct PendingFlags {
  bool fill = true;
  bool textFill = true;
  bool stroke = true;
  bool lineWidth = true;
};

struct GraphicsLevel {
  LineState line;
  TextState text;
  ColourState colour;
  PendingFlags pending;
};

class JpegRowSource;

struct ImageRecord {
  float width = 0;
  float height = 0;
  std::int32_t bitsPerComponent = 0;
  std::int32_t components = 0;
  std::int32_t colourKind = kGray;
  bool inUse = false;
  std::int32_t stripRows = 0;
  std::int32_t xobjectIndex = -1;
  const unsigned char* pixels = nullptr;
  std::int64_t size = 0;
  // Set instead of pixels for rows that arrive while they are compressed.
  JpegRowSource* rows = nullptr;
};

enum XObjectFlags : std::uint32_t { kXObjectInUse = 1, kXObjectOnPage = 2 };

// Image XObjects are placed once; a form is placed as often as asked; kind 4
// is never placed.
enum XObjectKind : std::int32_t { kImageXObject = 1, kFormXObject = 2, kUnplacedXObject = 4 };

struct XObjectEntry {
  std::int32_t objectNumber = 0;
  std::uint32_t flags = 0;
  std::int32_t kind = 0;
};

struct TrueTypeData;

// The records the system adds are TrueType; the others are written for
// callers of the writer that make such records themselves.
enum FontKind : int {
  kType1Font = 0,
  kCompactType1Font = 1,
  kTrueTypeFont = 2,
  kMultipleMasterFont = 3,
  kCidType0Font = 6,
};

// One font of the document; its index i is its ID and its resource name /F<i>.
// A style variant shares the font file and parsed tables of the font it was
// made from.
struct FontRecord {
  std::int32_t objectNumber = 0;
  bool variant = false;
  std::string name;
  // -1: no encoding (symbolic fonts); otherwise a slot of the encoding table.
  std::int32_t encodingIndex = 0;
  bool usedOnPage = false;
  bool embed = false;
  std::uint32_t flags = 0;
  std::int32_t kind = kTrueTypeFont;
  std::string postScriptName;
  std::string encodingName;
  float italicAngle = 0; // degrees
  bool fixedPitch = false;
  // In 1/1000 em, like all metrics here.
  float boundingBox[4] = {-50, -200, 1000, 900};
  std::int32_t underlinePosition = -100;
  std::int32_t underlineThickness = 50;
  std::int32_t capHeight = 700;
  std::int32_t xHeight = 0;
  std::int32_t ascent = 800;
  std::int32_t descent = -200;
  std::int32_t stemV = 0;
  std::int32_t stemH = 0;
  std::array<std::int32_t, 256> widths{};
  std::shared_ptr<const std::vector<std::uint8_t>> fontFile;
  // Released once the font is written.
  std::shared_ptr<const TrueTypeData> tables;
  // The UTF-16 units drawn with an embedded CJK font, in first-use order:
  // unit i is written as code i + 1 (code 0 is the .notdef glyph).
  std::vector<std::uint16_t> usedCharacters;
  // The Windows character set (128, 129, 134, 136 for CJK fonts, else 0);
  // cjk is set for every set but 0.
  std::uint8_t characterSet = 0;
  bool cjk = false;
  // Of a CID-keyed Type 0 font: its CMap ("UniJIS-UCS2-H") and character
  // collection (0 GB1, 1 CNS1, 2 Japan1, 3 Korea1, 4 Identity).
  std::string cmapName;
  std::int32_t cidOrdering = 0;
};

// Byte codes of a simple font: glyph names (nullptr for ".notdef") and,
// where known, Unicode values. Without a PDF name it is written as a
// /Differences object.
struct EncodingRecord {
  const char* key = nullptr;
  const char* pdfName = nullptr;
  const std::array<std::uint16_t, 256>* unicode = nullptr;
  const std::array<const char*, 256>* glyphNames = nullptr;
};

// The standard security handler: RC4 with a 16-byte file key (revision 3)
// or a 5-byte one (revision 2).
struct SecurityHandler {
  int keyLength = 16;
  std::int32_t permission = 0;
  std::string ownerPassword;
  std::string userPassword;
  std::array<std::uint8_t, 32> owner{};
  std::array<std::uint8_t, 32> user{};
  std::array<std::uint8_t, 16> key{};
  std::int32_t objectNumber = 0;
  std::int32_t generation = 0;
  Rc4 rc4;
};

// The Info texts; an empty text is absent. `further` holds the entries of
// other keys, newest first.
struct DocumentInfo {
  std::int32_t objectNumber = 0;
  std::string keywords, subject, title, creator, author;
  std::vector<std::pair<std::string, std::string>> further;
};

// A rectangle in points; four zeros is a box that is not set.
struct BoxRecord {
  float llx = 0, lly = 0, urx = 0, ury = 0;
};

enum AnnotationType : int {
  kTextNote = 0,
  kPageLink = 1,
  kRemoteLink = 2,
  kUriLink = 3,
  kLaunchLink = 4,
  kFileAttachment = 5
};

// An annotation's border: style 0 solid, 1 dashed, 2 beveled, 3 inset, 4
// underline; width in points; colour RGB 0..1; dash lengths in points.
struct BorderStyle {
  int style = 0;
  float width = 1;
  float colour[3] = {0, 0, 0};
  float dash[2] = {3, 3};
};

// One annotation of the page in progress. `fileName` is the file of remote
// and launch links and attachments, the URI of a URI link.
struct AnnotationRecord {
  std::int32_t objectNumber = 0;
  int type = kTextNote;
  BoxRecord rect;
  int icon = 0;
  std::string fileName;
  std::string contents;
  std::string title;
  bool open = false;
  int destinationKind = 0;
  std::int32_t page = 0;
  BorderStyle border;
  // The attachment's bytes and the number of their embedded-file stream.
  std::vector<unsigned char> fileBytes;
  std::int32_t embeddedFile = 0;
};

// One item of the document outline; item 0 is the root. Previous and next
// are object numbers, parent and children item indices.
struct OutlineItem {
  std::int32_t objectNumber = 0;
  std::int32_t previous = 0;
  std::int32_t next = 0;
  std::int32_t parent = 0;
  std::int32_t firstChild = 0;
  std::int32_t lastChild = 0;
  std::string title;
  std::int32_t count = 0;
  bool open = false;
  int destinationKind = 0;
  std::int32_t page = 0;
};

// A /Separation (spot colour) or /Pattern colour space of the document,
// named /CS<i> in page resources.
struct ColorSpaceRecord {
  std::int32_t objectNumber = 0;
  bool usedOnPage = false;
  std::string name;
  int kind = kSeparation;
  Colour alternate;
};

// A tiling pattern, named /P<i> in page resources; paint type 1 coloured,
// 2 uncoloured.
struct PatternRecord {
  std::int32_t objectNumber = -1;
  int paintType = 1;
  bool usedOnPage = false;
};

// What tests replace; ordinary documents use the defaults.
struct OpenOptions {
  // 0 writes every stream plain; only tests ask for it.
  int compressionLevel = 6;
  // Local time at open; localtime_r of the system clock when empty.
  std::function<std::tm()> localTime;
  // Mixed into the file identifier; by default a per-process random nonce
  // and a count of the documents opened by the process.
  struct IdSeed {
    std::uint64_t nonce = 0;
    std::uint64_t serial = 0;
  };
  std::optional<IdSeed> idSeed;
  // Where fonts are found; fontconfig's when empty, made at the first font.
  std::shared_ptr<const FontLocator> fontLocator;
};

// One PDF file being written: its output buffer, object table, pages, graphics
// and text state, images, fonts and, when asked for, encryption. Made by openDocument, ended by closeDocument, released by
// freeDocument. Every operation of the writer takes it first and does nothing
// when it is null.
struct PdfDocument {
  static constexpr int kMaxDepth = 9;
  static constexpr std::size_t kInitialBuffer = 65536;

  // Output file: unnamed in the target's folder, named over it at Close; fd
  // is the pending file's descriptor.
  int fd = -1;
  // The path as given, for messages, and the file Close replaces: the path
  // with its symbolic links followed, so that a link stays a link.
  std::string targetPath;
  std::string replacedPath;
  tarvek::PendingFile pending;
  bool failed = false;
  // The system's error number of the first failure of the file, or 0.
  int errorNumber = 0;
  bool committed = false;
  OutputRoutine output = nullptr;

  std::unique_ptr<unsigned char[]> buffer;
  std::size_t bufferSize = 0;
  std::size_t end = 0;
  std::uint64_t flushed = 0;
  std::uint32_t flags = 0;
  int compressionLevel = 6;
  std::unique_ptr<FlateStream, FlateStreamDeleter> flate;
  bool inFlateStream = false;
  std::string scratch;

  std::int32_t objectCount = 0;
  ObjectOffsetTable offsets;
  std::vector<std::int32_t> contentStreams;
  std::int32_t streamLengthObject = 0;
  std::uint64_t streamStart = 0;
  int contentState = kNoContent;

  int state = kOpen;
  int version = 0;
  std::string creationDate;
  std::array<std::uint8_t, 16> fileId{};
  bool haveFileId = false;
  std::uint64_t idNonce = 0;
  std::uint64_t serial = 0;
  std::int32_t pageCount = 0;
  PointerVector pages;
  std::vector<std::int32_t> leaves;
  std::size_t currentLeaf = 0;
  int leafPages = 0;
  std::int32_t catalog = 0;
  DocumentInfo info;

  float mediaWidth = 0;
  float mediaHeight = 0;
  std::int32_t pageObject = 0;
  std::uint32_t procSet = 0;
  int depth = 0;
  std::array<GraphicsLevel, kMaxDepth + 1> levels;

  std::vector<ImageRecord> images;
  std::vector<XObjectEntry> xobjects;
  std::size_t xobjectCount = 0;

  std::vector<FontRecord> fonts;
  std::array<const EncodingRecord*, 128> encodings{};
  std::shared_ptr<const FontLocator> fontLocator;
  // Leading, word and character spacing written in the open text object.
  bool textStateWritten = false;
  bool underline = false;
  bool overline = false;
  bool strikeThrough = false;
  // A form is drawn in the page's current state; cleared, the state is reset
  // to the defaults inside the form's save.
  bool keepDrawingState = true;
  // The image slot of the form being defined, in state kDefiningForm.
  int definingForm = -1;

  // Present while encrypting.
  std::unique_ptr<SecurityHandler> security;
  std::int32_t encryptObject = 0;
  // Bytes written outside a Flate stream are encrypted too.
  bool encryptPlainBytes = false;

  // Page extras: Crop, Bleed, Trim and Art boxes and the thumbnail, reset at
  // every page begin; transition and duration hold for every page.
  std::array<BoxRecord, 4> boxes{};
  std::int32_t thumbnail = -1;
  int transition = 0;
  float duration = 0;
  BorderStyle borderDefaults;
  std::vector<AnnotationRecord> annotations;

  // Catalog values: page mode, open action and URI base; none by default.
  int pageMode = 0;
  int openAction = 0;
  std::string uriBase;
  // Empty until the first item; then item 0 is the root.
  std::vector<OutlineItem> outlines;

  std::vector<ColorSpaceRecord> colourSpaces;
  std::vector<PatternRecord> patterns;

  GraphicsLevel& level() { return levels[depth]; }
};

// Creates the file's temporary beside `path` and writes the header. Version
// 12, 13 or 14 selects PDF 1.2, 1.3 or 1.4 (another value writes a 1.2
// header). Null, with the system's error number in `reason` when given, when
// the temporary cannot be created, `path` is a folder or an existing file
// there may not be written; an existing file stays untouched until
// closeDocument succeeds, and then keeps its permissions. A symbolic link at
// `path` stays a link to the new file.
PdfDocument* openDocument(const std::string& path, int version);
PdfDocument* openDocument(const std::string& path, int version, const OpenOptions& options,
                          int* reason = nullptr);

// The Info entry called `name` ("Keywords", "Subject", "Title", "Creator" or
// "Author"); null for any other name.
std::string* infoEntry(DocumentInfo& info, std::string_view name);

// name "Keywords", "Subject", "Title", "Creator" or "Author" replaces that
// text. Any other name is kept beside them, newest first: "Trapped" only with
// "True", "False" or "Unknown"; a name holding a blank or one of %()<>[]{}/#
// is ignored, and so are "CreationDate" and "Producer", which the writer
// sets. An empty name or value changes nothing.
void setInfoEntry(PdfDocument* doc, const std::string& name, const std::string& value);

// The leaf of the page tree that takes the page being finished (ten pages
// per leaf).
std::int32_t pageParentNode(PdfDocument* doc);

// Writes the page tree of `count` pages starting at leaf `leafIndex` and page
// `pageIndex` (both advanced), children before parents; returns the node's
// object number. `parent` 0 marks the root.
std::int32_t buildPageTree(PdfDocument* doc, std::int32_t parent, std::size_t& leafIndex,
                           std::size_t& pageIndex, std::int32_t count);

// The file identifier: an MD5 of the Info texts, the creation date and the
// document's state, including its nonce and serial. Computed once.
void computeFileId(PdfDocument* doc);

// Finishes a page still in progress, writes the file tail and renames the
// file over the target. True on success. A document without a page fails;
// on any failure the temporary goes and an earlier file at the path stays
// as it was.
bool closeDocument(PdfDocument* doc);

// Releases the document; without a successful close its temporary is removed.
void freeDocument(PdfDocument* doc);

} // namespace quillet
