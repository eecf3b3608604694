#pragma once

#include "formats/export_context.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tarvek {

class CXXX;
struct DisplaySettings;
struct Preferences;

// Each writer saves one file at path through a temporary file: a failure
// throws RuntimeError with the sentence for the user and leaves the old file
// as it was.

// XMOL: count, empty comment, label and x, y, z per atom.
void exportXMOL(const ExportContext& ctx, const std::string& path);

// The atoms and bonds of a MOL file of the structure, read once: a command
// checks the limits on them before its dialog and writes them after it.
struct MolTables {
  ExportAtoms set;
  BigVector<ExportBond> bonds;
};
MolTables molTables(const ExportContext& ctx);

// MDL molfile; asks for the one bond order of all bonds. The first form
// reads the tables itself.
void exportMOL(const ExportContext& ctx, const std::string& path);
void exportMOL(const ExportContext& ctx, const MolTables& tables, const std::string& path);
// Why the structure cannot go to a MOL file (too many atoms or bonds), so the
// command can refuse before its dialog; nothing when it can.
std::optional<std::string> molLimitMessage(const MolTables& tables);

// PDB; asks whether to add the connection table. Each atom record names its
// element in columns 77-78. An imported part is copied from its source file
// instead.
void exportPDB(const ExportContext& ctx, const std::string& path);
// value in width characters: decimal below 10^width, then hybrid-36
// (upper-case letters first, then lower-case). Throws RuntimeError beyond.
std::string encodeHybrid36(std::int64_t value, int width);
// The same text appended to out.
void appendHybrid36(std::string& out, std::int64_t value, int width);

// MLM model file: typed atom and bond tables. A coordinate drops decimals
// until it fits its field; IDs above 9999 and coordinates whose whole part
// would run into the next field are refused.
void exportMLM(const ExportContext& ctx, const std::string& path);
// value as "0.00000", a blank in place of a missing sign, padded or cut to
// width: 1.5 gives " 1.50000  ".
std::string formatMLMNumber(float value, int width);

// CIF: a P 1 cell, the padded box of the written atoms with at least 1.7 Å
// on each side and along z at least the margins of x and y; a single-wall
// tube built from whole translational cells gets cells x its period along z,
// so its images continue it. The atoms as fractions of the cell, with the
// decimals that keep each within 0.0005 Å, each with its own site label (C1,
// C2, ...); ICSD columns with ctx.cifIcsdStyle.
void exportCIF(const ExportContext& ctx, const std::string& path);

// What the VRML writers take from the screen: display toggles and scales,
// colours and the white-background option, the inserted objects and the
// element colours and radii.
struct VrmlScene {
  const DisplaySettings& display;
  const Preferences& preferences;
  const CXXX& scene;
};

// The save dialog's filter index.
enum class VrmlVersion { Vrml2 = 1, Vrml1 = 2 };

// A ball-and-stick world: a sphere per atom, a cylinder per bond, and the
// scene's inserted cylinder or ball. From two scene lists on, atoms and bonds
// come from the scene files.
void exportVRML(const ExportContext& ctx, const VrmlScene& scene, const std::string& path,
                VrmlVersion version);
// "r g b" of a packed colour, each channel / 255 as "0.0#".
std::string colorToRGBString(std::uint32_t colour);
// Scales v to unit length in place; a zero vector stays zero.
void normalizeVector(std::array<float, 3>& v);
// out = normalised (normalised a × normalised b); a and b are normalised in
// place.
void bondRotationAxis(std::array<float, 3>& a, std::array<float, 3>& b, std::array<float, 3>& out);
// The angle between a and b in radians; a and b are normalised in place.
float bondRotationAngle(std::array<float, 3>& a, std::array<float, 3>& b);

// Bond table: the count, then both end points and atom numbers per bond.
void exportBonds(const ExportContext& ctx, const std::string& path);

// "Bond Length = 1.42, Bounding Box [12.0 x 12.346 x 0.0]".
std::string bondStatisticsText(const ExportContext& ctx);
// The statistics text, worked out under the wait cursor, to the panel.
void showBondStatistics(const ExportContext& ctx,
                        const std::function<void(const std::string&)>& panelText);

} // namespace tarvek
