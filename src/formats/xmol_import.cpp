// The XMOL import: reads the atoms, asks whether they form a tube, measures,
// bonds and distorts it.
#include "formats/structure_readers.h"
#include "formats/structure_text.h"

#include "model/bond_search.h"
#include "model/neighbour_distance.h"
#include "model/tube_builder.h"
#include "platform/abort.h"
#include "platform/prompts.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"
#include "runtime/split.h"

#include <cctype>
#include <new>

namespace tarvek {

namespace {

constexpr std::int16_t kXmolKind = 7;
constexpr const char* kTubeTitle = "Import Nanotube?";

// The atom type of a row's first field: the material's two kinds by symbol
// or element number, carbon for anything else.
std::int16_t xmolType(std::string_view field)
{
  const auto upper = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
  std::int16_t type = 3;
  if (field.size() == 1 && upper(field[0]) == 'B')
    type = 1;
  else if (field.size() == 2 && upper(field[0]) == 'G' && upper(field[1]) == 'A')
    type = 1;
  else if (field.size() == 1 && upper(field[0]) == 'N')
    type = 2;
  const char first = field.empty() ? ' ' : field[0];
  if (std::isdigit(static_cast<unsigned char>(first)) || first == '+' || first == '-'
      || first == '.' || first == ',') {
    const std::optional<double> number = leadingNumber(fieldText(field));
    if (number == 5.0)
      type = 1;
    else if (number == 7.0)
      type = 2;
  }
  return type;
}

std::array<double, 3> centroidOf(const Model& model)
{
  std::array<double, 3> sum{};
  for (std::int32_t i = 0; i < model.atomCount; ++i) {
    sum[0] += model.atomX[i];
    sum[1] += model.atomY[i];
    sum[2] += model.atomZ[i];
  }
  const auto n = static_cast<double>(model.atomCount);
  return {sum[0] / n, sum[1] / n, sum[2] / n};
}

// Reads the file through lines, asks, measures and bonds; nothing when the
// file is refused.
std::optional<XmolImport> importLines(Model& model, StructureLines& lines, const std::string& path,
                                      bool quiet, bool previousIsTube, Prompts& prompts,
                                      AbortToken& abort)
{
  ReadStructure read;
  std::string comment;
  try {
    std::string_view line;
    const std::optional<std::int32_t> count = lines.next(line) ? atomCountOf(line) : std::nullopt;
    if (!count) {
      prompts.message("Wrong File Format", {}, MessageIcon::Critical);
      return std::nullopt;
    }
    if (lines.next(line))
      comment = line;
    reserveRows(lines, *count, 1, read);
    readCoordinateRows(lines, *count, 1, xmolType, path, read);
  } catch (const RuntimeError& error) {
    prompts.message(error.what(), {}, MessageIcon::Critical);
    return std::nullopt;
  } catch (const std::bad_alloc&) {
    prompts.message(tooManyAtomsText(path), {}, MessageIcon::Critical);
    return std::nullopt;
  }

  XmolImport result;
  for (char& c : comment)
    if (c == '\t')
      c = ' ';
  result.comment = std::string(trimBlanks(comment));
  result.title = read.title;
  storeStructure(model, std::move(read), kXmolKind);
  model.distortionActive = false;
  // Atoms that are no tube, or whose fit fails, take the bond length from
  // their typical nearest-neighbour distance, as a fitted tube does.
  const auto measureBondLength = [&model] {
    if (const std::optional<float> typical =
            typicalNeighbourDistance(model.atomX, model.atomY, model.atomZ))
      model.bondLength = *typical;
  };

  bool isTube = previousIsTube;
  if (!quiet) {
    if (!prompts.yesNo("Is this data for a nanotube?", kTubeTitle, MessageIcon::Question)) {
      measureBondLength();
      return result;
    }
    isTube = true;
  }
  result.isTube = isTube;
  const bool distortionsOn = model.stretchFactor != 1.0f || model.ellipseRatio != 1.0f
                             || model.twistRate != 0.0f || model.bendAngle != 0.0f;
  if (!quiet && distortionsOn
      && !prompts.yesNo("Do you want to apply distortions?", kTubeTitle, MessageIcon::Question)) {
    measureBondLength();
    return result;
  }
  model.distortionActive = distortionsOn;

  // A failed fit keeps the last tube's measures and says so only to a user
  // who called the atoms a tube.
  const TubeFit fit = fitTubeAxis(model.atomSet(AtomSetId::Atom), centroidOf(model));
  const char* failure = nullptr;
  if (fit.axis == TubeAxis::None)
    failure = "No tube axis found: the centre of the structure lies on none of the x, y and z "
              "axes.";
  else if (!fit.bondLength)
    failure = "No bond length found: no two atoms lie within 1.5 A of the centre's height.";
  if (failure != nullptr) {
    if (isTube)
      prompts.message(failure, kTubeTitle, MessageIcon::Exclamation);
    isTube = false;
    measureBondLength();
  } else {
    if (fit.axis != TubeAxis::Z && isTube) {
      prompts.message("Application of distortions is disabled", "Not a tube along Z-Axis",
                      MessageIcon::Exclamation);
      isTube = false;
    }
    if (fit.veto)
      isTube = false;
    model.tubeLength = fit.length;
    model.tubeDiameter = fit.diameter;
    model.bondLength = *fit.bondLength;
  }

  createBonds(model, 0.0f, 0.0f, prompts, abort);
  if (fit.found()) {
    const float radius = model.tubeDiameter / 2.0f;
    if (distortionsOn && isTube)
      distortTube(model.atomSet(AtomSetId::Atom), radius, model.stretchFactor, model.ellipseRatio,
                  model.twistRate, model.bendAngle);
    model.lastTubeDiameter = model.tubeDiameter;
    model.lastTubeRadius = radius;
  }
  result.isTube = isTube;
  return result;
}

} // namespace

std::optional<XmolImport> importCoordinateBytes(Model& model, std::string_view bytes,
                                                const std::string& path, bool quiet,
                                                bool previousIsTube, Prompts& prompts,
                                                AbortToken& abort)
{
  StructureLines lines(bytes);
  return importLines(model, lines, path, quiet, previousIsTube, prompts, abort);
}

std::optional<XmolImport> importCoordinates(Model& model, const std::string& path, bool quiet,
                                            bool previousIsTube, Prompts& prompts,
                                            AbortToken& abort)
{
  // The lines count Escape presses from their opening on.
  std::optional<StructureLines> lines;
  try {
    lines.emplace(path, &abort);
  } catch (const RuntimeError& error) {
    prompts.message(error.what(), {}, MessageIcon::Critical);
    return std::nullopt;
  }
  return importLines(model, *lines, path, quiet, previousIsTube, prompts, abort);
}

} // namespace tarvek
