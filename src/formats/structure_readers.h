#pragma once

#include "model/model.h"
#include "runtime/big_buffer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

class AbortToken;
class ElementDisplay;
class Prompts;
class RandomSource;

// The structure readers. The PDB part and atom-table readers read the whole
// file with readFileBytes; the XYZ, ".cc1" and XMOL readers go through it
// in blocks (formats/structure_lines.h) and never size the atom set beyond
// the rows the file's size can hold, whatever its count says. None opens a
// file for writing; each accepts CR LF, LF and lone CR line ends, a UTF-8
// byte-order mark, tabs between fields and decimal commas. A file is parsed
// completely before the model is touched: a refusal throws RuntimeError with
// the sentence for the user (naming the file, and the line and atom where
// there is one) and leaves the model exactly as it was. A successful read
// gives the atom set exactly the atoms read, empties the bond list and sets
// `structureKind`.
//
// The count on a file's first line is its leading number, a whole number
// from 1 to 2,147,483,647 ("60 12" is 60); rows past the count are ignored.
// Coordinates are Å; a coordinate must start with a finite number inside
// the float range.

// What a parser found, before it goes into the model.
struct ReadStructure {
  BigVector<float> x, y, z;
  // Atom types of the fixed-type readers (XYZ, ".cc1", XMOL).
  BigVector<std::int16_t> type;
  // Per atom the text that elementIndex turns into the element number
  // (PDB parts and atom tables); empty for the fixed-type readers.
  std::vector<std::string> elementNames;
  // The file name without folder and last extension ("C60.xyz" gives "C60").
  std::string title;
  // The distinct element symbols in order of first appearance, each followed
  // by one blank ("C H O "); PDB parts and atom tables only.
  std::string elements;
};

// What the caller keeps beside the model after a read.
struct ImportedStructure {
  std::string title;
  std::string elements;
};

// XYZ: the count, then x, y, z in fields 1 to 3 of each row. Line 2 is a
// comment when the lines after the count (blank lines at the end left out)
// number at least count + 1; with exactly count lines it is the first atom.
// Every atom is carbon (type 3); kind 6.
// Escape, polled while the file is read, refuses it (RuntimeError).
ImportedStructure importXYZ(Model& model, const std::string& path, AbortToken* abort = nullptr);
ReadStructure parseXYZ(std::string_view bytes, const std::string& path);

// ".cc1": the count, then rows of element, number, x, y, z, type and
// neighbours; x, y, z are the third to fifth fields. Carbon; kind 6.
ImportedStructure openCC1(Model& model, const std::string& path, AbortToken* abort = nullptr);
ReadStructure parseCC1(std::string_view bytes, const std::string& path);

// A structure part's PDB file: the ATOM and HETATM records up to the first
// line starting with "TER" (a record is a line whose first field contains
// "ATOM" or "HETATM"). x, y, z from columns 31-38, 39-46 and 47-54, the type
// from elementIndex of columns 12-17 (so " CA " is calcium), the symbol for
// `elements` from columns 13-14 in mixed case. Kind 6.
ImportedStructure importPDB(Model& model, const std::string& path, ElementDisplay& display,
                            RandomSource& random);
ReadStructure parsePDB(std::string_view bytes, const std::string& path);

// An atom table: rows of label, element, x, y, z (Å); blank lines are
// skipped. The type is elementIndex of the element as written. Kind 6.
ImportedStructure importAtomTable(Model& model, const std::string& path, ElementDisplay& display,
                                  RandomSource& random);
ReadStructure parseAtomTable(std::string_view bytes, const std::string& path);

// Puts a parsed structure into the atom set: the arrays sized to its atoms,
// `atomCount`, an empty bond list and `structureKind`. Element names go
// through elementIndex, which builds the element table on first use.
void storeStructure(Model& model, ReadStructure read, std::int16_t kind,
                    ElementDisplay* display = nullptr, RandomSource* random = nullptr);

// The tube the XMOL fit found. The axis is the coordinate axis the centre
// lies on (within 0.1 Å in the two other coordinates); when it lies on more
// than one, the one along the largest extent (ties: z, y, x).
enum class TubeAxis { None, X, Y, Z };
struct TubeFit {
  TubeAxis axis = TubeAxis::None;
  // The extent along the axis (Å).
  float length = 0.0f;
  // The smaller of the x and y extents.
  float diameter = 0.0f;
  // The typical nearest-neighbour distance (typicalNeighbourDistance) of the
  // atoms within 1.5 Å of the centre's height; nothing when no two of them
  // lie further apart than a repeat.
  std::optional<float> bondLength;
  // The structure is no tube for the distortions: diameter below 2.3 Å,
  // length below the diameter, or an atom 10^6 Å or more from the origin
  // along some axis.
  bool veto = false;

  bool found() const { return axis != TubeAxis::None && bondLength.has_value(); }
};

// Measures a tube from atoms 0 .. count - 1 alone; centroid is their mean.
// Pure: reads the atoms, changes nothing.
TubeFit fitTubeAxis(AtomSetRef atoms, const std::array<double, 3>& centroid);

// What the XMOL import gives the caller to keep.
struct XmolImport {
  std::string comment;
  std::string title;
  // The user's (or, quiet, the previous) answer that the atoms form a tube,
  // minus any veto of the fit.
  bool isTube = false;
};

// Reads an XMOL file (count, comment, then element or element number and
// x, y, z per row: "B" and "GA" or 5 give type 1, "N" or 7 type 2, anything
// else 3) into the atom set as kind 7. Unless quiet it asks whether the
// atoms form a nanotube and, with distortions set, whether to apply them; a
// No ends the import there (atoms read, no fit and no bonds). Otherwise the
// tube is measured (`tubeLength`, `tubeDiameter`, `bondLength`,
// `lastTubeDiameter`, `lastTubeRadius`), bonded with createBonds and, when
// it is a tube along z and distortions are on, distorted with distortTube.
// quiet asks nothing and takes previousIsTube as the answer. Every message
// goes through prompts; a file that cannot be read, or whose reading Escape
// stops, gives nothing and leaves the model as it was. A comment line longer
// than StructureLines::kBlockBytes keeps its first kBlockBytes.
std::optional<XmolImport> importCoordinates(Model& model, const std::string& path, bool quiet,
                                            bool previousIsTube, Prompts& prompts,
                                            AbortToken& abort);
// The same over the file's bytes; path names the file in messages and title.
std::optional<XmolImport> importCoordinateBytes(Model& model, std::string_view bytes,
                                                const std::string& path, bool quiet,
                                                bool previousIsTube, Prompts& prompts,
                                                AbortToken& abort);

// Where the fullerene library lies in the program folder (appPath()).
std::string fullereneLibraryFolder(const std::string& programFolder);

} // namespace tarvek
