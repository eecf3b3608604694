// The CIF writer: a P 1 cell around the padded structure, atom sites as fractions of it.
#include "formats/export_text.h"
#include "formats/structure_writers.h"
#include "model/tube_unit_cell.h"

#include "runtime/number_format.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

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

// Atoms nearer than this to an image of another would read as bonded to it
// or stacked on it: the spacing of graphite's layers.
constexpr float imageGap = 3.4f;
// Largest shift of an atom the written fractions and cell may cause.
constexpr double placeTolerance = 0.0004;

// The length along z after which a tube built from whole translational cells
// repeats: cells x its translation period, so its images in the next cells
// continue the lattice. Nothing for any other structure, or when a twist or
// bend has broken the repetition.
std::optional<double> wholeCellLength(const Model& m, const ExportAtoms& set)
{
  if (set.fromSceneFile || m.partsFlag || m.structureKind != 1 || m.tubeVariant != 0
      || !m.unitCellMode || m.tubeN < 1 || m.tubeM < 0
      || !(m.bondLength > 0.0f && std::isfinite(m.bondLength)))
    return std::nullopt;
  double stretch = 1.0;
  if (m.distortionActive) {
    if (m.twistRate != 0.0f || m.bendAngle != 0.0f
        || !(m.stretchFactor > 0.0f && std::isfinite(m.stretchFactor)))
      return std::nullopt;
    stretch = m.stretchFactor;
  }
  const TubeSymmetry s = tubeSymmetry(m.tubeN, m.tubeM, m.bondLength);
  const std::int64_t perCell = 2 * s.hexagons;
  if (m.atomCount < perCell || m.atomCount % perCell != 0
      || set.atoms.size() != static_cast<std::size_t>(m.atomCount))
    return std::nullopt;
  // One cell holds hexagons / G screw steps of tau each.
  const double period = static_cast<double>(s.hexagons) / static_cast<double>(s.g) * s.tau;
  return static_cast<double>(m.atomCount / perCell) * period * stretch;
}

// The cell: the box around the written atoms with the padding on each side,
// at least half the image gap. Along z a structure that does not repeat gets
// at least the margins of x and y; a tube of whole cells gets its repeat
// length, centred on its atoms.
std::array<float, 6> cellOf(const ExportContext& ctx, const ExportAtoms& set)
{
  const std::array<float, 6> extent = structureExtent(set);
  std::array<float, 3> margin{};
  for (std::size_t k = 0; k < 3; ++k)
    margin[k] = std::max(ctx.cifPadding[k], imageGap / 2.0f);
  margin[2] = std::max({margin[2], margin[0], margin[1]});
  std::array<float, 6> box{};
  for (std::size_t k = 0; k < 3; ++k) {
    box[k] = extent[k] - margin[k];
    box[3 + k] = extent[3 + k] - extent[k] + 2.0f * margin[k];
  }
  if (const std::optional<double> length = wholeCellLength(ctx.model, set)) {
    const double atoms = double(extent[5]) - double(extent[2]);
    box[2] = static_cast<float>(double(extent[2]) - (*length - atoms) / 2.0);
    box[5] = static_cast<float>(*length);
  }
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

// The element symbols of the atom types, without the label's alignment: the
// stem of each atom's own site label.
class SiteSymbols {
public:
  explicit SiteSymbols(const AtomLabels& labels) : m_labels(labels)
  {
    for (std::size_t t = 0; t < m_table.size(); ++t)
      m_table[t] = trimmed(labels(static_cast<std::int32_t>(t)));
  }
  std::string_view operator()(std::int32_t type) const
  {
    if (type >= 0 && static_cast<std::size_t>(type) < m_table.size())
      return m_table[static_cast<std::size_t>(type)];
    return trimmed(m_labels(type));
  }

private:
  static std::string_view trimmed(std::string_view text)
  {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
  }

  const AtomLabels& m_labels;
  std::array<std::string_view, 121> m_table{};
};

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
  std::array<NumberMask, 3> masks{NumberMask("0.000"), NumberMask("0.000"), NumberMask("0.000")};
  for (std::size_t k = 0; k < 3; ++k) {
    const std::string edge = Format(box[3 + k], "0.0###");
    out.line(std::string("_cell_length_") + char('a' + k) + "                    " + edge);
    edges[k] = Val(edge);
    masks[k] = NumberMask("0." + std::string(static_cast<std::size_t>(fractionDecimals(edges[k])), '0'));
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
  // The label keys the loop: the symbol and the row's number, C1, C2, ...
  const SiteSymbols symbols(labels);
  out.lines(set.atoms.size(), [&](std::size_t first, std::size_t last, ExportText::Lines& lines) {
    std::string line;
    char site[48];
    for (std::size_t i = first; i < last; ++i) {
      const ExportAtom a = set.atoms[i];
      const std::string_view symbol = symbols(a.type).substr(0, 24);
      symbol.copy(site, symbol.size());
      char* const end = std::to_chars(site + symbol.size(), site + sizeof site, i + 1).ptr;
      line.clear();
      appendRight(line, std::string_view(site, static_cast<std::size_t>(end - site)), 4);
      line.push_back(' ');
      if (icsd) {
        line.append(labels(a.type));
        line.append(" 1 a ");
      }
      const float p[3] = {a.x, a.y, a.z};
      for (std::size_t k = 0; k < 3; ++k) {
        const double fraction = (double(p[k]) - double(box[k])) / edges[k];
        if (!std::isfinite(fraction))
          throw RuntimeError(range);
        line.push_back(' ');
        appendFormat(line, fraction, masks[k], masks[k].required + 4);
      }
      if (icsd)
        line.append(" 0.5 1");
      lines.line(line);
    }
  });
  out.line("");
  out.commit();
}

} // namespace tarvek
