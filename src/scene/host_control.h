#pragma once

namespace tarvek {

class GlApi;

// What the scene needs from the widget that owns its GL context. Sizes are
// device pixels.
class HostControl {
public:
  // Eye distance of the host's own view (Å from the eye to the origin); the
  // POV-Ray camera stands there too.
  static constexpr float kEyeDistance = 25.0f;

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
// gives every frame (eye on +z at kEyeDistance, looking at the origin).
void hostFrameStart(GlApi& gl, float width, float height, bool ownsProjection);

} // namespace tarvek
