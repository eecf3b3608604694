#include "pdfwriter/pdf_document.h"

#include "pdfwriter/md5.h"
#include "pdfwriter/pdf_annotations.h"
#include "pdfwriter/pdf_colour.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_image.h"
#include "pdfwriter/pdf_outlines.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_security.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {
namespace {

constexpr std::size_t kInitialListCapacity = 64;
constexpr std::size_t kInitialImageSlots = 128;

void noteFailure(PdfDocument& doc, int errorNumber)
{
  doc.failed = true;
  if (doc.errorNumber == 0)
    doc.errorNumber = errorNumber;
}

std::size_t writeToFile(PdfDocument& doc, const unsigned char* bytes, std::size_t count)
{
  std::size_t done = 0;
  while (done < count) {
    ssize_t n = ::write(doc.fd, bytes + done, count - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      noteFailure(doc, n < 0 ? errno : EIO);
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  return done;
}

// The pending file is made 0600; a saved document gets the mode an ordinary create
// would give it. The mask is read, not set, so other threads are unaffected.
mode_t creationMask()
{
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("Umask:", 0) == 0)
      return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
  return 022;
}

std::tm systemLocalTime()
{
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::string dateDigits(const std::tm& t)
{
  std::string out;
  const PdfArg args[] = {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
  formatPdf(out, "%04d%02d%02d%02d%02d%02d", args);
  return out;
}

// Documents made in the same second by two processes, or twice in one
// process, must still get different identifiers.
std::uint64_t processNonce()
{
  static const std::uint64_t nonce = [] {
    std::random_device device;
    return std::uint64_t(device()) << 32 ^ device();
  }();
  return nonce;
}

std::uint64_t nextDocumentSerial()
{
  static std::atomic<std::uint64_t> serial{0};
  return ++serial;
}

void appendNumber(Md5& md5, std::uint64_t value)
{
  std::uint8_t bytes[8];
  for (int i = 0; i < 8; ++i)
    bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  md5.update(bytes, sizeof bytes);
}

void writeInfoObject(PdfDocument* doc)
{
  writeObjectHeader(doc, doc->info.objectNumber);
  writeString(doc, "<<\n");
  const struct {
    const char* key;
    const std::string& text;
  } entries[] = {
    {"/Keywords ", doc->info.keywords}, {"/Subject ", doc->info.subject},
    {"/Title ", doc->info.title},       {"/Creator ", doc->info.creator},
    {"/Author ", doc->info.author},
  };
  auto writeText = [doc](std::string_view text) {
    writeTextString(doc, doc->info.objectNumber, text);
  };
  for (const auto& entry : entries) {
    if (entry.text.empty())
      continue;
    writeString(doc, entry.key);
    writeText(entry.text);
    writeChar(doc, '\n');
  }
  for (const auto& [key, value] : doc->info.further) {
    printPdf(doc, "/%s ", key);
    if (key == "Trapped") {
      writeChar(doc, '/');
      writeName(doc, value.data(), value.size());
    } else {
      writeText(value);
    }
    writeChar(doc, '\n');
  }
  const char* lineBreak = doc->security ? "" : "\n";
  writeString(doc, "/CreationDate ");
  writeText("D:" + doc->creationDate);
  writeString(doc, lineBreak);
  writeString(doc, "/Producer ");
  writeText("Morvane Quillet");
  writeString(doc, lineBreak);
  writeString(doc, ">>\nendobj\n");
}

void writeFileTail(PdfDocument* doc)
{
  writeInfoObject(doc);
  writeFonts(doc);
  writeColorSpaces(doc);

  std::size_t leafIndex = 0;
  std::size_t pageIndex = 1;
  std::int32_t root = buildPageTree(doc, 0, leafIndex, pageIndex, doc->pageCount);

  writeObjectHeader(doc, doc->catalog);
  writeString(doc, "<<\n/Type /Catalog\n");
  writeCatalogEntries(doc);
  printPdf(doc, "/Pages %ld 0 R\n", root);
  writeOutlinesEntry(doc);
  writeString(doc, ">>\nendobj\n");
  writeOutlines(doc);

  for (std::int32_t n = 1; n <= doc->objectCount; ++n)
    if (doc->offsets.at(n) == ObjectOffsetTable::kReserved) {
      writeObjectHeader(doc, n);
      writeString(doc, "endobj\n");
    }
  if (doc->security)
    doc->encryptObject = writeEncryptDict(doc);

  std::uint64_t xref = currentPosition(doc);
  printPdf(doc, "xref\n0 %ld\n", doc->objectCount + 1);
  writeString(doc, "0000000000 65535 f \n");
  for (std::int32_t n = 1; n <= doc->objectCount; ++n)
    printPdf(doc, "%010ld 00000 n \n", static_cast<long long>(doc->offsets.at(n)));

  printPdf(doc, "trailer\n<<\n/Size %ld\n/Info %ld 0 R\n/Root %ld 0 R\n", doc->objectCount + 1,
           doc->info.objectNumber, doc->catalog);
  if (doc->security)
    printPdf(doc, "/Encrypt %ld 0 R\n", doc->encryptObject);
  if (!doc->haveFileId)
    computeFileId(doc);
  writeString(doc, "/ID[");
  writeHexString(doc, doc->fileId.data(), doc->fileId.size());
  writeHexString(doc, doc->fileId.data(), doc->fileId.size());
  printPdf(doc, "]\n>>\nstartxref\n%ld\n", static_cast<long long>(xref));
  writeString(doc, "%%EOF\n");
}

void releaseTables(PdfDocument* doc)
{
  doc->offsets.release();
  std::vector<std::int32_t>().swap(doc->contentStreams);
  std::vector<std::int32_t>().swap(doc->leaves);
  doc->pages.clear();
  doc->info = DocumentInfo{doc->info.objectNumber, {}, {}, {}, {}, {}, {}};
  std::vector<ImageRecord>().swap(doc->images);
  freeXObjectTable(doc);
  freeFontTable(doc);
  freeAnnotations(doc);
  freeOutlines(doc);
  std::string().swap(doc->uriBase);
  freeColorSpaceTable(doc);
  freePatternTable(doc);
}

// Names the finished file as the target; any earlier failure, or a failure
// here, discards it instead. The folder is not synced: a power cut just
// after Close may bring back the previous document, whole, and that sync
// alone took longer than writing a one-page report.
bool commitFile(PdfDocument* doc)
{
  if (!doc->failed && ::fsync(doc->fd) != 0)
    noteFailure(*doc, errno);
  doc->fd = -1;
  if (!doc->failed)
    if (const int error =
            doc->pending.commitTo(doc->replacedPath, tarvek::PendingFile::FolderSync::Skip))
      noteFailure(*doc, error);
  if (doc->failed) {
    doc->pending.discard();
    return false;
  }
  doc->committed = true;
  return true;
}

} // namespace

void computeFileId(PdfDocument* doc)
{
  if (!doc)
    return;
  Md5 md5;
  for (const std::string* text : {&doc->info.keywords, &doc->info.subject, &doc->info.title,
                                  &doc->info.creator, &doc->info.author})
    md5.update(*text);
  md5.update(doc->creationDate);
  appendNumber(md5, static_cast<std::uint64_t>(doc->objectCount));
  appendNumber(md5, currentPosition(doc));
  appendNumber(md5, static_cast<std::uint64_t>(doc->pageCount));
  appendNumber(md5, doc->idNonce);
  appendNumber(md5, doc->serial);
  doc->fileId = md5.finish();
  doc->haveFileId = true;
}

PdfDocument* openDocument(const std::string& path, int version)
{
  return openDocument(path, version, OpenOptions{});
}

PdfDocument* openDocument(const std::string& path, int version, const OpenOptions& options,
                          int* reason)
{
  auto refuse = [reason](int error) -> PdfDocument* {
    if (reason)
      *reason = error;
    return nullptr;
  };
  if (path.empty())
    return refuse(ENOENT);
  std::string replaced;
  if (const int error = tarvek::resolveLinks(path, replaced))
    return refuse(error);
  struct stat info;
  const bool exists = ::stat(replaced.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode))
    return refuse(EISDIR);
  // The rename at Close would replace a write-protected file without asking.
  if (exists && ::access(replaced.c_str(), W_OK) != 0)
    return refuse(errno);
  auto* doc = new PdfDocument;
  if (const int error = doc->pending.open(replaced)) {
    delete doc;
    return refuse(error);
  }
  doc->fd = doc->pending.fd();
  // A replaced file keeps its permissions; a new one gets those of an
  // ordinary create.
  ::fchmod(doc->fd, exists ? info.st_mode & 07777 : 0666 & ~creationMask());
  doc->targetPath = path;
  doc->replacedPath = replaced;
  doc->creationDate = dateDigits(options.localTime ? options.localTime() : systemLocalTime());
  doc->idNonce = options.idSeed ? options.idSeed->nonce : processNonce();
  doc->serial = options.idSeed ? options.idSeed->serial : nextDocumentSerial();
  if (version == 12 || version == 13 || version == 14)
    doc->version = version;

  doc->flags = kFlushAfterPage;
  doc->output = writeToFile;
  doc->compressionLevel = options.compressionLevel;

  doc->contentStreams.reserve(kInitialListCapacity);
  doc->pages.push(-1);
  doc->leaves.reserve(kInitialListCapacity);
  doc->leaves.push_back(reserveObject(doc));
  doc->catalog = reserveObject(doc);
  doc->info.objectNumber = reserveObject(doc);
  doc->images.resize(kInitialImageSlots);
  resetXObjectTable(doc);
  initFontTable(doc);
  initBorderDefaults(doc);
  clearTransition(doc);
  clearOutlines(doc);
  initColorSpaceTable(doc);
  initPatternTable(doc);
  doc->fontLocator = options.fontLocator;
  doc->buffer.reset(new unsigned char[PdfDocument::kInitialBuffer]);
  doc->bufferSize = PdfDocument::kInitialBuffer;

  doc->state = kOpen;
  writeHeader(doc);
  return doc;
}

std::string* infoEntry(DocumentInfo& info, std::string_view name)
{
  return name == "Keywords" ? &info.keywords
         : name == "Subject" ? &info.subject
         : name == "Title"   ? &info.title
         : name == "Creator" ? &info.creator
         : name == "Author"  ? &info.author
                             : nullptr;
}

void setInfoEntry(PdfDocument* doc, const std::string& name, const std::string& value)
{
  if (!doc || name.empty() || value.empty())
    return;
  if (std::string* target = infoEntry(doc->info, name)) {
    *target = value;
    return;
  }
  if (name == "Trapped" && value != "True" && value != "False" && value != "Unknown")
    return;
  // The writer sets these itself; a second entry would contradict it.
  if (name == "CreationDate" || name == "Producer")
    return;
  // The key is written as a name without escapes.
  if (name.find_first_of(" %()<>[]{}/#") != std::string::npos)
    return;
  doc->info.further.insert(doc->info.further.begin(), {name, value});
}

std::int32_t pageParentNode(PdfDocument* doc)
{
  if (!doc)
    return 0;
  if (doc->leafPages == 10) {
    doc->leaves.push_back(reserveObject(doc));
    doc->currentLeaf = doc->leaves.size() - 1;
    doc->leafPages = 1;
  } else {
    ++doc->leafPages;
  }
  return doc->leaves[doc->currentLeaf];
}

std::int32_t buildPageTree(PdfDocument* doc, std::int32_t parent, std::size_t& leafIndex,
                           std::size_t& pageIndex, std::int32_t count)
{
  if (!doc || count <= 0)
    return 0;
  std::vector<std::int32_t> kids;
  std::int32_t node;
  if (count <= 10) {
    node = doc->leaves.at(leafIndex++);
    for (std::int32_t i = 0; i < count; ++i)
      kids.push_back(doc->pages[pageIndex++]);
  } else {
    node = reserveObject(doc);
    std::int64_t share = 10;
    while (share * 10 < count)
      share *= 10;
    for (std::int64_t i = 0; i < count / share; ++i)
      kids.push_back(buildPageTree(doc, node, leafIndex, pageIndex, std::int32_t(share)));
    if (count % share > 0)
      kids.push_back(buildPageTree(doc, node, leafIndex, pageIndex, std::int32_t(count % share)));
  }
  writeObjectHeader(doc, node);
  printPdf(doc, "<<\n/Type /Pages\n/Count %d\n", count);
  if (parent != 0)
    printPdf(doc, "/Parent %d 0 R\n", parent);
  writeString(doc, "/Kids [");
  for (std::int32_t kid : kids)
    printPdf(doc, "%ld 0 R ", kid);
  writeString(doc, "]\n>>\nendobj\n");
  return node;
}

bool closeDocument(PdfDocument* doc)
{
  if (!doc)
    return false;
  if (doc->state == kClosed)
    return doc->committed;
  // A page left open would be a page-tree kid with no page object.
  if (doc->state == kPageInProgress) {
    while (doc->depth > 0)
      restoreGraphicsState(doc);
    writePageObject(doc);
  }
  if (doc->pageCount > 0) {
    writeFileTail(doc);
    flushOutput(doc);
  }
  doc->end = 0;
  releaseTables(doc);
  doc->state = kClosed;
  // Without a page there is no PDF file to name, and an earlier file at the
  // path stays as it was.
  if (doc->pageCount == 0)
    doc->failed = true;
  return commitFile(doc);
}

void freeDocument(PdfDocument* doc)
{
  if (!doc)
    return;
  if (doc->state != kClosed)
    releaseTables(doc);
  // The pending file goes with the document, closed and never named.
  delete doc;
}

} // namespace quillet
