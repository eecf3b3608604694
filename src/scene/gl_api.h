#pragma once

#include <cstdint>
#include <vector>

namespace tarvek {

enum class GlCapability { CullFace };
enum class GlPrimitive { Lines, Triangles };

// Vertices drawn in one call: per vertex x, y, z, optionally a unit normal,
// and red, green, blue, alpha. Without indices the vertices are drawn in
// order.
struct GlBatch {
  GlPrimitive primitive = GlPrimitive::Triangles;
  std::vector<float> vertices;
  std::vector<float> normals;
  std::vector<std::uint8_t> colors;
  std::vector<std::uint32_t> indices;
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
