#pragma once

#include "pdfwriter/pdf_document.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillet {

// Encryption with the standard security handler, revision 3 (RC4, 128-bit
// key) or revision 2 (40-bit key): once set up, every stream byte and every
// Info text is encrypted and Close writes the /Encrypt dictionary.

// Turns encryption on. keyLength must be 16 (revision 3) or 5 (revision 2;
// the interface never asks for it). Passwords count by their first
// 32 bytes; an empty owner password takes the user password, so that nobody
// opens the file with owner rights without knowing one. Computes the file
// identifier (with the document's nonce), O, the file key and U. False, with
// nothing changed, for a document that already encrypts, that has written a
// stream (a page or an image), or that writes plain streams.
bool setupEncryption(PdfDocument* doc, std::int32_t permission, int keyLength,
                     std::string_view ownerPassword, std::string_view userPassword);

// Keys the document's RC4 state for the object; every stream and every Info
// text starts a key stream of its own.
void useObjectKey(PdfDocument* doc, std::int32_t objectNumber, std::int32_t generation);

// RC4 with the current object key, continuing its key stream; `out` may be
// `bytes`.
void encryptBytes(PdfDocument* doc, const std::uint8_t* bytes, std::size_t count,
                  std::uint8_t* out);

// A text string of object n: a literal string, or under encryption sealed
// with n's key (a key stream of its own) and written in hexadecimal.
void writeTextString(PdfDocument* doc, std::int32_t objectNumber, std::string_view text);

// Writes the /Encrypt dictionary under a new number and returns it.
std::int32_t writeEncryptDict(PdfDocument* doc);

} // namespace quillet
