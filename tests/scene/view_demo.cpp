// A C60 in the 3-D view, until the main window hosts it.
//
//   scene_view_demo [--stereo N] [--fog] [--ortho] [--grab out.bmp]
//
// With --grab it draws one frame, saves it as a bitmap and exits (status 1
// when nothing was written); otherwise the window stays for a drag or two.

#include "model/bond_search.h"
#include "model/c60_builder.h"
#include "model/display_settings.h"
#include "model/element_tables.h"
#include "model/model.h"
#include "platform/escape_watch.h"
#include "platform/qt_prompts.h"
#include "platform/surface_format.h"
#include "scene/gl_host.h"
#include "scene/scene_object.h"

#include <QApplication>
#include <QDir>
#include <QInputEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>
#include <iostream>
#include <string>

namespace {

using namespace tarvek;

// The main window keeps shiftKeyDown from its key handlers; here the view's
// own input events stand in for them.
class ShiftTracker : public QObject {
public:
  explicit ShiftTracker(DisplaySettings& display) : m_display(display) {}

protected:
  bool eventFilter(QObject*, QEvent* event) override
  {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
      m_display.shiftKeyDown = (static_cast<QInputEvent*>(event)->modifiers() & Qt::ShiftModifier) != 0;
      break;
    default:
      break;
    }
    return false;
  }

private:
  DisplaySettings& m_display;
};

int usage()
{
  std::cerr << "usage: scene_view_demo [--stereo N] [--fog] [--ortho] [--grab out.bmp]\n";
  return 2;
}

} // namespace

int main(int argc, char** argv)
{
  int stereo = 0;
  bool fog = false;
  bool ortho = false;
  std::string grabPath;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--stereo" && i + 1 < argc) {
      stereo = std::atoi(argv[++i]);
      if (stereo < 0 || stereo > 4)
        return usage();
    } else if (arg == "--fog") {
      fog = true;
    } else if (arg == "--ortho") {
      ortho = true;
    } else if (arg == "--grab" && i + 1 < argc) {
      grabPath = argv[++i];
    } else {
      return usage();
    }
  }

  setDefaultSurfaceFormat();
  QApplication app(argc, argv);
  QTemporaryDir sceneFiles;
  EscapeWatch escape;
  QtPrompts prompts;

  Model model;
  DisplaySettings display;
  display.orthoProjection = ortho;
  Preferences preferences;
  initElements(model);
  model.structureKind = 5;
  buildC60(model);
  findBonds(model, prompts, escape);

  GlHost host(prompts);
  host.setWindowTitle("C60");
  host.resize(640, 480);
  CXXX scene(model, display, preferences, escape, escape, host.gl(), host,
             QDir(sceneFiles.path()).filePath("tmp.xyz").toStdString(),
             QDir(sceneFiles.path()).filePath("tmp.zyx").toStdString());
  scene.attachHost(host);
  host.setScene(&scene);
  ShiftTracker shift(display);
  host.installEventFilter(&shift);

  // As the main window's resize handling does.
  QObject::connect(&host, &GlHost::viewResized, [&] {
    scene.resize();
    if (display.orthoProjection)
      scene.zoomOrtho();
  });

  scene.clearScene();
  scene.setBackground();
  scene.setAtomData();
  scene.setBondData();
  scene.setFillData();
  scene.zoomReset(0);
  for (int i = 0; i < stereo; ++i)
    scene.toggleStereo(1);
  if (fog)
    scene.toggleFog();
  if (ortho) {
    scene.zoom = 0;
    scene.zoomOrtho();
  }

  host.show();
  int status = 0;
  if (!grabPath.empty()) {
    QTimer::singleShot(0, [&] {
      if (!host.grabToBmp(grabPath)) {
        std::cerr << "scene_view_demo: could not write " << grabPath << "\n";
        status = 1;
      }
      host.setScene(nullptr);
      app.quit();
    });
  }
  const int loop = app.exec();
  host.setScene(nullptr);
  return status != 0 ? status : loop;
}
