#include "scene/gl_recording.h"

#include <charconv>
#include <initializer_list>
#include <type_traits>

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
  }
  return "?";
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

void RecordingGl::clear()
{
  calls.clear();
  batches.clear();
  m_nextId = 1;
}

} // namespace tarvek
