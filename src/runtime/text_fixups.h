#pragma once

#include "runtime/file_status.h"

#include <string>

namespace tarvek {

// Rewrites a finished text file. Writers call stripCarriageReturns first,
// then fixDecimalComma. Each does nothing (no rewrite: inode and time stay)
// when its switch is off, the file is missing or empty, or it holds nothing to
// change; otherwise the edited bytes (no code page, UTF-8 passes through) are
// saved as by AtomicFile, so a failure keeps the old file and returns why.

// lfLineEnds: the "LINUX / UNIX line breaks" option. Removes every CR.
FileStatus stripCarriageReturns(const std::string& path, bool lfLineEnds);

// decimalComma: the locale writes a decimal comma. Turns every "," into "."
// throughout the file, in texts as well as numbers.
FileStatus fixDecimalComma(const std::string& path, bool decimalComma);

} // namespace tarvek
