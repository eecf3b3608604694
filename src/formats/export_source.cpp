#include "formats/export_context.h"

#include "formats/export_text.h"
#include "runtime/file_util.h"
#include "runtime/runtime_error.h"
#include "scene/scene_files.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace tarvek {

namespace {

bool sheetKind(std::int16_t kind) { return kind == 2 || kind == 4; }

// Every file holds what is shown; from two lists on only the scene files
// hold it all (walls, tubes of a bundle, stacked cones).
bool fromSceneFile(const ExportContext& ctx, ExportUse use)
{
  return ctx.sceneListCount >= 2 && use != ExportUse::Statistics && use != ExportUse::Vrml;
}

bool skipsVertices(ExportUse use)
{
  return use == ExportUse::Mol || use == ExportUse::Pdb || use == ExportUse::Mlm
         || use == ExportUse::Cif || use == ExportUse::Vrml;
}

// Kinds whose atoms a use leaves out altogether.
bool givesNoAtoms(std::int16_t kind, ExportUse use)
{
  const bool known = kind >= 1 && kind <= 8;
  return (use == ExportUse::Cif || use == ExportUse::Vrml) && !known;
}

// Fields first to first + 2 joined by blanks: a position as written, which
// ties the ends of a bond line to atom lines.
std::string positionText(const SceneFields& fields, std::size_t first)
{
  std::string text(fields[first]);
  for (std::size_t i = first + 1; i < first + 3; ++i) {
    text += ' ';
    text += fields[i];
  }
  return text;
}

// Field i as an integer of type T; values beyond its range saturate.
template <typename T>
T integerField(const SceneFileReader& reader, const SceneFields& fields, std::size_t i)
{
  const double v = reader.value(fields, i);
  return static_cast<T>(std::clamp(v, double(std::numeric_limits<T>::min()),
                                   double(std::numeric_limits<T>::max())));
}

ExportAtoms readSceneAtoms(const ExportContext& ctx)
{
  ExportAtoms out;
  out.fromSceneFile = true;
  SceneFileReader reader(ctx.sceneAtomFile);
  SceneFields fields;
  std::int32_t previousIndex = 0;
  while (reader.next(fields)) {
    if (fields.empty())
      continue;
    ExportAtom atom;
    atom.x = static_cast<float>(reader.value(fields, 0));
    atom.y = static_cast<float>(reader.value(fields, 1));
    atom.z = static_cast<float>(reader.value(fields, 2));
    atom.type = integerField<std::int16_t>(reader, fields, 3);
    atom.index = integerField<std::int32_t>(reader, fields, 4);
    // A list starts again where the index stops growing (a virus cage's
    // lists start at 12, not 0).
    if (out.atoms.empty() || atom.index <= previousIndex)
      out.listStarts.push_back(out.atoms.size());
    previousIndex = atom.index;
    out.atoms.push_back(atom);
    out.positionTexts.push_back(positionText(fields, 0));
  }
  if (!reader.status())
    throw RuntimeError(reader.status().error());
  return out;
}

} // namespace

ExportAtoms exportAtoms(const ExportContext& ctx, ExportUse use)
{
  if (fromSceneFile(ctx, use))
    return readSceneAtoms(ctx);

  const Model& m = ctx.model;
  const bool sheet = sheetKind(m.structureKind);
  const auto& x = sheet ? m.sheetX : m.atomX;
  const auto& y = sheet ? m.sheetY : m.atomY;
  const auto& z = sheet ? m.sheetZ : m.atomZ;
  const auto& type = sheet ? m.sheetType : m.atomType;
  const std::int32_t count = std::max(sheet ? m.sheetCount : m.atomCount, 0);

  ExportAtoms out;
  out.setCount = count;
  if (givesNoAtoms(m.structureKind, use))
    out.first = count;
  else if (m.structureKind == 8 && skipsVertices(use))
    out.first = std::min(count, 12);
  out.listStarts.push_back(0);
  out.atoms.view(x, y, z, type, out.first, count);
  return out;
}

std::array<float, 6> getStructureBox(const ExportContext& ctx)
{
  return getStructureBox(ctx, exportAtoms(ctx, ExportUse::Box));
}

std::array<float, 6> structureExtent(const ExportAtoms& set)
{
  std::array<float, 6> extent{};
  for (const ExportAtom& a : set.atoms) {
    const float p[3] = {a.x, a.y, a.z};
    for (std::size_t k = 0; k < 3; ++k) {
      extent[k] = std::min(extent[k], p[k]);
      extent[3 + k] = std::max(extent[3 + k], p[k]);
    }
  }
  return extent;
}

std::array<float, 6> getStructureBox(const ExportContext& ctx, const ExportAtoms& set)
{
  const std::array<float, 6> extent = structureExtent(set);
  std::array<float, 6> box{};
  for (std::size_t k = 0; k < 3; ++k) {
    const float padding = ctx.cifPadding[k];
    box[k] = extent[k] - padding;
    box[3 + k] = extent[3 + k] - extent[k] + 2.0f * padding;
  }
  for (std::size_t k = 3; k < 6; ++k) {
    if (box[k] == 0.0f)
      box[k] = 1.0f;
  }
  return box;
}

BigVector<ExportBond> sceneBonds(const ExportContext& ctx, const ExportAtoms& set)
{
  std::unordered_map<std::string, std::size_t> byPosition;
  byPosition.reserve(set.positionTexts.size());
  for (std::size_t i = 0; i < set.positionTexts.size(); ++i)
    byPosition.emplace(set.positionTexts[i], i);

  BigVector<ExportBond> out;
  if (!FileExists(ctx.sceneBondFile))
    return out;
  SceneFileReader reader(ctx.sceneBondFile);
  SceneFields fields;
  std::string key;
  while (reader.next(fields)) {
    if (fields.size() != 7)
      continue;
    key = positionText(fields, 0);
    const auto a = byPosition.find(key);
    key = positionText(fields, 3);
    const auto b = byPosition.find(key);
    if (a != byPosition.end() && b != byPosition.end())
      out.push_back({a->second, b->second});
  }
  if (!reader.status())
    throw RuntimeError(reader.status().error());
  return out;
}

BigVector<ExportBond> shownBonds(const ExportContext& ctx, const ExportAtoms& set)
{
  return set.fromSceneFile ? sceneBonds(ctx, set) : writtenBonds(ctx, set);
}

BigVector<ExportBond> writtenBonds(const ExportContext& ctx, const ExportAtoms& set)
{
  BigVector<ExportBond> out;
  out.reserve(static_cast<std::size_t>(std::max(ctx.model.bondCount, 0)));
  forEachWrittenBond(ctx, set, [&](std::uint32_t a, std::uint32_t b) { out.push_back({a, b}); });
  return out;
}

} // namespace tarvek
