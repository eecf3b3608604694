// The VRML 2.0 and 1.0 writers: a sphere per atom, a cylinder per bond and inserted object.
#include "formats/export_text.h"
#include "formats/structure_writers.h"

#include "model/display_settings.h"
#include "runtime/file_util.h"
#include "runtime/math_util.h"
#include "runtime/number_format.h"
#include "runtime/runtime_error.h"
#include "scene/atom_style.h"
#include "scene/scene_files.h"
#include "scene/scene_object.h"

#include <cmath>

namespace tarvek {

namespace {

using Vec = std::array<float, 3>;

constexpr const char* range = "VRML-File only supports finite coordinates";

// "0.0###": coordinates, lengths and angles; "0.0##": sphere radii.
constexpr NumberMask numberMask("0.0###");
constexpr NumberMask radiusMask("0.0##");

std::string number(float value) { return Format(value, "0.0###"); }

void appendSpaced(std::string& text, float value)
{
  appendFormat(text, value, numberMask);
  text += ' ';
}

void requireFinite(const Vec& p)
{
  for (const float v : p) {
    if (!std::isfinite(v))
      throw RuntimeError(range);
  }
}

// How a sphere or cylinder is written in VRML 1.0; VRML 2.0 writes every
// sphere and every cylinder alike.
enum class SphereForm { Sheet, Atom };
enum class CylinderForm { Bond, Fill, SceneLine };

// Translation and rotation texts and the length of a cylinder from p1 to p2,
// which a VRML cylinder, lying along y, needs to span the two points.
struct Cylinder {
  std::string translation;
  std::string rotation;
  float length = 0.0f;
};

Cylinder cylinderBetween(const Vec& p1, const Vec& p2, bool antiparallelRule)
{
  Cylinder c;
  for (std::size_t k = 0; k < 3; ++k)
    appendSpaced(c.translation, (p1[k] + p2[k]) / 2.0f);
  const float dx = p1[0] - p2[0];
  const float dy = p1[1] - p2[1];
  const float dz = p1[2] - p2[2];
  c.length = std::sqrt(dy * dy + dx * dx + dz * dz);
  Vec d{dx, dy, dz};
  Vec y{0.0f, 1.0f, 0.0f};
  Vec axis{};
  bondRotationAxis(d, y, axis);
  float turn = -bondRotationAngle(d, y);
  // A symmetric cylinder along -y needs no turn.
  if (antiparallelRule && std::fabs(std::fabs(turn) - 3.1416f) < 0.0001f)
    turn = 0.0f;
  for (const float v : axis)
    appendSpaced(c.rotation, v);
  appendSpaced(c.rotation, turn);
  return c;
}

class VrmlWriter {
public:
  VrmlWriter(const ExportContext& ctx, const VrmlScene& scene, const std::string& path,
             VrmlVersion version)
      : m_ctx(ctx), m_scene(scene), m_out(ctx, path), m_v1(version == VrmlVersion::Vrml1)
  {
  }

  void write()
  {
    header();
    if (m_ctx.sceneListCount >= 2) {
      sceneAtoms();
      sceneBonds();
    } else {
      modelAtoms();
      modelBonds();
      fills();
    }
    m_out.commit();
  }

private:
  void header()
  {
    if (m_v1) {
      m_out.line("#VRML V1.0 ascii");
      return;
    }
    const Preferences& prefs = m_scene.preferences;
    const std::uint32_t background = prefs.optionFlags[1] ? packColor(255, 255, 255)
                                                          : prefs.backgroundColor;
    m_out.line("#VRML V2.0 utf8");
    m_out.line("WorldInfo { title \"tarvek VRML Export\" }");
    m_out.line("NavigationInfo { type \"EXAMINE\" }");
    m_out.line("DEF BKG Background { skyColor [ " + colorToRGBString(background) + " ] }");
  }

  // colour is the colour string with any trailing blank.
  void sphere(const Vec& p, float radius, const std::string& colour, SphereForm form)
  {
    requireFinite(p);
    m_line.clear();
    if (m_v1) {
      m_line += "Separator { Material { diffuseColor ";
      m_line += colour;
      m_line += form == SphereForm::Atom ? " specularColor 1 1 1 shininess 1 } "
                                         : " specularColor 1 1 1 shininess 1 }";
      m_out.line(m_line);
      m_line = "Translation { translation ";
    } else {
      m_line += "Transform { translation ";
    }
    appendSpaced(m_line, p[0]);
    appendSpaced(m_line, p[1]);
    appendFormat(m_line, p[2], numberMask);
    if (m_v1) {
      m_line += form == SphereForm::Atom ? "}Sphere { radius " : "} Sphere { radius ";
      appendFormat(m_line, radius, radiusMask);
      m_line += form == SphereForm::Atom ? " } }" : " }}";
      m_out.line(m_line);
      return;
    }
    m_out.line(m_line);
    m_out.line("children [ Shape{ geometry Sphere { radius " + Format(radius, "0.0##") + " }");
    appearance(colour);
  }

  void cylinder(const Vec& p1, const Vec& p2, float radius, const std::string& colour,
                CylinderForm form)
  {
    requireFinite(p1);
    requireFinite(p2);
    const Cylinder c = cylinderBetween(p1, p2, form == CylinderForm::Bond);
    if (m_v1) {
      if (form == CylinderForm::Fill)
        m_out.line("Material { diffuseColor " + colour + " specularColor 1 1 1 shininess 1 }");
      else if (form == CylinderForm::SceneLine)
        m_out.line("Material {diffuseColor " + colour + " specularColor 1 1 1 shininess 1 }");
      m_out.line("Separator{ Transform { translation " + c.translation + " rotation " + c.rotation
                 + " }");
      m_out.line("Cylinder { height " + number(c.length) + " radius " + number(radius)
                 + (form == CylinderForm::Fill ? " }}" : " parts SIDES }}"));
      return;
    }
    m_out.line("Transform { translation " + c.translation + " rotation " + c.rotation);
    m_out.line("children [ Shape{ geometry Cylinder {  height " + number(c.length) + " radius "
               + number(radius) + " }");
    appearance(colour);
  }

  void appearance(const std::string& colour)
  {
    m_line = "appearance Appearance { material Material { diffuseColor ";
    m_line += colour;
    m_line += " specularColor 1 1 1 shininess 1 } } } ] }";
    m_out.line(m_line);
  }

  void modelAtoms()
  {
    if (!m_scene.display.atomsShown)
      return;
    const Model& m = m_ctx.model;
    const ExportAtoms set = exportAtoms(m_ctx, ExportUse::Vrml);
    const SphereForm form =
        m.structureKind == 2 || m.structureKind == 4 ? SphereForm::Sheet : SphereForm::Atom;
    const float scale = m_scene.display.atomRadiusScale;
    AtomPick pick;
    float radius = 0.0f;
    for (const ExportAtom& a : set.atoms) {
      if (m.partsFlag) {
        const std::int32_t element = a.type - 1;
        if (elementInTables(element)) {
          const auto e = static_cast<std::int16_t>(element);
          pick.colour = m_scene.scene.getAtomColor(e);
          radius = scale * m_scene.scene.getAtomRadius(e);
        }
      } else {
        pickByCode(pick, a.type, m, m_scene.preferences);
        radius = scale * covalentRadiusOf(m, pick.element);
      }
      sphere({a.x, a.y, a.z}, radius, colorToRGBString(pick.colour) + ' ', form);
    }
  }

  void modelBonds()
  {
    if (!m_scene.display.bondsShown)
      return;
    const std::string colour = colorToRGBString(m_scene.preferences.bondColor);
    if (m_v1)
      m_out.line("Material {diffuseColor " + colour + " specularColor 1 1 1 shininess 1 }");
    const std::int16_t kind = m_ctx.model.structureKind;
    if (kind < 1 || kind > 8)
      return;
    // Bonds use the whole set: a virus cage draws the bonds of its vertices.
    const ExportAtoms set = exportAtoms(m_ctx, ExportUse::BondTable);
    const float radius = bondRadius(m_scene.display);
    for (const ExportBond& b : writtenBonds(m_ctx, set)) {
      const ExportAtom& p = set.atoms[b.a];
      const ExportAtom& q = set.atoms[b.b];
      cylinder({p.x, p.y, p.z}, {q.x, q.y, q.z}, radius, colour, CylinderForm::Bond);
    }
  }

  void fills()
  {
    const CXXX& scene = m_scene.scene;
    for (std::int16_t i = 0; i < scene.getNfill(); ++i) {
      const long kind = std::lround(scene.getFill(i, 8));
      const float radius = scene.getFill(i, 6);
      const std::string colour = colorToRGBString(wholeColour(scene.getFill(i, 7)));
      if (kind == 0) {
        cylinder({scene.getFill(i, 0), scene.getFill(i, 1), scene.getFill(i, 2)},
                 {scene.getFill(i, 3), scene.getFill(i, 4), scene.getFill(i, 5)}, radius, colour,
                 CylinderForm::Fill);
      } else if (kind == 1) {
        sphere({0.0f, 0.0f, 0.0f}, radius, colour, SphereForm::Sheet);
      }
    }
  }

  static std::string fieldCountText(const SceneFileReader& reader, std::size_t fields,
                                    const char* expected)
  {
    return "Line " + std::to_string(reader.lineNumber()) + " of the scene file \"" + reader.path()
           + "\" has " + std::to_string(fields) + " fields; " + expected + '.';
  }

  static float field(const SceneFileReader& reader, const SceneFields& fields,
                     std::size_t i)
  {
    return static_cast<float>(reader.value(fields, i));
  }

  static void finishReading(const SceneFileReader& reader)
  {
    if (!reader.status())
      throw RuntimeError(reader.status().error());
  }

  void sceneAtoms()
  {
    if (!m_scene.display.atomsShown)
      return;
    const Model& m = m_ctx.model;
    const bool wallColours = m.tubeVariant == 1 || m.tubeVariant == 2;
    SceneFileReader reader(m_ctx.sceneAtomFile);
    SceneFields fields;
    AtomPick pick;
    while (reader.next(fields)) {
      if (fields.empty())
        continue;
      if (fields.size() < 5)
        throw RuntimeError(fieldCountText(reader, fields.size(), "5 are needed"));
      pickByCode(pick, static_cast<std::int32_t>(std::lround(reader.value(fields, 3))), m,
                 m_scene.preferences);
      // Sheet lines have no colour field; they keep their code's colour.
      const std::uint32_t colour =
          wallColours && fields.size() > 5 ? wholeColour(reader.value(fields, 5)) : pick.colour;
      const float radius = m_scene.display.atomRadiusScale * covalentRadiusOf(m, pick.element);
      sphere({field(reader, fields, 0), field(reader, fields, 1), field(reader, fields, 2)}, radius,
             colorToRGBString(colour) + ' ', SphereForm::Atom);
    }
    finishReading(reader);
  }

  void sceneBonds()
  {
    // A scene without bonds has no bond file.
    if (!m_scene.display.bondsShown || !FileExists(m_ctx.sceneBondFile))
      return;
    SceneFileReader reader(m_ctx.sceneBondFile);
    SceneFields fields;
    const float bondR = bondRadius(m_scene.display);
    while (reader.next(fields)) {
      const std::size_t n = fields.size();
      if (n == 0)
        continue;
      auto at = [&](std::size_t i) { return field(reader, fields, i); };
      if (n == 7 || n == 8) {
        const std::string colour = colorToRGBString(wholeColour(reader.value(fields, 6)));
        cylinder({at(0), at(1), at(2)}, {at(3), at(4), at(5)}, n == 8 ? at(7) : bondR, colour,
                 CylinderForm::SceneLine);
      } else if (n == 5) {
        const std::string colour = colorToRGBString(wholeColour(reader.value(fields, 4)));
        sphere({at(0), at(1), at(2)}, at(3), colour + ' ', SphereForm::Atom);
      } else {
        throw RuntimeError(fieldCountText(reader, n, "5, 7 or 8 are expected"));
      }
    }
    finishReading(reader);
  }

  const ExportContext& m_ctx;
  const VrmlScene& m_scene;
  ExportText m_out;
  bool m_v1;
  std::string m_line;
};

} // namespace

std::string colorToRGBString(std::uint32_t colour)
{
  auto channel = [&](int shift) {
    return Format(static_cast<float>((colour >> shift) & 0xFFu) / 255.0f, "0.0#");
  };
  return channel(0) + ' ' + channel(8) + ' ' + channel(16);
}

void normalizeVector(std::array<float, 3>& v)
{
  const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  for (float& c : v)
    c = length == 0.0f ? 0.0f : c / length;
}

void bondRotationAxis(std::array<float, 3>& a, std::array<float, 3>& b, std::array<float, 3>& out)
{
  normalizeVector(a);
  normalizeVector(b);
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
  normalizeVector(out);
}

float bondRotationAngle(std::array<float, 3>& a, std::array<float, 3>& b)
{
  normalizeVector(a);
  normalizeVector(b);
  return static_cast<float>(ArcCosine(a[0] * b[0] + a[1] * b[1] + a[2] * b[2]));
}

void exportVRML(const ExportContext& ctx, const VrmlScene& scene, const std::string& path,
                VrmlVersion version)
{
  if (version != VrmlVersion::Vrml2 && version != VrmlVersion::Vrml1)
    return;
  WaitCursor wait(ctx.prompts);
  VrmlWriter(ctx, scene, path, version).write();
}

} // namespace tarvek
