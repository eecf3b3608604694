#pragma once

#include "scene/gl_api.h"

#include <cstddef>
#include <unordered_map>
#include <vector>

struct GLUquadric;

namespace tarvek {

// GlApi over the system's libGL and libGLU. The quadric is made on the
// first sphere, in the context current then, and freed with the object.
//
// A batch drawn while a list compiles goes into buffer objects instead of
// the list: compiling a display list copies every indexed vertex one by one,
// which made compiling large structures take seconds. The list is split
// around each batch into parts that callList replays in order with the
// batches, and a batch leaves the colour and normal of its last vertex
// current, as a compiled list does.
class RealGl : public GlApi {
public:
  RealGl() = default;
  ~RealGl() override;
  RealGl(const RealGl&) = delete;
  RealGl& operator=(const RealGl&) = delete;

  std::uint32_t genLists() override;
  void newList(std::uint32_t id) override;
  void endList() override;
  void callList(std::uint32_t id) override;
  void deleteList(std::uint32_t id) override;
  void pushMatrix() override;
  void popMatrix() override;
  void translatef(float x, float y, float z) override;
  void rotatef(float angle, float x, float y, float z) override;
  void multMatrixf(const float* m) override;
  void enable(GlCapability capability) override;
  void disable(GlCapability capability) override;
  void color4ub(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha) override;
  void color3f(float red, float green, float blue) override;
  void begin(GlPrimitive primitive) override;
  void end() override;
  void vertex3f(float x, float y, float z) override;
  void drawBatch(const GlBatch& batch) override;
  void sphere(double radius, int slices, int stacks) override;
  void clearColor(float red, float green, float blue, float alpha) override;
  void shadeModelSmooth() override;
  void viewport(int x, int y, int width, int height) override;
  void colorMask(bool red, bool green, bool blue, bool alpha) override;
  void colorMaterialFrontAmbientDiffuse() override;
  void linearFog(const std::array<float, 4>& colour, float start, float end) override;
  void polygonModeFill() override;
  void clear(bool colour, bool depth) override;
  void flush() override;
  void matrixMode(GlMatrixMode mode) override;
  void loadIdentity() override;
  void ortho(double left, double right, double bottom, double top, double zNear,
             double zFar) override;
  void perspective(double fovy, double aspect, double zNear, double zFar) override;
  void lookAt(double eyeX, double eyeY, double eyeZ, double centreX, double centreY, double centreZ,
              double upX, double upY, double upZ) override;
  void light1(GlLightParam param, const std::array<float, 4>& value) override;
  void lightModelTwoSide(bool twoSide) override;
  void material(GlLightParam param, const std::array<float, 4>& value) override;
  void materialShininess(float shininess) override;
  std::array<int, 4> viewportQuery() override;
  void packAlignment(int alignment) override;
  void readPixelsRgb(int x, int y, int width, int height, std::uint8_t* out) override;
  std::uint32_t error() override;

  // Deletes the buffers and list parts of the batches; for a context about
  // to go, made current, whose lists the scene forgets.
  void releaseBatches();

private:
  // A batch kept in a vertex buffer (per vertex its position, normal and
  // colour side by side) and an index buffer, and the list part compiled
  // after it. Batches use as little memory as draws the same: 16-bit
  // indices where the vertices allow, and one colour set before the draw
  // when every vertex has it.
  struct StoredBatch {
    std::uint32_t vertexBuffer = 0;
    std::uint32_t indexBuffer = 0;
    std::uint32_t mode = 0;
    std::uint32_t indexType = 0;
    std::int32_t count = 0;
    std::int32_t stride = 0;
    bool normals = false;
    bool colours = false;
    bool indexed = false;
    std::array<float, 3> lastNormal{};
    std::array<std::uint8_t, 4> lastColour{};
    std::uint32_t nextPart = 0;
  };

  StoredBatch storeBatch(const GlBatch& batch);
  void drawStored(const StoredBatch& stored);
  void releaseList(std::uint32_t id);

  GLUquadric* m_quadric = nullptr;
  // The list being compiled, 0 outside a compile.
  std::uint32_t m_compiling = 0;
  std::unordered_map<std::uint32_t, std::vector<StoredBatch>> m_batches;
};

} // namespace tarvek
