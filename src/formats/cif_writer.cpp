// The CIF writer: a P 1 cell around the padded structure, atom sites as fractions of it.
#include "formats/export_text.h"
#include "formats/structure_writers.h"

#include "runtime/number_format.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"

#include <cmath>

namespace tarvek {

namespace {

constexpr const char* range = "CIF-File only supports finite coordinates";

const char* commonName(std::int16_t kind)
{
  switch (kind) {
  case 1:
    return " Nano-Tube";
  case 2:
    return " Graphene Sheet";
  case 3:
    return " Nano-Cone";
  case 4:
    return " Nano-Cone Sheet";
  case 8:
    return " Virus Geometry";
  default:
    return nullptr;
  }
}

// Bond length for the cell's gap when the model holds none.
constexpr float fallbackBondLength = 1.42f;
// Largest shift of an atom the written fractions and cell may cause.
constexpr double placeTolerance = 0.0004;

// The cell: the box around the written atoms with a margin of at least half
// a bond length on each side, so every atom lies inside it and no two share a
// periodic site where the padding is 0 (or negative).
std::array<float, 6> cellOf(const ExportContext& ctx, const ExportAtoms& set)
{
  const float bond = ctx.model.bondLength;
  const float gap = std::isfinite(bond) && bond > 0.0f ? bond : fallbackBondLength;
  const std::array<float, 6> box = getStructureBox(ctx, set, gap);
  for (int k = 0; k < 6; ++k) {
    if (!std::isfinite(box[static_cast<std::size_t>(k)]))
      throw RuntimeError(range);
  }
  return box;
}

// Decimals of a fraction of edge that keep every atom within placeTolerance
// of its place: three at least.
int fractionDecimals(double edge)
{
  int decimals = 3;
  double step = 0.001;
  while (decimals < 9 && 0.5 * step * edge > placeTolerance) {
    ++decimals;
    step /= 10.0;
  }
  return decimals;
}

} // namespace

void exportCIF(const ExportContext& ctx, const std::string& path)
{
  WaitCursor wait(ctx.prompts);
  const bool icsd = ctx.cifIcsdStyle;
  const AtomLabels labels(ctx, LabelForm::Cif);
  const ExportAtoms set = exportAtoms(ctx, ExportUse::Cif);
  const std::array<float, 6> box = cellOf(ctx, set);

  ExportText out(ctx, path);
  const std::string frame(78, '#');
  const std::string blank = "###" + std::string(72, ' ') + "###";
  out.line(frame);
  out.line(blank);
  out.line("###                         tarvek CIF File Export                         ###");
  out.line(blank);
  out.line(frame);
  out.line("data_tarvek");
  out.line("_audit_creation_date              '" + ctx.createdText + "'");
  out.line("_audit_creation_method            'tarvek'");
  out.line("_chemical_name_common");
  out.line(";");
  if (const char* name = commonName(ctx.model.structureKind))
    out.line(name);
  out.line(";");
  // Fractions of the edges as written, so the file's places are the model's.
  std::array<double, 3> edges{};
  std::array<std::string, 3> masks;
  for (std::size_t k = 0; k < 3; ++k) {
    const std::string edge = Format(box[3 + k], "0.0###");
    out.line(std::string("_cell_length_") + char('a' + k) + "                    " + edge);
    edges[k] = Val(edge);
    masks[k] = "0." + std::string(static_cast<std::size_t>(fractionDecimals(edges[k])), '0');
  }
  out.line("_cell_angle_alpha                 90.0");
  out.line("_cell_angle_beta                  90.0");
  out.line("_cell_angle_gamma                 90.0");
  out.line("_cell_formula_units_Z             1");
  out.line("_symmetry_space_group_name_H-M    'P 1'");
  out.line("_symmetry_Int_Tables_number       1");
  out.line("loop_");
  out.line("_atom_site_label");
  if (icsd) {
    out.line("_atom_site_type_symbol");
    out.line("_atom_site_symmetry_multiplicity");
    out.line("_atom_site_Wyckoff_symbol");
  }
  out.line("_atom_site_fract_x");
  out.line("_atom_site_fract_y");
  out.line("_atom_site_fract_z");
  if (icsd) {
    out.line("_atom_site_B_iso_or_equiv");
    out.line("_atom_site_occupancy");
  }
  std::string line;
  for (const ExportAtom& a : set.atoms) {
    const std::string& label = labels(a.type);
    line.clear();
    appendRight(line, label, 4);
    line.append(" ");
    if (icsd) {
      line.append(label);
      line.append(" 1 a ");
    }
    const float p[3] = {a.x, a.y, a.z};
    for (std::size_t k = 0; k < 3; ++k) {
      const double fraction = (double(p[k]) - double(box[k])) / edges[k];
      if (!std::isfinite(fraction))
        throw RuntimeError(range);
      line.append(" ");
      appendRight(line, Format(fraction, masks[k]), static_cast<int>(masks[k].size()) + 2);
    }
    if (icsd)
      line.append(" 0.5 1");
    out.line(line);
  }
  out.line("");
  out.commit();
}

} // namespace tarvek
