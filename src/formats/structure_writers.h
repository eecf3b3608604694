#pragma once

#include "formats/export_context.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tarvek {

// Each writer saves one file at path through a temporary file: a failure
// throws RuntimeError with the sentence for the user and leaves the old file
// as it was.

// XMOL: count, empty comment, label and x, y, z per atom.
void exportXMOL(const ExportContext& ctx, const std::string& path);

// MDL molfile; asks for the one bond order of all bonds.
void exportMOL(const ExportContext& ctx, const std::string& path);
// Why the structure cannot go to a MOL file (too many atoms or bonds), so the
// command can refuse before its dialog; nothing when it can.
std::optional<std::string> molLimitMessage(const ExportContext& ctx);

// PDB; asks whether to add the connection table. An imported part is copied
// from its source file instead.
void exportPDB(const ExportContext& ctx, const std::string& path);
// value in width characters: decimal below 10^width, then hybrid-36
// (upper-case letters first, then lower-case). Throws RuntimeError beyond.
std::string encodeHybrid36(std::int64_t value, int width);

// Bond table: the count, then both end points and atom numbers per bond.
void exportBonds(const ExportContext& ctx, const std::string& path);

// "Bond Length = 1.42, Bounding Box [12.0 x 12.346 x 0.0]".
std::string bondStatisticsText(const ExportContext& ctx);
// The statistics text, worked out under the wait cursor, to the panel.
void showBondStatistics(const ExportContext& ctx,
                        const std::function<void(const std::string&)>& panelText);

} // namespace tarvek
