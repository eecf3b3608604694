#pragma once

namespace tarvek {

class GlApi;

// Where the view's eye stands (Å from the origin, on +z) and the depth of the
// perspective volume in front of it.
// The perspective view's vertical field of view, degrees.
inline constexpr double kViewFieldOfView = 45.0;

struct ViewDepth {
  double eye = 25.0;
  double zNear = 0.9;
  double zFar = 100.0;
};

// What the scene needs from the widget that owns its GL context. Sizes are
// device pixels.
class HostControl {
public:
  virtual ~HostControl() = default;

  // Asks for a repaint at the next turn of the event loop.
  virtual void Redraw() = 0;
  // Repaints before returning, for the animation's one step per frame.
  virtual void repaintNow() = 0;
  virtual float ViewWidth() const = 0;
  virtual float ViewHeight() const = 0;
  float ViewWidthTwips() const { return 15.0f * ViewWidth(); }
  // A mouse press reached the scene.
  virtual void PressNotify() = 0;
  // The animation timer calls the scene's animationTick until stopped.
  virtual void startAnimationTimer() = 0;
  virtual void stopAnimationTimer() = 0;
  // True while the host loads its own perspective before each frame; the
  // scene takes the projection over with zoomOrtho and zoomPers.
  virtual void setOwnsProjection(bool owns) = 0;
  virtual bool ownsProjection() const = 0;
};

// The host's frame start, after it has cleared the buffers: its own
// perspective while it owns the projection, then the model-view matrix it
// gives every frame (eye on +z at depth.eye, looking at the origin).
void hostFrameStart(GlApi& gl, float width, float height, bool ownsProjection, const ViewDepth& depth);

} // namespace tarvek
