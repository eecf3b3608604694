#include "scene/scene_object.h"

#include "model/display_settings.h"

#include "runtime/math_util.h"
#include "scene/gl_api.h"

#include <cmath>
#include <stdexcept>

namespace tarvek {
namespace {

void checkElement(std::int16_t element)
{
  if (element < 0 || element > 120)
    throw std::out_of_range("element " + std::to_string(element) + " is outside 0..120");
}

void checkAxis(int axis)
{
  if (axis < 0 || axis > 2)
    throw std::out_of_range("axis " + std::to_string(axis) + " is outside 0..2");
}

} // namespace

CXXX::CXXX(const Model& model, const DisplaySettings& display, const Preferences& preferences,
           AbortToken& abort, EventPump& events, GlApi& gl, GlContext& context,
           std::string sceneAtomFilePath, std::string sceneBondFilePath)
    : m_model(model), m_display(display), m_preferences(preferences), m_abort(abort),
      m_events(events), m_gl(gl), m_context(context), m_atomFilePath(std::move(sceneAtomFilePath)),
      m_bondFilePath(std::move(sceneBondFilePath))
{
  m_viewMatrix.Identity();
}

CXXX::~CXXX() = default;

float CXXX::getBox(int axis) const
{
  checkAxis(axis);
  return m_box.centre[static_cast<std::size_t>(axis)];
}

float CXXX::getRange(int axis, int column) const
{
  checkAxis(axis);
  if (column < 0 || column > 1)
    throw std::out_of_range("column " + std::to_string(column) + " is outside 0..1");
  return m_box.range[static_cast<std::size_t>(axis)][static_cast<std::size_t>(column)];
}

void CXXX::setAtomRadius(std::int16_t element, float radius)
{
  checkElement(element);
  m_elementRadius[static_cast<std::size_t>(element)] = radius;
}

float CXXX::getAtomRadius(std::int16_t element) const
{
  checkElement(element);
  return m_elementRadius[static_cast<std::size_t>(element)];
}

void CXXX::setAtomColor(std::int16_t element, std::uint32_t colour)
{
  checkElement(element);
  m_elementColor[static_cast<std::size_t>(element)] = colour;
}

std::uint32_t CXXX::getAtomColor(std::int16_t element) const
{
  checkElement(element);
  return m_elementColor[static_cast<std::size_t>(element)];
}

std::int16_t CXXX::getNfill() const { return m_fillCount; }

float CXXX::getFill(int i, int j) const
{
  if (j < 0 || j > 8)
    return 0.0f;
  if (i < 0 || i > 20)
    throw std::out_of_range("fill record " + std::to_string(i) + " is outside 0..20");
  const FillRecord& f = m_fillTable[static_cast<std::size_t>(i)];
  switch (j) {
  case 0:
    return f.x1;
  case 1:
    return f.y1;
  case 2:
    return f.z1;
  case 3:
    return f.x2;
  case 4:
    return f.y2;
  case 5:
    return f.z2;
  case 6:
    return f.radius;
  case 7:
    return static_cast<float>(f.colour);
  default:
    return static_cast<float>(f.kind);
  }
}

std::int32_t CXXX::getNO() const
{
  std::int32_t n = 0;
  for (const SceneList& list : m_lists) {
    if (list.record.kind == ListKind::Atoms)
      ++n;
  }
  return n;
}

void CXXX::setBackground()
{
  const std::uint32_t colour =
      anaglyphMode != 0 ? m_anaglyphBackground : m_preferences.backgroundColor;
  setBackColorGL((colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                 ((colour >> 16) & 0xFF) / 255.0);
}

void CXXX::setBackColorGL(double r, double g, double b)
{
  const auto red = static_cast<float>(r), green = static_cast<float>(g), blue = static_cast<float>(b);
  {
    GlContextGuard guard(m_context);
    if (guard.current())
      m_gl.clearColor(red, green, blue, 0.0f);
  }
  m_fogColor = {red, green, blue, 1.0f};
  m_backColorSet = true;
}

void CXXX::init() { m_dragMode = 1; }

void CXXX::UNITYVECTOR(V3& v)
{
  const auto length = static_cast<float>(std::sqrt(square(v[1]) + square(v[2]) + square(v[0])));
  if (length == 0.0f) {
    v = {0.0f, 0.0f, 0.0f};
    return;
  }
  for (float& c : v)
    c /= length;
}

float CXXX::angle(V3& a, V3& b)
{
  UNITYVECTOR(a);
  UNITYVECTOR(b);
  float dot = 0.0f;
  V3Dotf(dot, a, b);
  return static_cast<float>(ArcCosine(dot));
}

void CXXX::V3Subf(V3& r, const V3& a, const V3& b)
{
  r = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

void CXXX::V3Lengthf(float& length, const V3& v)
{
  float dot = 0.0f;
  V3Dotf(dot, v, v);
  length = std::sqrt(dot);
}

void CXXX::V3Swapf(V3& a, V3& b) { std::swap(a, b); }

void CXXX::V3Normalizef(V3& v)
{
  float length = 0.0f;
  V3Lengthf(length, v);
  if (length == 0.0f)
    return;
  const float scale = 1.0f / length;
  for (float& c : v)
    c *= scale;
}

void CXXX::V3Crossf(V3& r, const V3& a, const V3& b)
{
  r = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

void CXXX::V3Dotf(float& dot, const V3& a, const V3& b)
{
  dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

bool CXXX::V3IsEqualf(const V3& a, const V3& b)
{
  return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

float CXXX::pointDistance(float x1, float y1, float z1, float x2, float y2, float z2)
{
  const double sum = square(x2 - x1) + square(y2 - y1) + square(z2 - z1);
  return sum == 0.0 ? 0.0f : static_cast<float>(std::sqrt(sum));
}

float CXXX::radToDeg(double radians) { return static_cast<float>(radians / 0.017453292522222223); }

} // namespace tarvek
