#pragma once

// Checks on a picture file from outside before any decoder sees it.

#include <string>

namespace tarvek {

// Why the file must not reach a decoder, or "" when nothing is wrong or the
// file is no PNG. A PNG is refused when a chunk claims more bytes than the
// file holds, the last one included when its data is cut short (a decoder
// would allocate the claim before reading), or when its text and profile
// chunks (tEXt, zTXt, iTXt, iCCP) hold more than kMostPictureTextBytes
// (runtime/picture_budget.h) together, unpacked. The file is read in small
// pieces, never whole, and no more text is unpacked than the limit.
std::string imageFileProblem(const std::string& path);

} // namespace tarvek
