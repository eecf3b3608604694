#include "scene/gl_real.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace tarvek {
namespace {

GLenum capabilityEnum(GlCapability capability)
{
  switch (capability) {
  case GlCapability::CullFace:
    return GL_CULL_FACE;
  case GlCapability::DepthTest:
    return GL_DEPTH_TEST;
  case GlCapability::Lighting:
    return GL_LIGHTING;
  case GlCapability::Light1:
    return GL_LIGHT1;
  case GlCapability::ColorMaterial:
    return GL_COLOR_MATERIAL;
  case GlCapability::Fog:
    return GL_FOG;
  }
  return GL_CULL_FACE;
}

GLenum lightParamEnum(GlLightParam param)
{
  switch (param) {
  case GlLightParam::Ambient:
    return GL_AMBIENT;
  case GlLightParam::Diffuse:
    return GL_DIFFUSE;
  case GlLightParam::Specular:
    return GL_SPECULAR;
  }
  return GL_DIFFUSE;
}

GLenum primitiveEnum(GlPrimitive primitive)
{
  return primitive == GlPrimitive::Lines ? GL_LINES : GL_TRIANGLES;
}

} // namespace

RealGl::~RealGl()
{
  if (m_quadric)
    gluDeleteQuadric(m_quadric);
}

std::uint32_t RealGl::genLists() { return glGenLists(1); }
void RealGl::newList(std::uint32_t id) { glNewList(id, GL_COMPILE); }
void RealGl::endList() { glEndList(); }
void RealGl::callList(std::uint32_t id) { glCallList(id); }
void RealGl::deleteList(std::uint32_t id) { glDeleteLists(id, 1); }
void RealGl::pushMatrix() { glPushMatrix(); }
void RealGl::popMatrix() { glPopMatrix(); }
void RealGl::translatef(float x, float y, float z) { glTranslatef(x, y, z); }
void RealGl::rotatef(float angle, float x, float y, float z) { glRotatef(angle, x, y, z); }
void RealGl::multMatrixf(const float* m) { glMultMatrixf(m); }
void RealGl::enable(GlCapability capability) { glEnable(capabilityEnum(capability)); }
void RealGl::disable(GlCapability capability) { glDisable(capabilityEnum(capability)); }

void RealGl::color4ub(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha)
{
  glColor4ub(red, green, blue, alpha);
}

void RealGl::color3f(float red, float green, float blue) { glColor3f(red, green, blue); }
void RealGl::begin(GlPrimitive primitive) { glBegin(primitiveEnum(primitive)); }
void RealGl::end() { glEnd(); }
void RealGl::vertex3f(float x, float y, float z) { glVertex3f(x, y, z); }

void RealGl::drawBatch(const GlBatch& batch)
{
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, batch.vertices.data());
  if (!batch.normals.empty()) {
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, batch.normals.data());
  }
  glEnableClientState(GL_COLOR_ARRAY);
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, batch.colors.data());
  const GLenum mode = primitiveEnum(batch.primitive);
  if (batch.indices.empty())
    glDrawArrays(mode, 0, static_cast<GLsizei>(batch.vertices.size() / 3));
  else
    glDrawElements(mode, static_cast<GLsizei>(batch.indices.size()), GL_UNSIGNED_INT,
                   batch.indices.data());
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

void RealGl::sphere(double radius, int slices, int stacks)
{
  if (!m_quadric)
    m_quadric = gluNewQuadric();
  gluSphere(m_quadric, radius, slices, stacks);
}

void RealGl::clearColor(float red, float green, float blue, float alpha)
{
  glClearColor(red, green, blue, alpha);
}

void RealGl::shadeModelSmooth() { glShadeModel(GL_SMOOTH); }
void RealGl::viewport(int x, int y, int width, int height) { glViewport(x, y, width, height); }

void RealGl::colorMask(bool red, bool green, bool blue, bool alpha)
{
  glColorMask(red, green, blue, alpha);
}

void RealGl::colorMaterialFrontAmbientDiffuse() { glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE); }

void RealGl::linearFog(const std::array<float, 4>& colour, float start, float end)
{
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogfv(GL_FOG_COLOR, colour.data());
  glFogf(GL_FOG_START, start);
  glFogf(GL_FOG_END, end);
}

void RealGl::polygonModeFill() { glPolygonMode(GL_FRONT_AND_BACK, GL_FILL); }

void RealGl::clear(bool colour, bool depth)
{
  glClear((colour ? GL_COLOR_BUFFER_BIT : 0u) | (depth ? GL_DEPTH_BUFFER_BIT : 0u));
}

void RealGl::flush() { glFlush(); }

void RealGl::matrixMode(GlMatrixMode mode)
{
  glMatrixMode(mode == GlMatrixMode::Projection ? GL_PROJECTION : GL_MODELVIEW);
}

void RealGl::loadIdentity() { glLoadIdentity(); }

void RealGl::ortho(double left, double right, double bottom, double top, double zNear, double zFar)
{
  glOrtho(left, right, bottom, top, zNear, zFar);
}

void RealGl::perspective(double fovy, double aspect, double zNear, double zFar)
{
  gluPerspective(fovy, aspect, zNear, zFar);
}

void RealGl::lookAt(double eyeX, double eyeY, double eyeZ, double centreX, double centreY,
                    double centreZ, double upX, double upY, double upZ)
{
  gluLookAt(eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ);
}

void RealGl::light1(GlLightParam param, const std::array<float, 4>& value)
{
  glLightfv(GL_LIGHT1, lightParamEnum(param), value.data());
}

void RealGl::lightModelTwoSide(bool twoSide) { glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, twoSide ? 1 : 0); }

void RealGl::material(GlLightParam param, const std::array<float, 4>& value)
{
  glMaterialfv(GL_FRONT_AND_BACK, lightParamEnum(param), value.data());
}

void RealGl::materialShininess(float shininess) { glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess); }

std::array<int, 4> RealGl::viewportQuery()
{
  std::array<GLint, 4> v{};
  glGetIntegerv(GL_VIEWPORT, v.data());
  return {v[0], v[1], v[2], v[3]};
}

void RealGl::packAlignment(int alignment)
{
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_SKIP_ROWS, 0);
  glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
}

void RealGl::readPixelsRgb(int x, int y, int width, int height, std::uint8_t* out)
{
  glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, out);
}

std::uint32_t RealGl::error() { return glGetError(); }

} // namespace tarvek
