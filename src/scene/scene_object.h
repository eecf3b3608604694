#pragma once

#include "model/cmatrix.h"
#include "model/element_tables.h"
#include "scene/host_control.h"
#include "scene/scene_records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvek {

struct DisplaySettings;
struct Model;
struct Preferences;
class AbortToken;
class Clock;
class EventPump;
class GlApi;
class GlContext;
class HostControl;
class SceneFileAppender;

// The scene: the one object that turns the current structure into display
// lists, keeps the scene files beside them and holds the view's state.
//
// Use: clearScene, setBackground, then per structure part setAtomData,
// setBondData, setFillData; lists, file lines and counts add up until the
// next clearScene. Each compile operation records its geometry as data, then
// builds one display list from it while the context can be made current;
// otherwise the list waits for compilePendingLists(). A failed operation
// throws SceneError and leaves lists, files, counts and fill table as they
// were. Escape (polled per atom and bond) stops a loop after the current
// item; what was done so far stays.
class CXXX : public ElementDisplay {
public:
  // The model, switches and settings are read, never written. The scene
  // files are created at the given paths on the first compile.
  CXXX(const Model& model, const DisplaySettings& display, const Preferences& preferences,
       AbortToken& abort, EventPump& events, GlApi& gl, GlContext& context,
       std::string sceneAtomFilePath, std::string sceneBondFilePath);
  ~CXXX() override;
  CXXX(const CXXX&) = delete;
  CXXX& operator=(const CXXX&) = delete;

  // Distance term of the view.
  float zoom = 0.0f;
  // Bonds and atoms compiled since the last clearScene.
  std::int32_t drawnBondCount = 0;
  std::int32_t drawnAtomCount = 0;
  bool animating = false;
  // 3 or 4 while stereoMode is an anaglyph, else 0.
  std::int16_t anaglyphMode = 0;
  // 0 none, 1 relaxed-eye pair, 2 cross-eye pair, 3 colour, 4 grey anaglyph.
  std::int16_t stereoMode = 0;
  // Pan of the model (Å) and depth fog.
  float panX = 0.0f;
  float panY = 0.0f;
  bool fogOn = false;
  // The drag under way: zoom at the press, the press point rounded, and
  // the pointer's last position (device pixels).
  float zoomAtDragStart = 0.0f;
  float dragStartX = 0.0f;
  float dragStartY = 0.0f;
  float lastX = 0.0f;
  float lastY = 0.0f;

  // The widget that shows the scene; until one is attached the scene
  // draws nowhere and its view is 0 x 0.
  void attachHost(HostControl& host) { m_host = &host; }

  // Drawing. InitGL: once per new context, after which the lists, clear
  // colour, light colour and projection the scene holds are in GL. DRAW:
  // one frame onto the host's cleared buffers and start matrix.
  void InitGL();
  void DRAW();
  // Projections: orthographic (or the stereo-pair perspective), and the
  // perspective of the stereo modes. Nothing while the view is 0 wide or
  // high.
  void zoomOrtho();
  void zoomPers();
  // Redoes the stereo-pair perspective after the view changed size.
  void resize();
  // Steps the stereo mode by +1 or -1 through 0..4.
  void toggleStereo(std::int16_t step);
  void toggleFog();
  void Refresh();
  bool Reshape(float width, float height);
  // The host's own perspective governs again.
  void useHostProjection();
  // Colour of light 1.
  const std::array<float, 4>& lightColour() const { return m_lightColour; }

  // Navigation. Turns are 5 × angle degrees (see CMatrix::KeyDown); axes
  // 1, 2, 3 turn about the screen's vertical, horizontal and depth axes.
  void keyRotate(std::int16_t axis, float angle, std::int16_t noRefresh);
  // Key codes 37..40 (arrows); shift is a mask 1 Shift, 2 Ctrl, 4 Alt.
  void KeyDown(std::int16_t code, std::int16_t shift);
  // "+" and "=" enlarge, "-" shrinks, " " resets the pose.
  void KeyPress(std::int16_t ch);
  // Buttons are a mask 1 left, 2 right, 4 middle; x, y in device pixels,
  // y downwards.
  void MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
  void MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  // Starts turning about axis 0..2 one step per frame, or stops when
  // already turning.
  void animate(std::int16_t axis);
  // One step of the animation, from the host's timer.
  void animationTick();
  void rotate90(std::int16_t axis);
  void rotateDeg(std::int16_t axis, float degrees, std::int16_t noRefresh);
  // Start pose by defaultAxis, no zoom and no pan, and the structure framed
  // in it.
  void zoomReset(std::int16_t noRefresh);
  // Frames the structure in the present pose, no zoom and no pan: a new
  // structure is seen whole.
  void frameStructure();
  // Radius about the origin of a sphere holding everything compiled since
  // clearScene; it bounds the depth of the view and the zoom.
  float frameRadius() const;
  // The eye's distance and the clip planes of the perspective volume.
  ViewDepth viewDepth() const;

  // Centre of the scene box on axis 0..2.
  float getBox(int axis) const;
  // Minimum (column 0) or maximum (column 1) of axis 0..2.
  float getRange(int axis, int column) const;

  // Display radius (Å) and colour (red + 256 green + 65536 blue) per
  // element table index 0..120; std::out_of_range beyond.
  void setAtomRadius(std::int16_t element, float radius) override;
  float getAtomRadius(std::int16_t element) const;
  void setAtomColor(std::int16_t element, std::uint32_t colour) override;
  std::uint32_t getAtomColor(std::int16_t element) const;

  // Fill objects in use (0..20).
  std::int16_t getNfill() const;
  // Field j of fill record i: 0..5 the two points, 6 radius, 7 colour, 8
  // kind (0 cylinder, 1 ball), as floats; any other j gives 0. For j in
  // 0..8, i outside 0..20 is std::out_of_range.
  float getFill(int i, int j) const;
  // Atom lists held.
  std::int32_t getNO() const;

  // Clears to the settings' background, or the anaglyph background in an
  // anaglyph mode.
  void setBackground();
  // Clear colour (r, g, b) 0..1 and the fog colour with it. Without a
  // context only the fog colour is kept.
  void setBackColorGL(double r, double g, double b);
  const std::array<float, 4>& getFogColor() const { return m_fogColor; }

  // The host's creation event: rotating drags.
  void init();
  std::int32_t getDragMode() const { return m_dragMode; }

  // The model rotation, identity at first.
  CMatrix& viewMatrix() { return m_viewMatrix; }
  const CMatrix& viewMatrix() const { return m_viewMatrix; }

  // Deletes every list and both scene files and zeroes the counts.
  void clearScene();
  // One list of atom spheres, lines in the scene atom file; adds the
  // inserted fill object when the switch asks for it.
  void setAtomData();
  // One list of bonds (cylinders, or lines above 2000 bonds when the option
  // is set), lines in the scene bond file.
  void setBondData();
  // One list of the fill objects held, lines in the scene bond file; nothing
  // when there are none.
  void setFillData();
  // Measures the scene: from the arrays while at most one atom list exists
  // (and for bundles), else from the scene atom file. Kept until the next
  // compile operation or clearScene. SceneError when the file is missing or
  // a line has fewer than three fields.
  void computeBox();

  // Compiles the lists still waiting for a context, in order.
  void compilePendingLists();
  // The context is gone with its lists: every list waits again.
  void dropGlLists();

  // The display lists in the order made, each with what it draws.
  struct SceneList {
    SceneRecord record;
    // 0 while not compiled.
    std::uint32_t glId = 0;
  };
  const std::vector<SceneList>& lists() const { return m_lists; }

  // 3-vector helpers of the cylinder code; each changes only the vectors it
  // writes.
  using V3 = std::array<float, 3>;
  // v to unit length; (0, 0, 0) stays.
  static void UNITYVECTOR(V3& v);
  // Makes a and b unit vectors, then their angle in radians.
  static float angle(V3& a, V3& b);
  static void V3Subf(V3& r, const V3& a, const V3& b);
  static void V3Lengthf(float& length, const V3& v);
  static void V3Swapf(V3& a, V3& b);
  // v to unit length; unchanged when its length is 0.
  static void V3Normalizef(V3& v);
  static void V3Crossf(V3& r, const V3& a, const V3& b);
  static void V3Dotf(float& dot, const V3& a, const V3& b);
  static bool V3IsEqualf(const V3& a, const V3& b);

  // Writes the view as a POV-Ray 3.5 scene with CR LF lines: the atoms,
  // bonds and fill objects turned as on screen, a camera framing them and
  // two lights. title goes into the header, the clock gives its date. The
  // file appears only when complete; SceneError naming the path otherwise,
  // and an earlier file stays as it was.
  void POVRAY(const std::string& file, float diffuse, float ambient, float specular,
              float reflection, float roughness, float glassFilter, const std::string& title,
              Clock& clock);
  // x with "0.0##", "." in every locale.
  static std::string povNumber(float x);
  // " <r,g,b> " with each channel / 255.
  static std::string povColor(std::uint32_t colour);
  // Width over height of the viewport one picture takes; the POV-Ray
  // camera's shape.
  double viewportAspect() const;

private:
  class PovOutput;
  // How far the drawn points reach in the framing pose, whatever the
  // viewport's shape: the farthest across and up, the eye distance the reach
  // up asks for, and the (front, across) pairs of the points no other point
  // passes in both, front ascending: only those can set the eye distance
  // the reach across asks for, so a resize looks at them alone.
  struct Reach {
    double across = 0.0;
    double up = 0.0;
    double upDistance = 0.0;
    std::vector<std::pair<double, double>> edge;
  };
  // The pose the structure was framed in, its reach in that pose, and for
  // the viewport shape last asked about, the eye distance and the
  // orthographic half size that show it whole.
  struct Framing {
    CMatrix::Matrix pose{};
    bool measured = false;
    std::optional<Reach> reach;
    double aspect = -1.0;
    double distance = 0.0;
    double half = 0.0;

    // The pose or the lists changed.
    void forget()
    {
      reach.reset();
      aspect = -1.0;
    }
  };
  // The POV-Ray camera that shows what the view shows: its distance from the
  // look-at point, horizontal angle (degrees), picture width over height,
  // and the look-at point's shift.
  struct PovCamera {
    double distance = 0.0;
    double angle = 0.0;
    double aspect = 1.0;
    float panX = 0.0f;
    float panY = 0.0f;
  };
  struct FillRecord {
    float x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0;
    float radius = 0;
    std::int32_t colour = 0;
    std::int16_t kind = 0;
  };
  struct Box {
    std::array<std::array<float, 2>, 3> range{};
    std::array<float, 3> centre{};
    std::array<float, 3> size{};
    bool valid = false;
  };
  // Per-atom colour choice; the "other" types keep the previous atom's.
  struct AtomStyle {
    std::uint32_t colour = 0;
    std::int32_t element = 0;
    float radius = 0.0f;
  };
  // The extremes of the scene atom file's lines read so far, and where the
  // reading stopped: each hand-over of a multi-part structure reads only the
  // lines the last one added.
  struct FileExtremes {
    std::array<float, 3> lo{99999.0f, 99999.0f, 99999.0f};
    std::array<float, 3> hi{-99999.0f, -99999.0f, -99999.0f};
    std::uint64_t bytes = 0;
    std::int64_t lines = 0;
  };
  class CompileGuard;

  // The compile operations measure afresh: the model changes between them.
  void measureBox();
  void readAtomFileExtremes();
  static float pointDistance(float x1, float y1, float z1, float x2, float y2, float z2);
  static float radToDeg(double radians);

  void drawCylinder(SceneRecord& record, const V3& p1, const V3& p2, float radius,
                    std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;
  std::uint32_t heightColour(float v) const;
  void atomStyle(AtomStyle& style, std::int16_t type, bool atomSet) const;
  void insertedFillObject(std::array<FillRecord, 21>& table, std::int16_t& count) const;
  void checkBonds(std::int32_t setCount) const;
  void addList(SceneRecord record);
  void compileList(SceneList& list);
  void writePOVArrays(PovOutput& out) const;
  void writePOVBody(PovOutput& out) const;
  void drawPass();
  void applyProjection();
  // Takes the projection from the host, loads the one volume() sets over the
  // whole w x h view, and redraws.
  template <typename Volume>
  void loadOwnProjection(float w, float h, Volume volume);
  void zoomStep(int direction);
  // Loads the projection a new zoom or framing needs, unless the host keeps
  // its own.
  void reproject();
  // The present pose becomes the framing pose, seen with no zoom and no pan.
  void measureFrame();
  // The reach of the lists' points in the framing pose.
  Reach measureReach(double tanY) const;
  const Framing& framing() const;
  double eyeDistance() const;
  // Half the smaller side of the orthographic volume.
  double orthoHalfSize() const;
  // Keeps the structure in front of the eye however far it is zoomed.
  void clampZoom();
  PovCamera povCamera() const;

  // Stands in for the host until one is attached.
  class DetachedHost : public HostControl {
  public:
    void Redraw() override {}
    void repaintNow() override {}
    float ViewWidth() const override { return 0.0f; }
    float ViewHeight() const override { return 0.0f; }
    void PressNotify() override {}
    void startAnimationTimer() override {}
    void stopAnimationTimer() override {}
    void setOwnsProjection(bool) override {}
    bool ownsProjection() const override { return true; }
  };
  // The last projection asked for, redone on a new context.
  enum class Projection { Host, Ortho, Pers };

  const Model& m_model;
  const DisplaySettings& m_display;
  const Preferences& m_preferences;
  AbortToken& m_abort;
  EventPump& m_events;
  GlApi& m_gl;
  GlContext& m_context;
  std::string m_atomFilePath;
  std::string m_bondFilePath;

  CMatrix m_viewMatrix;
  std::vector<SceneList> m_lists;
  std::array<float, 121> m_elementRadius{};
  std::array<std::uint32_t, 121> m_elementColor{};
  std::array<FillRecord, 21> m_fillTable{};
  std::int16_t m_fillCount = 0;
  Box m_box;
  float m_frameRadius = 0.0f;
  mutable Framing m_frame;
  FileExtremes m_fileExtremes;
  std::int32_t m_dragMode = 0;
  std::array<float, 4> m_fogColor{};
  // Only read in the anaglyph modes, which start white.
  std::uint32_t m_anaglyphBackground = 0xFFFFFF;
  bool m_compiling = false;
  // A clear colour was asked for since construction (it is in m_fogColor).
  bool m_backColorSet = false;
  std::array<float, 4> m_lightColour{1.0f, 1.0f, 1.0f, 1.0f};
  Projection m_projection = Projection::Host;
  DetachedHost m_detachedHost;
  HostControl* m_host = &m_detachedHost;
  std::int16_t m_animationAxis = 0;
};

} // namespace tarvek
