#include "scene/gl_recording.h"

#include <charconv>
#include <initializer_list>
#include <type_traits>
#include <utility>

namespace tarvek {
namespace {

std::string shortest(float x)
{
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
  return std::string(buffer, result.ptr);
}

std::string shortest(double x)
{
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
  return std::string(buffer, result.ptr);
}

template <typename T>
std::string call(const char* name, std::initializer_list<T> args)
{
  std::string line = name;
  line += '(';
  bool first = true;
  for (const T& a : args) {
    if (!first)
      line += ',';
    first = false;
    if constexpr (std::is_floating_point_v<T>)
      line += shortest(a);
    else
      line += std::to_string(a);
  }
  line += ')';
  return line;
}

const char* capabilityName(GlCapability capability)
{
  switch (capability) {
  case GlCapability::CullFace:
    return "CULL_FACE";
  case GlCapability::DepthTest:
    return "DEPTH_TEST";
  case GlCapability::Lighting:
    return "LIGHTING";
  case GlCapability::Light1:
    return "LIGHT1";
  case GlCapability::ColorMaterial:
    return "COLOR_MATERIAL";
  case GlCapability::Fog:
    return "FOG";
  }
  return "?";
}

const char* lightParamName(GlLightParam param)
{
  switch (param) {
  case GlLightParam::Ambient:
    return "AMBIENT";
  case GlLightParam::Diffuse:
    return "DIFFUSE";
  case GlLightParam::Specular:
    return "SPECULAR";
  }
  return "?";
}

std::string withName(const char* name, const char* first, const std::array<float, 4>& v)
{
  std::string rest = call("", {v[0], v[1], v[2], v[3]});
  return std::string(name) + "(" + first + "," + rest.substr(1);
}

const char* primitiveName(GlPrimitive primitive)
{
  return primitive == GlPrimitive::Lines ? "LINES" : "TRIANGLES";
}

} // namespace

std::uint32_t RecordingGl::genLists()
{
  const std::uint32_t id = m_nextId++;
  calls.push_back("genLists() = " + std::to_string(id));
  return id;
}

void RecordingGl::newList(std::uint32_t id) { calls.push_back(call("newList", {id})); }
void RecordingGl::endList() { calls.push_back("endList()"); }
void RecordingGl::callList(std::uint32_t id) { calls.push_back(call("callList", {id})); }
void RecordingGl::deleteList(std::uint32_t id) { calls.push_back(call("deleteList", {id})); }
void RecordingGl::pushMatrix() { calls.push_back("pushMatrix()"); }
void RecordingGl::popMatrix() { calls.push_back("popMatrix()"); }

void RecordingGl::translatef(float x, float y, float z)
{
  calls.push_back(call("translatef", {x, y, z}));
}

void RecordingGl::rotatef(float angle, float x, float y, float z)
{
  calls.push_back(call("rotatef", {angle, x, y, z}));
}

void RecordingGl::multMatrixf(const float* m)
{
  calls.push_back(call("multMatrixf", {m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9],
                                       m[10], m[11], m[12], m[13], m[14], m[15]}));
}

void RecordingGl::enable(GlCapability capability)
{
  calls.push_back(std::string("enable(") + capabilityName(capability) + ")");
}

void RecordingGl::disable(GlCapability capability)
{
  calls.push_back(std::string("disable(") + capabilityName(capability) + ")");
}

void RecordingGl::color4ub(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha)
{
  calls.push_back(call<int>("color4ub", {red, green, blue, alpha}));
}

void RecordingGl::color3f(float red, float green, float blue)
{
  calls.push_back(call("color3f", {red, green, blue}));
}

void RecordingGl::begin(GlPrimitive primitive)
{
  calls.push_back(std::string("begin(") + primitiveName(primitive) + ")");
}

void RecordingGl::end() { calls.push_back("end()"); }

void RecordingGl::vertex3f(float x, float y, float z) { calls.push_back(call("vertex3f", {x, y, z})); }

void RecordingGl::drawBatch(const GlBatch& batch)
{
  calls.push_back(std::string("drawBatch(") + primitiveName(batch.primitive) + ","
                  + std::to_string(batch.vertices.size() / 3) + " vertices,"
                  + std::to_string(batch.indices.size()) + " indices)");
  batches.push_back(batch);
}

void RecordingGl::sphere(double radius, int slices, int stacks)
{
  calls.push_back("sphere(" + shortest(radius) + "," + std::to_string(slices) + ","
                  + std::to_string(stacks) + ")");
}

void RecordingGl::clearColor(float red, float green, float blue, float alpha)
{
  calls.push_back(call("clearColor", {red, green, blue, alpha}));
}

void RecordingGl::shadeModelSmooth() { calls.push_back("shadeModel(SMOOTH)"); }

void RecordingGl::viewport(int x, int y, int width, int height)
{
  calls.push_back(call("viewport", {x, y, width, height}));
}

void RecordingGl::colorMask(bool red, bool green, bool blue, bool alpha)
{
  calls.push_back(call<int>("colorMask", {red, green, blue, alpha}));
}

void RecordingGl::colorMaterialFrontAmbientDiffuse()
{
  calls.push_back("colorMaterial(FRONT,AMBIENT_AND_DIFFUSE)");
}

void RecordingGl::linearFog(const std::array<float, 4>& colour, float start, float end)
{
  calls.push_back(call("linearFog", {colour[0], colour[1], colour[2], colour[3], start, end}));
}

void RecordingGl::polygonModeFill() { calls.push_back("polygonMode(FRONT_AND_BACK,FILL)"); }

void RecordingGl::clear(bool colour, bool depth)
{
  std::string line = "clear(";
  if (colour)
    line += depth ? "COLOR|DEPTH" : "COLOR";
  else if (depth)
    line += "DEPTH";
  calls.push_back(line + ")");
}

void RecordingGl::flush() { calls.push_back("flush()"); }

void RecordingGl::matrixMode(GlMatrixMode mode)
{
  calls.push_back(mode == GlMatrixMode::Projection ? "matrixMode(PROJECTION)" : "matrixMode(MODELVIEW)");
}

void RecordingGl::loadIdentity() { calls.push_back("loadIdentity()"); }

void RecordingGl::ortho(double left, double right, double bottom, double top, double zNear, double zFar)
{
  calls.push_back(call("ortho", {left, right, bottom, top, zNear, zFar}));
}

void RecordingGl::perspective(double fovy, double aspect, double zNear, double zFar)
{
  calls.push_back(call("perspective", {fovy, aspect, zNear, zFar}));
}

void RecordingGl::lookAt(double eyeX, double eyeY, double eyeZ, double centreX, double centreY,
                         double centreZ, double upX, double upY, double upZ)
{
  calls.push_back(call("lookAt", {eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ}));
}

void RecordingGl::light1(GlLightParam param, const std::array<float, 4>& value)
{
  calls.push_back(withName("light1", lightParamName(param), value));
}

void RecordingGl::lightModelTwoSide(bool twoSide)
{
  calls.push_back(call<int>("lightModelTwoSide", {twoSide}));
}

void RecordingGl::material(GlLightParam param, const std::array<float, 4>& value)
{
  calls.push_back(withName("material", lightParamName(param), value));
}

void RecordingGl::materialShininess(float shininess)
{
  calls.push_back(call("materialShininess", {shininess}));
}

std::array<int, 4> RecordingGl::viewportQuery()
{
  calls.push_back("viewportQuery()");
  return scriptedViewport;
}

void RecordingGl::packAlignment(int alignment) { calls.push_back(call("packAlignment", {alignment})); }

void RecordingGl::readPixelsRgb(int x, int y, int width, int height, std::uint8_t* out)
{
  calls.push_back(call("readPixelsRgb", {x, y, width, height}));
  const std::size_t row = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  for (int r = 0; r < height; ++r) {
    for (int c = 0; c < width; ++c) {
      for (std::size_t k = 0; k < 3; ++k)
        out[static_cast<std::size_t>(r) * row + static_cast<std::size_t>(c) * 3 + k] = scriptedPixel[k];
    }
  }
}

std::uint32_t RecordingGl::error() { return std::exchange(scriptedError, 0); }

void RecordingGl::clear()
{
  calls.clear();
  batches.clear();
  m_nextId = 1;
}

} // namespace tarvek
