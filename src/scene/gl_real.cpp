#include "scene/gl_real.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstring>

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

const void* bufferOffset(std::size_t offset) { return reinterpret_cast<const void*>(offset); }

} // namespace

RealGl::~RealGl()
{
  if (m_quadric)
    gluDeleteQuadric(m_quadric);
}

std::uint32_t RealGl::genLists() { return glGenLists(1); }

void RealGl::newList(std::uint32_t id)
{
  releaseList(id);
  m_compiling = id;
  glNewList(id, GL_COMPILE);
}

void RealGl::endList()
{
  glEndList();
  m_compiling = 0;
}

void RealGl::callList(std::uint32_t id)
{
  glCallList(id);
  const auto stored = m_batches.find(id);
  if (stored == m_batches.end())
    return;
  for (const StoredBatch& batch : stored->second) {
    drawStored(batch);
    glCallList(batch.nextPart);
  }
}

void RealGl::deleteList(std::uint32_t id)
{
  releaseList(id);
  glDeleteLists(id, 1);
}

void RealGl::releaseList(std::uint32_t id)
{
  const auto stored = m_batches.find(id);
  if (stored == m_batches.end())
    return;
  for (const StoredBatch& batch : stored->second) {
    const GLuint buffers[2]{batch.vertexBuffer, batch.indexBuffer};
    glDeleteBuffers(2, buffers);
    glDeleteLists(batch.nextPart, 1);
  }
  m_batches.erase(stored);
}

void RealGl::releaseBatches()
{
  while (!m_batches.empty())
    releaseList(m_batches.begin()->first);
}

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
  if (m_compiling != 0 && !batch.vertices.empty()) {
    // A list id for the part after the batch; with none left the batch goes
    // into the list itself.
    const GLuint next = glGenLists(1);
    if (next != 0) {
      glEndList();
      StoredBatch stored = storeBatch(batch);
      stored.nextPart = next;
      m_batches[m_compiling].push_back(stored);
      glNewList(next, GL_COMPILE);
      return;
    }
  }
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

namespace {

// Fills a new buffer of size bytes bound to target through fill(char*), in
// place where the buffer maps.
template <typename Fill>
void fillBuffer(GLenum target, std::size_t size, Fill fill)
{
  glBufferData(target, static_cast<GLsizeiptr>(size), nullptr, GL_STATIC_DRAW);
  if (void* place = glMapBuffer(target, GL_WRITE_ONLY)) {
    fill(static_cast<char*>(place));
    if (glUnmapBuffer(target) == GL_TRUE)
      return;
  }
  std::vector<char> bytes(size);
  fill(bytes.data());
  glBufferData(target, static_cast<GLsizeiptr>(size), bytes.data(), GL_STATIC_DRAW);
}

} // namespace

RealGl::StoredBatch RealGl::storeBatch(const GlBatch& batch)
{
  StoredBatch stored;
  stored.mode = primitiveEnum(batch.primitive);
  stored.normals = !batch.normals.empty();
  const std::size_t vertices = batch.vertices.size() / 3;
  const std::uint8_t* colour = batch.colors.data();
  for (std::size_t v = 1; v < vertices && !stored.colours; ++v)
    stored.colours = std::memcmp(colour, colour + 4 * v, 4) != 0;
  stored.stride = static_cast<std::int32_t>(3 * sizeof(float) + (stored.normals ? 3 * sizeof(float) : 0)
                                            + (stored.colours ? 4 : 0));
  GLuint buffers[2]{};
  glGenBuffers(2, buffers);
  stored.vertexBuffer = buffers[0];
  stored.indexBuffer = buffers[1];
  glBindBuffer(GL_ARRAY_BUFFER, stored.vertexBuffer);
  fillBuffer(GL_ARRAY_BUFFER, vertices * static_cast<std::size_t>(stored.stride), [&](char* out) {
    for (std::size_t v = 0; v < vertices; ++v) {
      out = std::copy_n(reinterpret_cast<const char*>(&batch.vertices[3 * v]), 3 * sizeof(float), out);
      if (stored.normals)
        out = std::copy_n(reinterpret_cast<const char*>(&batch.normals[3 * v]), 3 * sizeof(float), out);
      if (stored.colours)
        out = std::copy_n(colour + 4 * v, 4, out);
    }
  });
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  std::size_t last = vertices - 1;
  if (batch.indices.empty()) {
    stored.count = static_cast<std::int32_t>(vertices);
  } else {
    stored.indexed = true;
    stored.count = static_cast<std::int32_t>(batch.indices.size());
    last = batch.indices.back();
    const bool narrow = vertices <= 0x10000;
    stored.indexType = narrow ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, stored.indexBuffer);
    fillBuffer(GL_ELEMENT_ARRAY_BUFFER, batch.indices.size() * (narrow ? 2 : 4), [&](char* out) {
      if (!narrow) {
        std::memcpy(out, batch.indices.data(), batch.indices.size() * 4);
        return;
      }
      for (const std::uint32_t index : batch.indices) {
        const auto shortIndex = static_cast<std::uint16_t>(index);
        out = std::copy_n(reinterpret_cast<const char*>(&shortIndex), 2, out);
      }
    });
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  }
  if (stored.normals)
    std::copy_n(batch.normals.begin() + static_cast<std::ptrdiff_t>(3 * last), 3, stored.lastNormal.begin());
  std::copy_n(colour + 4 * last, 4, stored.lastColour.begin());
  return stored;
}

void RealGl::drawStored(const StoredBatch& stored)
{
  glBindBuffer(GL_ARRAY_BUFFER, stored.vertexBuffer);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, stored.stride, bufferOffset(0));
  std::size_t offset = 3 * sizeof(float);
  if (stored.normals) {
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, stored.stride, bufferOffset(offset));
    offset += 3 * sizeof(float);
  }
  if (stored.colours) {
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_UNSIGNED_BYTE, stored.stride, bufferOffset(offset));
  } else {
    glColor4ubv(stored.lastColour.data());
  }
  if (stored.indexed) {
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, stored.indexBuffer);
    glDrawElements(stored.mode, stored.count, stored.indexType, bufferOffset(0));
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  } else {
    glDrawArrays(stored.mode, 0, stored.count);
  }
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glColor4ubv(stored.lastColour.data());
  if (stored.normals)
    glNormal3fv(stored.lastNormal.data());
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
