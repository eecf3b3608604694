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
  }
  return GL_CULL_FACE;
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

} // namespace tarvek
