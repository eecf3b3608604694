// The XMOL import: reads the atoms, asks whether they form a tube, measures,
// bonds and distorts it.
#include "formats/structure_readers.h"
#include "formats/structure_text.h"

#include "model/bond_search.h"
#include "model/tube_builder.h"
#include "platform/prompts.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"
#include "runtime/split.h"

#include <cctype>

namespace tarvek {

namespace {

constexpr std::int16_t kXmolKind = 7;
constexpr const char* kTubeTitle = "Import Nanotube?";

// The atom type of a row's first field: the material's two kinds by symbol
// or element number, carbon for anything else.
std::int16_t xmolType(const std::string& field)
{
  std::string upper = field;
  for (char& c : upper)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::int16_t type = 3;
  if (upper == "B" || upper == "GA")
    type = 1;
  else if (upper == "N")
    type = 2;
  const std::optional<double> number = leadingNumber(field);
  if (number == 5.0)
    type = 1;
  else if (number == 7.0)
    type = 2;
  return type;
}

std::array<double, 3> centroidOf(const ReadStructure& read)
{
  std::array<double, 3> sum{};
  for (std::size_t i = 0; i < read.x.size(); ++i) {
    sum[0] += read.x[i];
    sum[1] += read.y[i];
    sum[2] += read.z[i];
  }
  const auto n = static_cast<double>(read.x.size());
  return {sum[0] / n, sum[1] / n, sum[2] / n};
}

} // namespace

std::optional<XmolImport> importCoordinateBytes(Model& model, std::string_view bytes,
                                                const std::string& path, bool quiet,
                                                bool previousIsTube, Prompts& prompts,
                                                AbortToken& abort)
{
  const auto lines = structureLines(bytes);
  const std::optional<std::int32_t> count =
      lines.empty() ? std::nullopt : atomCountOf(lines.front());
  if (!count) {
    prompts.message("Wrong File Format", {}, MessageIcon::Critical);
    return std::nullopt;
  }
  ReadStructure read;
  try {
    read = readCoordinateRows(lines, 2, *count, 1, xmolType, path);
  } catch (const RuntimeError& error) {
    prompts.message(error.what(), {}, MessageIcon::Critical);
    return std::nullopt;
  }

  XmolImport result;
  std::string comment = lines.size() > 1 ? std::string(lines[1]) : std::string();
  for (char& c : comment)
    if (c == '\t')
      c = ' ';
  result.comment = std::string(trimBlanks(comment));
  result.title = read.title;
  storeStructure(model, read, kXmolKind);
  model.distortionActive = false;
  // Atoms that are no tube, or whose fit fails, take the bond length from
  // their closest pair, so that their bonds follow the file as a fitted
  // tube's do; a fitted tube measures its own.
  const auto measureBondLength = [&model, &read] {
    if (const std::optional<float> shortest = closestNonZeroDistance(read.x, read.y, read.z))
      model.bondLength = *shortest;
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
  const TubeFit fit = fitTubeAxis(model.atomSet(AtomSetId::Atom), centroidOf(read));
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

std::optional<XmolImport> importCoordinates(Model& model, const std::string& path, bool quiet,
                                            bool previousIsTube, Prompts& prompts,
                                            AbortToken& abort)
{
  FileBytes file;
  try {
    file = readStructureBytes(path);
  } catch (const RuntimeError& error) {
    prompts.message(error.what(), {}, MessageIcon::Critical);
    return std::nullopt;
  }
  return importCoordinateBytes(model, file.bytes(), path, quiet, previousIsTube, prompts, abort);
}

} // namespace tarvek
