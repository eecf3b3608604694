#pragma once

#include "scene/gl_api.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {

// A GlApi that draws nothing and logs every call as one text line, such as
// "translatef(1.5,-2,0)" (floats in their shortest round-trip form). Batches
// are logged by their sizes and kept whole in `batches`. List ids count up
// from 1. For tests of the scene and its users.
class RecordingGl : public GlApi {
public:
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

  // Forgets the log and the batches and starts ids at 1 again, as a new
  // context would.
  void clear();

  std::vector<std::string> calls;
  std::vector<GlBatch> batches;
  // What viewportQuery reports, the RGB value every read pixel gets, and
  // the error the next error() reports.
  std::array<int, 4> scriptedViewport{};
  std::array<std::uint8_t, 3> scriptedPixel{};
  std::uint32_t scriptedError = 0;

private:
  std::uint32_t m_nextId = 1;
};

// A context whose availability a test sets; counts its uses.
class RecordingContext : public GlContext {
public:
  bool makeCurrent() override
  {
    ++makeCurrentCalls;
    return available;
  }
  void doneCurrent() override { ++doneCurrentCalls; }

  bool available = true;
  int makeCurrentCalls = 0;
  int doneCurrentCalls = 0;
};

} // namespace tarvek
