#include "scene/povray_writer.h"

#include "model/model.h"
#include "platform/clock.h"
#include "runtime/number_format.h"
#include "runtime/number_parse.h"
#include "runtime/one_line_text.h"
#include "runtime/ordered_blocks.h"
#include "scene/atom_style.h"
#include "scene/scene_files.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace tarvek {

namespace {


bool sheetKind(std::int16_t kind) { return kind == 2 || kind == 4; }

// Lines are gathered up to this size before they go to the file.
constexpr std::size_t kFlushSize = 64 * 1024;
// Scene file lines read and written as one block, on a worker thread when
// there are several blocks.
constexpr std::size_t kLinesPerPart = 8192;

void throwOnReadFailure(const SceneFileReader& reader)
{
  if (!reader.status())
    throw SceneError(reader.status().error());
}

// Where a block of a scene file's lines begins, and the atom pick the lines
// before it pass on to it.
struct ScenePart {
  std::uint64_t offset = 0;
  std::int64_t firstLine = 0;
  AtomPick pick;
};

std::vector<ScenePart> atomFileParts(const std::string& path, const Model& model,
                                     const Preferences& preferences)
{
  std::vector<ScenePart> parts;
  SceneFileReader reader(path);
  SceneFields fields;
  AtomPick pick;
  for (std::size_t n = 0; reader.next(fields); ++n) {
    if (n % kLinesPerPart == 0)
      parts.push_back({reader.lineStart(), reader.lineNumber() - 1, pick});
    // A code that does not read ends the writing at its line; every other
    // passes its pick on to the lines after it.
    if (fields.size() > 3) {
      if (const std::optional<double> code = leadingNumber(fields[3]))
        pickByCode(pick, static_cast<std::int32_t>(std::lround(*code)), model, preferences);
    }
  }
  throwOnReadFailure(reader);
  return parts;
}

std::vector<ScenePart> bondFileParts(const std::string& path)
{
  std::vector<ScenePart> parts;
  LineReader reader(path);
  std::string_view line;
  for (std::size_t n = 0; reader.next(line); ++n) {
    if (n % kLinesPerPart == 0)
      parts.push_back({reader.lineStart(), static_cast<std::int64_t>(n), {}});
  }
  if (!reader.status())
    throw SceneError(reader.status().error());
  return parts;
}

void checkSet(const BigVector<float>& x, const BigVector<float>& y, const BigVector<float>& z,
              const BigVector<std::int16_t>& type, std::int32_t count, const std::string& path)
{
  const auto n = static_cast<std::size_t>(count);
  if (count < 0 || x.size() < n || y.size() < n || z.size() < n || type.size() < n)
    throw SceneError("Could not write \"" + path + "\": the atom arrays are shorter than the atom count.");
}

} // namespace

constexpr NumberMask povMask("0.0##");

std::string CXXX::povNumber(float x) { return Format(x, "0.0##"); }

std::string CXXX::povColor(std::uint32_t colour)
{
  auto channel = [&](int shift) {
    return povNumber(static_cast<float>(static_cast<double>((colour >> shift) & 0xFFu) / 255.0));
  };
  return " <" + channel(0) + "," + channel(8) + "," + channel(16) + "> ";
}

CXXX::PovOutput::PovOutput(const std::string& path, const CMatrix& view,
                           const std::array<float, 3>& centre, float glassFilter)
  : m_file(path), m_centre(centre), m_glass(glassFilter > 0.0f), m_filter(povNumber(glassFilter))
{
  view.GetMatrix(m_matrix);
}

void CXXX::PovOutput::inBlocks(std::size_t count, std::size_t itemsPerBlock,
                               const std::function<void(std::size_t, std::size_t, Lines&)>& make)
{
  flush();
  makeInOrder(
      count, itemsPerBlock,
      [&](std::size_t first, std::size_t last, std::string& block) {
        Lines lines(*this, block);
        make(first, last, lines);
      },
      [&](std::string_view bytes) { m_file.write(bytes); });
}

void CXXX::PovOutput::flush()
{
  m_file.write(m_block);
  m_block.clear();
}

void CXXX::PovOutput::Lines::line(std::string_view text)
{
  m_block->append(text);
  m_block->append("\r\n");
  if (m_sink != nullptr && m_block->size() >= kFlushSize) {
    m_sink->write(*m_block);
    m_block->clear();
  }
}

void CXXX::PovOutput::Lines::appendPoint(std::string& out, const Point& p)
{
  const CMatrix::Matrix& m = m_frame.m_matrix;
  const std::array<float, 3>& c = m_frame.m_centre;
  const float qx = p[0] - c[0];
  const float qy = p[1] - c[1];
  const float qz = p[2] - c[2];
  const float tx = m[0] * qx + m[4] * qy + m[8] * qz;
  const float ty = m[2] * qx + m[6] * qy + m[10] * qz;
  const float tz = m[1] * qx + m[5] * qy + m[9] * qz;
  appendFormat(out, tx, povMask);
  out += ", ";
  appendFormat(out, ty, povMask);
  out += ", ";
  appendFormat(out, tz, povMask);
}

void CXXX::PovOutput::Lines::sphere(const Point& centre, std::string_view gap, float radius,
                                    std::uint32_t colour)
{
  m_line = "sphere { <";
  appendPoint(m_line, centre);
  m_line += gap;
  appendFormat(m_line, radius, povMask);
  m_line += atomTexture(colour);
  m_line += '}';
  line(m_line);
}

void CXXX::PovOutput::Lines::cylinder(const Point& end1, const Point& end2, float radius,
                                      std::string_view tail)
{
  m_line = "cylinder { <";
  const std::size_t start = m_line.size();
  appendPoint(m_line, end1);
  const std::string_view first(m_line.data() + start, m_line.size() - start);
  m_end2.clear();
  appendPoint(m_end2, end2);
  if (first == m_end2)
    return;
  m_line += " >,  <";
  m_line += m_end2;
  m_line += " >  ";
  appendFormat(m_line, radius, povMask);
  m_line += tail;
  line(m_line);
}

const std::string& CXXX::PovOutput::Lines::atomTexture(std::uint32_t colour)
{
  CachedTexture& t = m_atomTexture;
  if (t.made && t.colour == colour)
    return t.text;
  t.made = true;
  t.colour = colour;
  if (m_frame.m_glass)
    t.text = " texture { TXatom pigment { rgb " + povColor(colour) + " filter " + m_frame.m_filter
             + " }} interior{ I_Glass caustics 1 }";
  else
    t.text = " texture { TXatom pigment { rgb " + povColor(colour) + "}}";
  return t.text;
}

std::string CXXX::PovOutput::unionTexture(std::uint32_t colour) const
{
  if (m_glass)
    return "texture { TXbond pigment { rgb " + povColor(colour) + " filter " + m_filter +
           " }} interior{ I_Glass caustics 1 }";
  return "texture { TXbond pigment { rgb " + povColor(colour) + "}}";
}

const std::string& CXXX::PovOutput::Lines::bondTexture(std::uint32_t colour)
{
  CachedTexture& t = m_bondTexture;
  if (t.made && t.colour == colour)
    return t.text;
  t.made = true;
  t.colour = colour;
  t.text = m_frame.unionTexture(colour) + "}";
  return t.text;
}

void CXXX::PovOutput::cameraAndLights(const PovCamera& camera, bool orthographic)
{
  const std::string x = povNumber(camera.panX);
  const std::string y = povNumber(camera.panY);
  const std::string location = x + "," + y + "," + povNumber(static_cast<float>(-camera.distance));
  line("//[Camera Position]");
  line("camera {");
  line(std::string(orthographic ? "" : "//") +
       "  orthographic   //(un)comment to toggle perspective/orthonormal projection");
  line("  location <" + location + ">   //modify this value for zooming & perspective");
  line("  look_at <" + x + "," + y + ",0>");
  // The picture keeps the view's shape, so the render shows what the view shows.
  line("  right x*" + povNumber(static_cast<float>(camera.aspect)));
  line("  angle " + povNumber(static_cast<float>(camera.angle)) + "   //modify this value for zooming");
  line("}");
  line("");
  line("//[Light Sources]");
  line("light_source { <" + location +
       "> rgb <1.0,1.0,1.0 > area_light <-20,0,0>, <0,-20,0>, 3, 3  adaptive 1 }");
  line("light_source { <60,100,-10> rgb <0.5,0.5,0.5>}");
  line("");
}

void CXXX::PovOutput::commit()
{
  flush();
  const FileStatus status = m_file.commit();
  if (!status)
    throw SceneError(status.error());
}

void CXXX::POVRAY(const std::string& file, float diffuse, float ambient, float specular,
                  float reflection, float roughness, float glassFilter, const std::string& title,
                  Clock& clock)
{
  computeBox();
  PovOutput out(file, m_viewMatrix, m_box.centre, glassFilter);
  const bool glass = glassFilter > 0.0f;

  const std::tm now = clock.localDateTime();
  char date[128] = {};
  if (std::strftime(date, sizeof date, "%x %X", &now) == 0)
    date[0] = '\0';

  out.line("// Persistence of Vision Ray Tracer Scene Description File");
  out.line("// File: " + oneLineText(file));
  out.line("// Vers: 3.5");
  out.line("// Desc: " + oneLineText(title));
  out.line(std::string("// Date: ") + date);
  out.line("// Auth: tarvek, " + Format(now.tm_year + 1900, "0000"));
  out.line("");
  if (glass)
    out.line("#include \"glass.inc\"");
  out.line("");
  out.line("//[Global]");
  out.line(" global_settings { ");
  out.line("//assumed_gamma 1 ambient_light rgb<1,1,1>");
  out.line(glass ? "  max_trace_level 15" : "  max_trace_level 5");
  out.line(" }");
  out.line("");

  auto finish = [&] {
    out.line("   finish {");
    out.line("     diffuse " + povNumber(diffuse));
    out.line("     ambient " + povNumber(ambient));
    out.line("     specular " + povNumber(specular));
    out.line("     reflection " + povNumber(reflection));
    if (roughness != 0.0f)
      out.line("     roughness " + povNumber(roughness));
  };
  out.line("//[Material Properties - Atoms]");
  if (glass) {
    out.line("#declare TXatom = texture { finish { F_Glass3 } }");
  } else {
    out.line("#declare TXatom = texture {");
    finish();
    out.line("   }");
    out.line("}");
  }
  out.line("");
  out.line("//[Material Properties - Bonds]");
  if (glass) {
    out.line("#declare TXbond = texture { finish { F_Glass3 } }");
  } else {
    out.line(" #declare TXbond = texture {");
    finish();
    out.line("     metallic }");
    out.line("}");
  }
  out.line("");
  out.line("//[Scene Background]");
  out.line("background {" + povColor(0xFFFFFF) + "}");
  out.line("");

  if (getNO() > 1) {
    writePOVBody(out);
  } else {
    writePOVArrays(out);
    out.cameraAndLights(povCamera(), m_display.orthoProjection);
  }
  out.commit();
}

void CXXX::writePOVArrays(PovOutput& out) const
{
  PovOutput::Lines& lines = out.serial();
  const Model& m = m_model;
  const bool sheet = sheetKind(m.structureKind);
  const BigVector<float>& xs = sheet ? m.sheetX : m.atomX;
  const BigVector<float>& ys = sheet ? m.sheetY : m.atomY;
  const BigVector<float>& zs = sheet ? m.sheetZ : m.atomZ;
  const BigVector<std::int16_t>& types = sheet ? m.sheetType : m.atomType;
  const std::int32_t count = sheet ? m.sheetCount : m.atomCount;
  checkSet(xs, ys, zs, types, count, out.path());

  if (m_display.atomsShown) {
    out.line("//[Atoms]");
    if (sheet || (m.structureKind >= 1 && m.structureKind <= 8)) {
      // The atom set's spheres have no blank before the radius.
      const std::string_view gap = sheet ? " > " : " >";
      AtomPick pick;
      float radius = 0.0f;
      for (std::int32_t i = 0; i < count; ++i) {
        const std::int16_t type = types[static_cast<std::size_t>(i)];
        if (m.partsFlag) {
          const std::int32_t index = type - 1;
          if (elementInTables(index)) {
            const auto e = static_cast<std::size_t>(index);
            pick.colour = m_elementColor[e];
            radius = m_display.atomRadiusScale * m_elementRadius[e];
          }
        } else {
          pickByCode(pick, type, m, m_preferences);
          radius = m_display.atomRadiusScale * covalentRadiusOf(m, pick.element);
        }
        const auto k = static_cast<std::size_t>(i);
        lines.sphere({xs[k], ys[k], zs[k]}, gap, radius, pick.colour);
      }
    }
  }

  if (m_display.bondsShown) {
    out.line("//[Bonds]");
    out.line("union {");
    const float radius = bondRadius(m_display);
    const auto n = static_cast<std::size_t>(std::max(m.bondCount, 0));
    if (m.bondAtom1.size() < n || m.bondAtom2.size() < n)
      throw SceneError("Could not write \"" + out.path() + "\": the bond list is shorter than its count.");
    for (std::size_t i = 0; i < n; ++i) {
      const std::int32_t a = m.bondAtom1[i];
      const std::int32_t b = m.bondAtom2[i];
      if (a < 0 || b < 0 || a >= count || b >= count)
        throw SceneError("Could not write \"" + out.path() + "\": bond " +
                         Format(static_cast<std::int64_t>(i + 1), "0") + " names a missing atom.");
      const auto ka = static_cast<std::size_t>(a);
      const auto kb = static_cast<std::size_t>(b);
      lines.cylinder({xs[ka], ys[ka], zs[ka]}, {xs[kb], ys[kb], zs[kb]}, radius, " }");
    }
    out.line(out.unionTexture(m_preferences.bondColor));
    out.line("}");
  }

  for (std::int16_t i = 0; i < getNfill(); ++i) {
    const auto kind = static_cast<std::int16_t>(std::lround(getFill(i, 8)));
    const float radius = getFill(i, 6);
    const std::uint32_t colour = wholeColour(getFill(i, 7));
    if (kind == 0) {
      lines.cylinder({getFill(i, 0), getFill(i, 1), getFill(i, 2)},
                   {getFill(i, 3), getFill(i, 4), getFill(i, 5)}, radius,
                   "texture { TXbond pigment { rgb " + povColor(colour) + "}}}");
    } else if (kind == 1) {
      lines.sphere({0.0f, 0.0f, 0.0f}, " > ", radius, colour);
    }
  }
}

void CXXX::writePOVBody(PovOutput& out) const
{
  const Model& m = m_model;
  if (m_display.atomsShown) {
    const std::vector<ScenePart> parts = atomFileParts(m_atomFilePath, m, m_preferences);
    out.inBlocks(parts.size(), 1, [&](std::size_t first, std::size_t, PovOutput::Lines& lines) {
      const ScenePart& part = parts[first];
      SceneFileReader reader(m_atomFilePath, part.offset, part.firstLine);
      SceneFields fields;
      AtomPick pick = part.pick;
      for (std::size_t n = 0; n < kLinesPerPart && reader.next(fields); ++n) {
        if (fields.empty())
          continue;
        pickByCode(pick, static_cast<std::int32_t>(std::lround(reader.value(fields, 3))), m,
                   m_preferences);
        std::uint32_t colour = pick.colour;
        // Sheet lines have no colour field; they keep their code's colour.
        if ((m.tubeVariant == 1 || m.tubeVariant == 2) && fields.size() > 5)
          colour = wholeColour(reader.value(fields, 5));
        const float radius = m_display.atomRadiusScale * covalentRadiusOf(m, pick.element);
        lines.sphere({static_cast<float>(reader.value(fields, 0)),
                      static_cast<float>(reader.value(fields, 1)),
                      static_cast<float>(reader.value(fields, 2))},
                     " > ", radius, colour);
      }
      throwOnReadFailure(reader);
    });
  }

  if (m_display.bondsShown) {
    const std::vector<ScenePart> parts = bondFileParts(m_bondFilePath);
    const float bondR = bondRadius(m_display);
    out.inBlocks(parts.size(), 1, [&](std::size_t first, std::size_t, PovOutput::Lines& lines) {
      const ScenePart& part = parts[first];
      SceneFileReader reader(m_bondFilePath, part.offset, part.firstLine);
      SceneFields fields;
      for (std::size_t n = 0; n < kLinesPerPart && reader.next(fields); ++n) {
        if (fields.empty())
          continue;
        auto at = [&](std::size_t i) { return static_cast<float>(reader.value(fields, i)); };
        if (fields.size() >= 7) {
          const float radius = fields.size() == 8 ? at(7) : bondR;
          lines.cylinder({at(0), at(1), at(2)}, {at(3), at(4), at(5)}, radius,
                         lines.bondTexture(wholeColour(reader.value(fields, 6))));
        } else {
          const float radius = at(3);
          const std::uint32_t colour = wholeColour(reader.value(fields, 4));
          lines.sphere({at(0), at(1), at(2)}, " > ", radius, colour);
        }
      }
      throwOnReadFailure(reader);
    });
  }

  out.cameraAndLights(povCamera(), m_display.orthoProjection);
}

} // namespace tarvek
