#pragma once

#include "runtime/big_buffer.h"

#include <array>
#include <cstdint>

namespace tarvek {

enum class GlCapability { CullFace, DepthTest, Lighting, Light1, ColorMaterial, Fog };
enum class GlMatrixMode { Projection, ModelView };
enum class GlLightParam { Ambient, Diffuse, Specular };
enum class GlPrimitive { Lines, Triangles };

// Vertices drawn in one call: per vertex x, y, z, optionally a unit normal,
// and red, green, blue, alpha. Without indices the vertices are drawn in
// order. A large structure's bond lines are one batch of tens of megabytes:
// huge-page blocks.
struct GlBatch {
  GlPrimitive primitive = GlPrimitive::Triangles;
  BigVector<float> vertices;
  BigVector<float> normals;
  BigVector<std::uint8_t> colors;
  BigVector<std::uint32_t> indices;
};

// The GL 1.1 and GLU calls the scene makes, so the scene logic builds and
// tests without a GL library. Every call needs the view's context current.
class GlApi {
public:
  virtual ~GlApi() = default;

  // A fresh display list id, 0 when none is left.
  virtual std::uint32_t genLists() = 0;
  // Starts compiling (not executing) list id.
  virtual void newList(std::uint32_t id) = 0;
  virtual void endList() = 0;
  virtual void callList(std::uint32_t id) = 0;
  virtual void deleteList(std::uint32_t id) = 0;

  virtual void pushMatrix() = 0;
  virtual void popMatrix() = 0;
  virtual void translatef(float x, float y, float z) = 0;
  // Degrees, counter-clockwise about (x, y, z).
  virtual void rotatef(float angle, float x, float y, float z) = 0;
  // Column-major 4 x 4 matrix.
  virtual void multMatrixf(const float* m) = 0;

  virtual void enable(GlCapability capability) = 0;
  virtual void disable(GlCapability capability) = 0;

  virtual void color4ub(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                        std::uint8_t alpha) = 0;
  virtual void color3f(float red, float green, float blue) = 0;
  virtual void begin(GlPrimitive primitive) = 0;
  virtual void end() = 0;
  virtual void vertex3f(float x, float y, float z) = 0;
  virtual void drawBatch(const GlBatch& batch) = 0;

  // A sphere about the current origin, drawn with the one quadric.
  virtual void sphere(double radius, int slices, int stacks) = 0;

  virtual void clearColor(float red, float green, float blue, float alpha) = 0;

  // Frame state of the view.
  virtual void shadeModelSmooth() = 0;
  virtual void viewport(int x, int y, int width, int height) = 0;
  virtual void colorMask(bool red, bool green, bool blue, bool alpha) = 0;
  // Colour material on front faces, ambient and diffuse.
  virtual void colorMaterialFrontAmbientDiffuse() = 0;
  // Linear fog over eye distance start..end in the given colour.
  virtual void linearFog(const std::array<float, 4>& colour, float start, float end) = 0;
  virtual void polygonModeFill() = 0;
  virtual void clear(bool colour, bool depth) = 0;
  virtual void flush() = 0;
  virtual void matrixMode(GlMatrixMode mode) = 0;
  virtual void loadIdentity() = 0;
  virtual void ortho(double left, double right, double bottom, double top, double zNear,
                     double zFar) = 0;
  // Degrees of vertical field of view.
  virtual void perspective(double fovy, double aspect, double zNear, double zFar) = 0;
  virtual void lookAt(double eyeX, double eyeY, double eyeZ, double centreX, double centreY,
                      double centreZ, double upX, double upY, double upZ) = 0;
  // Colour of light 1.
  virtual void light1(GlLightParam param, const std::array<float, 4>& value) = 0;
  virtual void lightModelTwoSide(bool twoSide) = 0;
  // Front-and-back material colour, and its shininess 0..128.
  virtual void material(GlLightParam param, const std::array<float, 4>& value) = 0;
  virtual void materialShininess(float shininess) = 0;

  // Read-back: the current viewport (x, y, width, height), the pack
  // alignment, and width x height RGB pixels from (x, y), rows bottom-up,
  // each row starting at a multiple of the pack alignment in out.
  virtual std::array<int, 4> viewportQuery() = 0;
  virtual void packAlignment(int alignment) = 0;
  virtual void readPixelsRgb(int x, int y, int width, int height, std::uint8_t* out) = 0;
  // The next pending error, 0 when there is none.
  virtual std::uint32_t error() = 0;
};

// The view's GL context, made current around the scene's own GL work outside
// a paint event.
class GlContext {
public:
  virtual ~GlContext() = default;
  // False when there is no context (yet, or after a loss).
  virtual bool makeCurrent() = 0;
  virtual void doneCurrent() = 0;
};

// Makes the context current for the guard's lifetime.
class GlContextGuard {
public:
  explicit GlContextGuard(GlContext& context) : m_context(context), m_current(context.makeCurrent()) {}
  ~GlContextGuard()
  {
    if (m_current)
      m_context.doneCurrent();
  }
  GlContextGuard(const GlContextGuard&) = delete;
  GlContextGuard& operator=(const GlContextGuard&) = delete;

  bool current() const { return m_current; }

private:
  GlContext& m_context;
  bool m_current;
};

} // namespace tarvek
