// Suggested export names and the file dialogs' filter strings.
#pragma once

#include <cstdint>
#include <string>

namespace tarvek {

// What the suggested export name is made of.
struct ExportNameParts {
  // The material list's text, "C - C".
  std::string materialText;
  std::int16_t structureKind = 0;
  std::int16_t tubeVariant = 0;
  std::string importedTitle;
  std::string virusTitle;
  // The title label's caption.
  std::string titleCaption;
  bool junctionShown = false;
  std::string junctionTitle;
};

// The suggested file name (no folder, no extension) of the shown structure:
// by kind "Nanotube_CC" ("SWNT_Bundle_CC" for a bundle), "NanotubeSheet_",
// "Nanocone_", "NanoconeSheet_" with the material's symbols, "BuckyBall",
// "Fullerene_" + the imported title, "Xmol Import", the virus title, and ""
// for any other kind. A title caption containing "Multi" (case-sensitive)
// replaces it, and a shown hetero-junction's title replaces that.
std::string defaultExportName(const ExportNameParts& parts);

// Dialog filters: "description|pattern|..." (see FileDialogs).
inline constexpr const char* kMolFilter = "MOL File (*.mol)|*.mol|";
inline constexpr const char* kXmolFilter = "XMOL File (*.xmol)|*.xmol|";
inline constexpr const char* kPdbFilter = "PDB File (*.pdb)|*.pdb|";
inline constexpr const char* kCifFilter = "CIF File (*.cif)|*.cif|";
// Index 1 VRML 2.0, index 2 VRML 1.0.
inline constexpr const char* kVrmlFilter =
    "VRML2.0 File (*.wrl)|*.wrl|VRML1.0 File (*.wrl)|*.wrl|";
inline constexpr const char* kPdfFilter = "Adobe PDF File (*.pdf)|*.pdf|";
inline constexpr const char* kBondsFilter = "Bonds/Connections File (*.txt)|*.txt|";
inline constexpr const char* kMlmFilter = "MolMeccano File (*.mlm)|*.mlm|";
// Index 2 reads the file as XYZ, any other as a fullerene file.
inline constexpr const char* kFullereneFilter =
    "Fullerene File (*.cc1)|*.cc1|XYZ Coordinate File (*.xyz)|*.xyz";
inline constexpr const char* kXmolImportFilter = "Xmol File (*.xmol)|*.xmol|XYZ (*.xyz)|*.xyz";
// The XMOL import's filter when the command line holds "/sw".
inline constexpr const char* kXmolImportFilterSw =
    "Xmol File (*.xmol)|*.xmol|XYZ File (*.xyz)|*.xyz|";
inline constexpr const char* kAtomTableFilter =
    "Crystallographic Information File (*.cif)|*.cif";
inline constexpr const char* kXyFilter = "XY Coordinate File (*.xy)|*.xy";
inline constexpr const char* kXyzTableFilter = "XYZ Coordinate File (*.txt)|*.txt|";
// Index 1 the coordinate table, then MOL, XMOL, PDB, CIF and VRML 2.0.
inline constexpr const char* kCoordinatesFilter =
    "XYZ Coordinate File (*.txt)|*.txt|MOL File (*.mol)|*.mol|XMOL File (*.xmol)|*.xmol|"
    "PDB File (*.pdb)|*.pdb|CIF File (*.cif)|*.cif|VRML2.0 File (*.vrml)|*.vrml|";

} // namespace tarvek
