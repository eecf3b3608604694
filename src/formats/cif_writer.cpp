// The CIF writer: a P 1 cell around the padded structure, atom sites as fractions of it.
#include "formats/export_text.h"
#include "formats/structure_writers.h"

#include "runtime/number_format.h"
#include "runtime/runtime_error.h"

#include <cmath>

namespace tarvek {

namespace {

// A fraction keeps one blank of its 8 columns so neighbours never merge.
constexpr const char* range =
    "CIF-File only supports fractional coordinates from -99.999 to 999.999";

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

// The box around the written atoms; from two scene lists on, the same atoms.
std::array<float, 6> cellOf(const ExportContext& ctx, const ExportAtoms& set)
{
  const std::array<float, 6> box =
      set.fromSceneFile ? getStructureBox(ctx, set) : getStructureBox(ctx);
  for (int k = 0; k < 3; ++k) {
    const float edge = box[static_cast<std::size_t>(3 + k)];
    const char axis[] = {static_cast<char>('x' + k), '\0'};
    if (!std::isfinite(edge))
      throw RuntimeError(range);
    if (edge < 0.0f)
      throw RuntimeError(std::string("The CIF bounding box has no room along ") + axis
                         + ": check the padding.");
  }
  return box;
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
  out.line("###                        Kelvarin CIF File Export                        ###");
  out.line(blank);
  out.line(frame);
  out.line("data_tarvek");
  out.line("_audit_creation_date              '" + ctx.createdText + "'");
  out.line("_audit_creation_method            'Kelvarin'");
  out.line("_chemical_name_common");
  out.line(";");
  if (const char* name = commonName(ctx.model.structureKind))
    out.line(name);
  out.line(";");
  out.line("_cell_length_a                    " + Format(box[3], "0.0###"));
  out.line("_cell_length_b                    " + Format(box[4], "0.0###"));
  out.line("_cell_length_c                    " + Format(box[5], "0.0###"));
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
    for (std::size_t k = 0; k < 3; ++k)
      appendNumber(line, (p[k] - box[k]) / box[3 + k], "0.000", 8, 7, range);
    if (icsd)
      line.append(" 0.5 1");
    out.line(line);
  }
  out.line("");
  out.commit();
}

} // namespace tarvek
