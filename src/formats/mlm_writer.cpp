// The MLM model-file writer: a typed atom table and a typed bond table.
#include "formats/export_text.h"
#include "formats/structure_writers.h"

#include "runtime/number_format.h"
#include "runtime/one_line_text.h"
#include "runtime/path_util.h"
#include "runtime/print_form.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <cmath>

namespace tarvek {

namespace {

constexpr std::int64_t maxId = 9999;
constexpr std::size_t coordinateWidth = 10;
// The largest magnitude whose whole part fits every coordinate field, the
// one before a negative neighbour included; the message names it.
constexpr double largestCoordinate = 99999999.0;
constexpr const char* range = "MLM-File only supports coordinates from -99999999 to 99999999";
constexpr int mostDecimals = 5;

// The value with decimals decimals and a blank in place of a missing sign.
// It is rounded once, from the float's own value: rounding its shortest
// decimal text instead would round twice (1000.12346 to 1000.124).
std::string signedText(float value, int decimals = mostDecimals)
{
  const std::string mask =
      decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0";
  std::string text = Format(static_cast<double>(value), mask);
  if (text.find('-') == std::string::npos)
    text.insert(0, 1, ' ');
  return text;
}

// "  0.0000 C_nano …" with the label in place of "C"; "Ga_" becomes "Ga" for
// the gallium material (type Ganano).
std::string typeTail(const std::string& label, std::int16_t materialIndex)
{
  std::string type = label + "_nano";
  if (materialIndex == 2 && type.rfind("Ga_", 0) == 0)
    type.erase(2, 1);
  return "  0.0000 " + type + " 0   -   -    -      -        -";
}

// The three coordinate fields, each with as many of its five decimals as
// fit: a full field before a "-" would merge with it, so it keeps one blank
// there.
void appendCoordinates(std::string& line, const ExportAtom& a)
{
  const float values[3] = {a.x, a.y, a.z};
  std::string texts[3];
  for (int k = 0; k < 3; ++k) {
    if (!(std::fabs(static_cast<double>(values[k])) <= largestCoordinate))
      throw RuntimeError(range);
    texts[k] = signedText(values[k]);
  }
  for (int k = 0; k < 3; ++k) {
    const bool beforeMinus = k < 2 && texts[k + 1].front() == '-';
    const std::size_t room = coordinateWidth - (beforeMinus ? 1 : 0);
    for (int decimals = mostDecimals - 1; texts[k].size() > room && decimals >= 0; --decimals)
      texts[k] = signedText(values[k], decimals);
    texts[k].resize(coordinateWidth, ' ');
    line.append(texts[k]);
  }
}

void appendLeft(std::string& line, const std::string& text, std::size_t width)
{
  line.append(text);
  if (text.size() < width)
    line.append(width - text.size(), ' ');
}

} // namespace

std::string formatMLMNumber(float value, int width)
{
  std::string text = signedText(value);
  text.resize(static_cast<std::size_t>(std::max(width, 0)), ' ');
  return text;
}

void exportMLM(const ExportContext& ctx, const std::string& path)
{
  WaitCursor wait(ctx.prompts);
  const AtomLabels labels(ctx, LabelForm::Mlm);
  const ExportAtoms set = exportAtoms(ctx, ExportUse::Mlm);
  // Scene rows number on across lists; the model's keep their set index.
  const std::int64_t firstId = set.fromSceneFile ? 0 : set.first;
  if (firstId + static_cast<std::int64_t>(set.atoms.size()) - 1 > maxId)
    throw RuntimeError("MLM-File only supports atom IDs up to 9999");
  const BigVector<ExportBond> bonds = shownBonds(ctx, set);
  auto id = [&](std::size_t position) {
    return std::to_string(firstId + static_cast<std::int64_t>(position));
  };

  ExportText out(ctx, path);
  out.line("#  tarvek MLM Export");
  out.line("#  Created: " + ctx.createdText);
  out.line("");
  out.line("@Model  " + oneLineText(getFileName(path)));
  out.line("");
  out.line("@Table Atoms " + printForm(static_cast<std::int32_t>(set.atoms.size())));
  out.line("str  str double     double     double     double str    str str str  double double   double str");
  out.line("ID Element X          Y          Z          Q    Type   Mol Res Flag R*     Epsilon  Mass   Comment");
  std::string line;
  for (std::size_t i = 0; i < set.atoms.size(); ++i) {
    const ExportAtom& a = set.atoms[i];
    const std::string& label = labels(a.type);
    line.clear();
    appendLeft(line, id(i), 5);
    appendLeft(line, label, 5);
    appendCoordinates(line, a);
    line.append(typeTail(label, ctx.model.materialIndex));
    out.line(line);
  }
  out.line("");
  out.line("@Table Bonds " + printForm(static_cast<std::int32_t>(bonds.size())));
  out.line("str  str  str   double   double   str");
  out.line("ID1  ID2 Order R-eqv    Force    Comment");
  for (const ExportBond& b : bonds) {
    line.clear();
    appendRight(line, id(b.a), 4);
    appendRight(line, id(b.b), 5);
    line.append("    a  -        -");
    out.line(line);
  }
  out.line("");
  out.line("@End");
  out.commit();
}

} // namespace tarvek
