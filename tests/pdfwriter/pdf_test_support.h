#pragma once

#include "pdfwriter/pdf_document.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quillet::test {

// Options that make a document's bytes repeat: creation time
// 2026-12-10 12:00:00, a fixed identifier seed, and the compression level.
OpenOptions fixedOptions(int compressionLevel = 6, std::uint64_t nonce = 1);

// A written file taken apart through its cross-reference table.
class PdfBytes {
public:
  explicit PdfBytes(std::string bytes);

  const std::string& bytes() const { return m_bytes; }
  // Object number -> offset of "N 0 obj", as the xref table says.
  const std::map<int, std::int64_t>& offsets() const { return m_offsets; }
  int size() const { return m_size; }
  // The object's bytes from "N 0 obj" up to the next object (or "xref").
  std::string object(int n) const;
  // The data between "stream\n" and "endstream", as written.
  std::string rawStreamData(int n) const;
  // The same, inflated when Flate.
  std::string streamData(int n) const;
  // Every content stream of every page, inflated and joined in order.
  std::string pageContents() const;
  // The object numbers in "/Contents [...]" of page object n.
  std::vector<int> contentsOf(int page) const;
  // Object numbers of every "/Type /Page" object in file order.
  std::vector<int> pageObjects() const;
  // The integer after "/Key " in the object's text, -1 when absent.
  static long long intEntry(const std::string& objectText, const std::string& key);

private:
  std::string m_bytes;
  std::map<int, std::int64_t> m_offsets;
  int m_size = 0;
};

std::string inflate(const std::string& data);

// Lower-case hex of count bytes.
std::string hexOf(const std::uint8_t* bytes, std::size_t count);

// Opens a document in a scratch folder with fixedOptions, runs `body` on it,
// closes it (expecting success) and returns the file's bytes.
std::string writeDocument(const std::function<void(PdfDocument*)>& body, int compressionLevel = 6,
                          int version = 13);
// The same with options of the caller's (fixedOptions with a font locator,
// say).
std::string writeDocument(const std::function<void(PdfDocument*)>& body,
                          const OpenOptions& options, int version = 13);

// Appends a font record of any kind, as only callers of the writer make
// Type 1 and CID records: widths 500 + code, WinAnsi, Nonsymbolic, the
// record's default metrics. Returns its font ID.
int addFontRecord(PdfDocument* doc, int kind, const std::string& name, int cidOrdering = 0,
                  const std::string& cmapName = {});

// Pixels of a w x h RGB image, top row first.
std::vector<unsigned char> gradientPixels(int w, int h);
std::vector<unsigned char> halvesPixels(int w, int h);

// Our own decryption of an encrypted file's strings and streams: RC4 with
// the key of `object` made from the 16-byte file key.
struct Decrypter {
  std::array<std::uint8_t, 16> key;
  std::string operator()(int object, std::string data) const;
};

// The bytes of a text of hexadecimal digit pairs.
std::string fromHexText(const std::string& text);

// Keys of annotations, page extras, the catalog's extras, outlines and colour
// resources: only the writer's internal operations set them.
inline constexpr const char* kOptionalPartKeys[] = {
    "/Annots",  "/Trans",      "/Dur",      "/Thumb", "/CropBox",   "/BleedBox", "/TrimBox",
    "/ArtBox",  "/OpenAction", "/PageMode", "/URI",   "/Outlines", "/ColorSpace", "/Pattern"};

// The file with every stream's data cut out, so that a search finds only
// dictionary text.
std::string withoutStreamData(const std::string& bytes);

// Counts the non-overlapping occurrences of `needle`.
int countOf(const std::string& haystack, const std::string& needle);

} // namespace quillet::test
