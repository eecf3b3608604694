#include "model/colour_helpers.h"
#include "model/display_settings.h"
#include "model/model.h"
#include "platform/abort.h"
#include "runtime/file_util.h"
#include "runtime/math_util.h"
#include "runtime/ordered_blocks.h"
#include "scene/gl_api.h"
#include "scene/scene_files.h"
#include "scene/scene_object.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace tarvek {
namespace {

// Colour parts of red + 256 green + 65536 blue.
std::array<std::uint8_t, 3> parts(std::uint32_t colour)
{
  return {static_cast<std::uint8_t>(colour & 0xFF), static_cast<std::uint8_t>((colour >> 8) & 0xFF),
          static_cast<std::uint8_t>((colour >> 16) & 0xFF)};
}

std::uint8_t clampChannel(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

bool isSheetKind(std::int16_t kind) { return kind == 2 || kind == 4; }

bool isAtomSetKind(std::int16_t kind) { return kind == 1 || kind == 3 || (kind >= 5 && kind <= 8); }

bool validElement(std::int32_t element) { return element >= 0 && element <= 120; }

// Appends the scene-file lines of items first .. last - 1, line(i) each,
// made in blocks on worker threads and handed on in order: formatting the
// numbers is most of a large structure's compile, the records the rest.
template <typename Line>
void appendLines(SceneFileAppender& out, std::int32_t first, std::int32_t last, const Line& line)
{
  if (last <= first)
    return;
  constexpr std::size_t kLinesPerBlock = 1 << 14;
  makeInOrder(
      static_cast<std::size_t>(last - first), kLinesPerBlock,
      [&](std::size_t from, std::size_t to, std::string& block) {
        for (std::size_t k = from; k < to; ++k) {
          block += line(first + static_cast<std::int32_t>(k));
          block += "\r\n";
        }
      },
      [&](std::string_view lines) { out.appendLines(lines); });
}

// Builders keep every array as long as its count; a caller that did not
// would have the loops read past the arrays.
void checkArrays(const BigVector<float>& x, const BigVector<float>& y, const BigVector<float>& z,
                 const BigVector<std::int16_t>& type, std::int32_t count, const char* name)
{
  const auto n = static_cast<std::size_t>(std::max(count, 0));
  if (count < 0 || x.size() < n || y.size() < n || z.size() < n || type.size() < n) {
    throw SceneError(std::string("The ") + name + " counts " + std::to_string(count)
                     + " atoms but holds fewer.");
  }
}

} // namespace

// Refuses a compile operation while another runs (reached through the event
// pump of its Escape poll) and puts the box back when the operation fails.
class CXXX::CompileGuard {
public:
  explicit CompileGuard(CXXX& scene) : m_scene(scene), m_box(scene.m_box)
  {
    if (scene.m_compiling)
      throw SceneError("The scene is still being built; nothing was changed.");
    scene.m_compiling = true;
  }
  ~CompileGuard()
  {
    m_scene.m_compiling = false;
    if (!m_done)
      m_scene.m_box = m_box;
  }
  CompileGuard(const CompileGuard&) = delete;
  CompileGuard& operator=(const CompileGuard&) = delete;

  // Success: the box is measured again on its next use.
  void done()
  {
    m_done = true;
    m_scene.m_box.valid = false;
  }

private:
  CXXX& m_scene;
  Box m_box;
  bool m_done = false;
};

void CXXX::clearScene()
{
  CompileGuard guard(*this);
  killFile(m_atomFilePath);
  killFile(m_bondFilePath);
  m_fileExtremes = {};
  {
    GlContextGuard context(m_context);
    if (context.current()) {
      for (auto list = m_lists.rbegin(); list != m_lists.rend(); ++list) {
        if (list->glId != 0)
          m_gl.deleteList(list->glId);
      }
    }
  }
  m_lists.clear();
  m_frameRadius = 0.0f;
  // The pose stays: a rebuild of the same structure (new sizes, bonds or
  // parts) is seen as before, its reach measured again over the new lists.
  m_frame.forget();
  m_fillCount = 0;
  drawnBondCount = 0;
  drawnAtomCount = 0;
  guard.done();
}

void CXXX::readAtomFileExtremes()
{
  FileExtremes& seen = m_fileExtremes;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(m_atomFilePath, error);
  // A file made afresh (or gone, which the reader reports) is read whole.
  if (error || size < seen.bytes)
    seen = {};
  SceneFileReader reader(m_atomFilePath, seen.bytes, seen.lines);
  FileExtremes next = seen;
  SceneFields fields;
  while (reader.next(fields)) {
    const std::array<float, 3> p{static_cast<float>(reader.value(fields, 0)),
                                 static_cast<float>(reader.value(fields, 1)),
                                 static_cast<float>(reader.value(fields, 2))};
    for (std::size_t a = 0; a < 3; ++a) {
      next.lo[a] = std::min(next.lo[a], p[a]);
      next.hi[a] = std::max(next.hi[a], p[a]);
    }
  }
  if (!reader.status())
    throw SceneError(reader.status().error());
  next.bytes = size;
  next.lines = reader.lineNumber();
  seen = next;
}

void CXXX::computeBox()
{
  if (!m_box.valid)
    measureBox();
}

void CXXX::measureBox()
{
  std::array<float, 3> lo{99999.0f, 99999.0f, 99999.0f};
  std::array<float, 3> hi{-99999.0f, -99999.0f, -99999.0f};
  auto take = [&](float x, float y, float z) {
    const std::array<float, 3> p{x, y, z};
    for (std::size_t a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], p[a]);
      hi[a] = std::max(hi[a], p[a]);
    }
  };

  const Model& m = m_model;
  if (getNO() < 2 || m.tubeVariant == 2) {
    if (isSheetKind(m.structureKind)) {
      checkArrays(m.sheetX, m.sheetY, m.sheetZ, m.sheetType, m.sheetCount, "sheet set");
      for (std::int32_t i = 0; i < m.sheetCount; ++i)
        take(m.sheetX[i], m.sheetY[i], m.sheetZ[i]);
    } else {
      checkArrays(m.atomX, m.atomY, m.atomZ, m.atomType, m.atomCount, "atom set");
      for (std::int32_t i = 0; i < m.atomCount; ++i)
        take(m.atomX[i], m.atomY[i], m.atomZ[i]);
    }
  } else {
    // Earlier parts of the structure (bundle walls, multi-wall tubes) live
    // only in the scene atom file.
    readAtomFileExtremes();
    lo = m_fileExtremes.lo;
    hi = m_fileExtremes.hi;
  }

  for (std::size_t a = 0; a < 3; ++a) {
    m_box.range[a] = {lo[a], hi[a]};
    m_box.centre[a] = (hi[a] - lo[a]) / 2.0f + lo[a];
    m_box.size[a] = std::fabs(hi[a] - lo[a]);
  }
  m_box.valid = true;
}

std::uint32_t CXXX::heightColour(float v) const
{
  const std::size_t axis = isSheetKind(m_model.structureKind) ? 1 : 2;
  const float lo = m_box.range[axis][0];
  const float extent = m_box.range[axis][1] - lo;
  double hue = 0.0;
  // A flat scene has no height to spread; placed parts may lie outside the
  // measured box, hence the clamp.
  if (extent != 0.0f)
    hue = std::clamp(std::nearbyint(static_cast<double>(v - lo) * 239.0 / extent), 0.0, 239.0);
  const RGBParts rgb = HSBtoRGB(static_cast<std::int16_t>(hue), 239, 160);
  return packColor(clampChannel(rgb.red), clampChannel(rgb.green), clampChannel(rgb.blue));
}

void CXXX::atomStyle(AtomStyle& style, std::int16_t type, bool atomSet) const
{
  const Preferences& p = m_preferences;
  std::uint32_t colour = style.colour;
  std::int32_t element = style.element;
  float radius = style.radius;
  auto pick = [&](std::uint32_t c, std::int32_t e) {
    // An element outside the tables is treated like an untyped atom.
    if (validElement(e)) {
      colour = c;
      element = e;
    }
  };
  switch (type) {
  case 1:
    pick(p.site1Color, m_model.siteElement1);
    break;
  case 2:
    pick(p.site2Color, m_model.siteElement2);
    break;
  case 3:
    pick(p.carbonColor, 6);
    break;
  default:
    break;
  }
  if (validElement(element))
    radius = m_display.atomRadiusScale * m_model.covalentRadius[static_cast<std::size_t>(element)];
  if (atomSet) {
    if (m_model.tubeVariant == 1 || m_model.tubeVariant == 2)
      colour = p.bondColor;
    if (m_model.partsFlag) {
      const std::int32_t index = type - 1;
      if (validElement(index)) {
        colour = m_elementColor[static_cast<std::size_t>(index)];
        radius = m_display.atomRadiusScale * m_elementRadius[static_cast<std::size_t>(index)];
      } else {
        colour = style.colour;
        radius = style.radius;
      }
    }
  }
  style = {colour, element, radius};
}

void CXXX::insertedFillObject(std::array<FillRecord, 21>& table, std::int16_t& count) const
{
  if (!m_display.insertFlag)
    return;
  const Model& m = m_model;
  FillRecord f;
  f.colour = static_cast<std::int32_t>(m_preferences.backgroundColor);
  if (m.structureKind == 1) {
    f.x1 = f.x2 = m.placementX;
    f.y1 = f.y2 = m.placementY;
    f.z1 = m.placementZ;
    f.z2 = m.placementZ + m.tubeLength;
    f.radius = static_cast<float>(static_cast<double>(m.lastTubeRadius) - 0.1);
    f.kind = 0;
  } else if (m.structureKind == 5) {
    f.radius = 3.4f;
    f.kind = 1;
  } else {
    return;
  }
  // Once 20 are held, a further object only overwrites the spare slot.
  table[static_cast<std::size_t>(count)] = f;
  count = static_cast<std::int16_t>(std::min(count + 1, 20));
}

void CXXX::drawCylinder(SceneRecord& record, const V3& p1, const V3& p2, float radius,
                        std::uint8_t red, std::uint8_t green, std::uint8_t blue) const
{
  const float length = pointDistance(p1[0], p1[1], p1[2], p2[0], p2[1], p2[2]);
  if (length == 0.0f)
    return;
  const V3 a{(p2[0] - p1[0]) / length, (p2[1] - p1[1]) / length, (p2[2] - p1[2]) / length};
  const V3 z{0.0f, 0.0f, 1.0f};
  V3 axis;
  V3Crossf(axis, a, z);
  if (V3IsEqualf(axis, {0.0f, 0.0f, 0.0f}))
    axis = {0.0f, 1.0f, 0.0f};
  V3 d;
  V3Subf(d, z, a);
  float s = 0.0f;
  V3Lengthf(s, d);
  s = std::clamp(s / 2.0f, -1.0f, 1.0f);
  const float angle = -radToDeg(2.0 * ArcSine(s));
  const std::array<float, 3>& c = m_box.centre;
  record.cylinders.push_back(
      {{p1[0] - c[0], p1[1] - c[1], p1[2] - c[2]}, axis, angle, length, radius, {red, green, blue}});
}

void CXXX::checkBonds(std::int32_t setCount) const
{
  const Model& m = m_model;
  const auto n = static_cast<std::size_t>(std::max(m.bondCount, 0));
  if (m.bondCount < 0 || m.bondAtom1.size() < n || m.bondAtom2.size() < n)
    throw SceneError("The bond list counts " + std::to_string(m.bondCount) + " bonds but holds fewer.");
  for (std::size_t i = 0; i < n; ++i) {
    for (const std::int32_t atom : {m.bondAtom1[i], m.bondAtom2[i]}) {
      if (atom < 0 || atom >= setCount) {
        throw SceneError("Bond " + std::to_string(i) + " refers to atom " + std::to_string(atom)
                         + ", but the structure has " + std::to_string(setCount) + " atoms.");
      }
    }
  }
}

void CXXX::setAtomData()
{
  {
    CompileGuard guard(*this);
    const Model& m = m_model;
    const DisplaySettings& d = m_display;
    m_abort.clearEscape();
    const std::int16_t detail = m.atomCount > 10000 ? 4 : m.atomCount > 4000 ? 8 : 16;
    measureBox();
    const std::array<float, 3> c = m_box.centre;

    SceneRecord record;
    record.kind = ListKind::Atoms;
    SceneFileAppender out(m_atomFilePath);
    std::int32_t counted = 0;
    AtomStyle style;
    auto rgba = [](std::uint32_t colour) {
      const auto p = parts(colour);
      return std::array<std::uint8_t, 4>{p[0], p[1], p[2], 255};
    };
    if (isSheetKind(m.structureKind)) {
      checkArrays(m.sheetX, m.sheetY, m.sheetZ, m.sheetType, m.sheetCount, "sheet set");
      record.spheres.reserve(static_cast<std::size_t>(m.sheetCount));
      for (std::int32_t i = 0; i < m.sheetCount; ++i) {
        const float x = m.sheetX[i], y = m.sheetY[i], z = m.sheetZ[i];
        const std::int16_t type = m.sheetType[i];
        atomStyle(style, type, false);
        const std::uint32_t colour = d.rainbowMode ? heightColour(y) : style.colour;
        record.spheres.push_back({{x - c[0], y - c[1], z - c[2]}, style.radius, rgba(colour), detail, detail});
        ++counted;
        if (m_abort.escapePressed())
          break;
      }
      appendLines(out, 0, counted, [&](std::int32_t i) {
        return sheetLine(m.sheetX[i], m.sheetY[i], m.sheetZ[i], m.sheetType[i], i);
      });
    } else if (isAtomSetKind(m.structureKind)) {
      checkArrays(m.atomX, m.atomY, m.atomZ, m.atomType, m.atomCount, "atom set");
      // A virus cage's first twelve atoms are the icosahedron's corners.
      const std::int32_t start = m.structureKind == 8 ? 12 : 0;
      const auto atoms = static_cast<std::size_t>(std::max(m.atomCount - start, 0));
      record.spheres.reserve(atoms);
      BigVector<std::uint32_t> colours;
      colours.reserve(atoms);
      for (std::int32_t i = start; i < m.atomCount; ++i) {
        const float x = m.atomX[i], y = m.atomY[i], z = m.atomZ[i];
        const std::int16_t type = m.atomType[i];
        atomStyle(style, type, true);
        const std::uint32_t colour = d.rainbowMode ? heightColour(z) : style.colour;
        if (type > 0) {
          record.spheres.push_back({{x - c[0] + m.placementX, y - c[1] + m.placementY, z - c[2] + m.placementZ},
                                    style.radius, rgba(colour), detail, detail});
        }
        colours.push_back(colour);
        ++counted;
        if (m_abort.escapePressed())
          break;
      }
      appendLines(out, start, start + counted, [&](std::int32_t i) {
        return atomLine(m.atomX[i] + m.placementX, m.atomY[i] + m.placementY,
                        m.atomZ[i] + m.placementZ, m.atomType[i], i,
                        static_cast<std::int32_t>(colours[static_cast<std::size_t>(i - start)]));
      });
    }
    out.commit();

    insertedFillObject(m_fillTable, m_fillCount);
    drawnAtomCount += counted;
    addList(std::move(record));
    guard.done();
  }
  m_events.pumpEvents();
}

void CXXX::setBondData()
{
  {
    CompileGuard guard(*this);
    const Model& m = m_model;
    const DisplaySettings& d = m_display;
    m_abort.clearEscape();
    const bool sheet = isSheetKind(m.structureKind);
    if (sheet)
      checkArrays(m.sheetX, m.sheetY, m.sheetZ, m.sheetType, m.sheetCount, "sheet set");
    else
      checkArrays(m.atomX, m.atomY, m.atomZ, m.atomType, m.atomCount, "atom set");
    checkBonds(sheet ? m.sheetCount : m.atomCount);
    if (!d.atomsShown)
      measureBox();
    const std::array<float, 3> c = m_box.centre;
    const bool lineMode = m.bondCount > 2000 && m_preferences.optionFlags[9];

    SceneRecord record;
    record.kind = ListKind::Bonds;
    record.cullFace = !lineMode;
    SceneFileAppender out(m_bondFilePath);
    const std::uint32_t bondColour = m_preferences.bondColor;
    const float bondRadius = static_cast<float>(static_cast<double>(d.bondWidthScale) * 0.3);
    const bool cage = m.structureKind == 8 && m.cageBondStart >= 0;
    const std::array<std::uint8_t, 3> cageRgb{clampChannel(m.cageColor[0]), clampChannel(m.cageColor[1]),
                                              clampChannel(m.cageColor[2])};
    const std::size_t heightAxis = sheet ? 1 : 2;
    if (lineMode) {
      record.lineVertices.reserve(static_cast<std::size_t>(m.bondCount) * 6);
      record.lineColors.reserve(static_cast<std::size_t>(m.bondCount));
    } else {
      record.cylinders.reserve(static_cast<std::size_t>(m.bondCount));
    }
    const auto ends = [&](std::int32_t i, V3& p1, V3& p2) {
      const std::int32_t a = m.bondAtom1[i], b = m.bondAtom2[i];
      if (sheet) {
        p1 = {m.sheetX[a], m.sheetY[a], m.sheetZ[a]};
        p2 = {m.sheetX[b], m.sheetY[b], m.sheetZ[b]};
      } else {
        p1 = {m.atomX[a] + m.placementX, m.atomY[a] + m.placementY, m.atomZ[a] + m.placementZ};
        p2 = {m.atomX[b] + m.placementX, m.atomY[b] + m.placementY, m.atomZ[b] + m.placementZ};
      }
    };
    // The colour each bond's file line names.
    BigVector<std::uint32_t> lineColours;
    lineColours.reserve(static_cast<std::size_t>(std::max(m.bondCount, 0)));
    std::int32_t counted = 0;
    for (std::int32_t i = 0; i < m.bondCount; ++i) {
      V3 p1, p2;
      ends(i, p1, p2);
      const std::uint32_t colour =
          d.rainbowMode ? heightColour((p1[heightAxis] + p2[heightAxis]) / 2.0f) : bondColour;
      const auto rgb = parts(colour);
      if (cage && i >= m.cageBondStart) {
        drawCylinder(record, p1, p2, 0.03f, cageRgb[0], cageRgb[1], cageRgb[2]);
      } else if (lineMode) {
        for (const V3& p : {p1, p2}) {
          for (std::size_t k = 0; k < 3; ++k)
            record.lineVertices.push_back(p[k] - c[k]);
        }
        record.lineColors.push_back(rgb);
      } else {
        drawCylinder(record, p1, p2, bondRadius, rgb[0], rgb[1], rgb[2]);
      }
      lineColours.push_back(lineMode ? bondColour : colour);
      ++counted;
      if (m_abort.escapePressed())
        break;
    }
    appendLines(out, 0, counted, [&](std::int32_t i) {
      V3 p1, p2;
      ends(i, p1, p2);
      const float q1[3]{p1[0], p1[1], p1[2]}, q2[3]{p2[0], p2[1], p2[2]};
      return bondLine(q1, q2, static_cast<std::int32_t>(lineColours[static_cast<std::size_t>(i)]));
    });
    out.commit();

    if (!d.atomsShown)
      insertedFillObject(m_fillTable, m_fillCount);
    drawnBondCount += counted;
    addList(std::move(record));
    guard.done();
  }
  m_events.pumpEvents();
}

void CXXX::setFillData()
{
  {
    CompileGuard guard(*this);
    if (m_fillCount == 0)
      return;
    SceneRecord record;
    record.kind = ListKind::Fill;
    SceneFileAppender out(m_bondFilePath);
    for (std::int16_t i = 0; i < m_fillCount; ++i) {
      const FillRecord& f = m_fillTable[static_cast<std::size_t>(i)];
      const auto rgb = parts(static_cast<std::uint32_t>(f.colour));
      if (f.kind == 0) {
        drawCylinder(record, {f.x1, f.y1, f.z1}, {f.x2, f.y2, f.z2}, f.radius, rgb[0], rgb[1], rgb[2]);
        const float p1[3]{f.x1, f.y1, f.z1}, p2[3]{f.x2, f.y2, f.z2};
        out.append(fillCylinderLine(p1, p2, f.colour, f.radius));
      } else if (f.kind == 1) {
        record.balls.push_back({f.radius, rgb});
        out.append(fillBallLine(f.radius, f.colour));
      }
    }
    out.commit();
    addList(std::move(record));
    guard.done();
  }
  m_events.pumpEvents();
}

void CXXX::addList(SceneRecord record)
{
  m_frameRadius = std::max(m_frameRadius, recordRadius(record));
  m_frame.forget();
  m_lists.push_back({std::move(record), 0});
  GlContextGuard context(m_context);
  if (context.current())
    compileList(m_lists.back());
}

void CXXX::compileList(SceneList& list)
{
  const std::uint32_t id = m_gl.genLists();
  if (id == 0)
    return;
  m_gl.newList(id);
  compileRecord(list.record, m_gl);
  m_gl.endList();
  list.glId = id;
}

void CXXX::compilePendingLists()
{
  GlContextGuard context(m_context);
  if (!context.current())
    return;
  for (SceneList& list : m_lists) {
    if (list.glId == 0)
      compileList(list);
  }
}

void CXXX::dropGlLists()
{
  for (SceneList& list : m_lists)
    list.glId = 0;
}

} // namespace tarvek
