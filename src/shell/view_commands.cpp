#include "shell/view_commands.h"

#include "formats/structure_writers.h"
#include "platform/open_url.h"
#include "platform/plain_tool_tip.h"
#include "platform/run_command.h"
#include "scene/gl_host.h"
#include "scene/scene_object.h"
#include "shell/collapsible_frame.h"
#include "shell/coordinate_list.h"
#include "shell/form1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolBar>

#include <algorithm>
#include <functional>

namespace tarvek {

namespace {

QString qs(const std::string& text)
{
  return QString::fromStdString(text);
}

// Toolbar slots around the calculate button (slot 5), with their icons;
// an empty tooltip is a separator.
struct SlotSpec {
  int slot;
  const char* tooltip;
  const char* icon;
};
const SlotSpec kSlotsBeforeRun[] = {
    {1, "", ""}, {2, "Save XYZ Table", "save"}, {3, "Copy XYZ Table", "copy"}, {4, "", ""}};
const SlotSpec kSlotsAfterRun[] = {
    {6, "", ""},
    {7, "<L> Rotate around X-Axis, <R> Rotate 90 deg", "rotate_x"},
    {8, "<L> Rotate around Y-Axis, <R> Rotate 90 deg", "rotate_y"},
    {9, "<L> Rotate around Z-Axis, <R> Rotate 90 deg", "rotate_z"},
    {10, "", ""},
    {11, "Reset Orientation", "reset"},
    {12, "Toggle Controls", "controls"},
    {13, "Toggle Perspective", "projection"},
    {14, "<L> Stereo Modes (Parallel/Crosseye/Anaglyph/Off) , <R> Backwards", "stereo"},
    {15, "Toggle Flat-shading for inserts", "flat"}};

// The axis each rotate slot turns about, in the scene's numbering.
std::int16_t slotAxis(int slot)
{
  return slot == 7 ? 1 : slot == 8 ? 0 : 2;
}

QCursor dragCursor(const char* name)
{
  return QCursor(QPixmap(QStringLiteral(":/shell/cursor_%1.png").arg(QLatin1String(name))), 16,
                 16);
}

} // namespace

ViewCommands::ViewCommands(Form1& form, const std::string& programFolder)
    : QObject(&form), m_form(form), m_links(loadLinkTable(programFolder + "links.dat"))
{
  mnuMSG = form.menuBar()->addAction(QString());
  connect(mnuMSG, &QAction::triggered, this, [this] { mnuMSG->setText(QString()); });
  buildToolbar();
  buildViewMenu();
  connectDisplayControls();
  buildTitleAndLogo();
  watchStatusBar();
  QWidget* view = form.viewWidget();
  view->setMouseTracking(true);
  view->installEventFilter(this);
}

std::string ViewCommands::caption() const
{
  return mnuMSG->text().toStdString();
}

void ViewCommands::setCaption(const std::string& caption)
{
  mnuMSG->setText(qs(caption));
}

void ViewCommands::showMessage(std::string text)
{
  padMenuCaption(text, *this);
}

void ViewCommands::buildToolbar()
{
  QToolBar* bar = m_form.Toolbar1;
  QAction* run = m_form.runCalculationButton;
  const QList<QAction*> existing = bar->actions();
  const qsizetype runAt = existing.indexOf(run);
  QAction* afterRun = runAt + 1 < existing.size() ? existing[runAt + 1] : nullptr;
  const auto add = [&](const SlotSpec& spec, QAction* before) {
    QAction* action = nullptr;
    if (*spec.tooltip == '\0') {
      action = bar->insertSeparator(before);
    } else {
      action = new QAction(
          QIcon(QStringLiteral(":/shell/%1.png").arg(QLatin1String(spec.icon))),
          QString::fromLatin1(spec.tooltip), bar);
      action->setToolTip(QString::fromLatin1(spec.tooltip));
      bar->insertAction(before, action);
      const int slot = spec.slot;
      connect(action, &QAction::triggered, this, [this, slot] {
        runCommand(m_form.m_platform, [this, slot] { toolbarClick(slot); });
      });
    }
    toolbarSlots[spec.slot] = action;
  };
  for (const auto& spec : kSlotsBeforeRun)
    add(spec, run);
  toolbarSlots[5] = run;
  connect(run, &QAction::triggered, this, [this] { toolbarClick(5); });
  for (const auto& spec : kSlotsAfterRun)
    add(spec, afterRun);
  toolbarSlots[15]->setCheckable(true);
  bar->installEventFilter(this);
}

void ViewCommands::buildViewMenu()
{
  QMenu* menu = m_form.mnuView;
  QAction* controls = menu->actions().value(0);
  const auto insert = [&](const char* caption, QAction* before, std::function<void()> handler) {
    auto* action = new QAction(QString::fromLatin1(caption), menu);
    menu->insertAction(before, action);
    connect(action, &QAction::triggered, this,
            [this, handler] { runCommand(m_form.m_platform, handler); });
    return action;
  };
  mnuToggleAtoms = insert("Toggle &Atoms", controls, [this] { mnuViewToggleBox(0); });
  mnuToggleBonds = insert("Toggle &Bonds", controls, [this] { mnuViewToggleBox(1); });
  mnuToggleFog = insert("Toggle &Fog", nullptr, [this] { m_form.m_scene->toggleFog(); });
  mnuToggleRainbow = insert("Toggle &Rainbow", nullptr, [this] { mnuViewRainbow(); });
  mnuToggleProjection = insert("Toggle Projection", nullptr, [this] { m_form.toggleProjection(); });
  menu->addSeparator();
  mnuModels[0] = insert("Wire-Frame Model", nullptr, [this] { mnuViewModel(1); });
  mnuModels[1] = insert("Ball-Stick Model", nullptr, [this] { mnuViewModel(2); });
  mnuModels[2] = insert("Space-Filling Model", nullptr, [this] { mnuViewModel(3); });
}

void ViewCommands::connectDisplayControls()
{
  // toggled, not clicked: the handler must also follow changes made by code
  // (the model menu, the calculation).
  for (int i = 0; i < 2; ++i) {
    connect(m_form.cbOP[i], &QCheckBox::toggled, this, [this, i] {
      runCommand(m_form.m_platform, [this, i] { cbOP_Click(i); });
    });
    connect(m_form.cmbRAD[i], &QComboBox::currentIndexChanged, this, [this, i] {
      runCommand(m_form.m_platform, [this, i] { cmbRAD_Click(i); });
    });
  }
}

void ViewCommands::buildTitleAndLogo()
{
  m_form.lbTIT->setMouseTracking(true);
  m_form.lbTIT->installEventFilter(this);
  Image2 = new QLabel(m_form.fr2);
  Image2->setPixmap(QPixmap(QStringLiteral(":/shell/logo.png")));
  Image2->setGeometry(157, 43, 32, 32);
  Image2->setCursor(Qt::PointingHandCursor);
  Image2->setToolTip(qs("Goto " + address("home")));
  Image2->setMouseTracking(true);
  Image2->installEventFilter(this);
}

void ViewCommands::watchStatusBar()
{
  m_form.stb->setMouseTracking(true);
  m_form.stb->installEventFilter(this);
  for (QLabel* panel : m_form.stbPanel) {
    panel->setMouseTracking(true);
    panel->installEventFilter(this);
  }
}

void ViewCommands::cbOP_Click(int index)
{
  auto& boxes = m_form.cbOP;
  if (!boxes[index]->isEnabled())
    return;
  DisplaySettings& display = m_form.m_display;
  display.atomsShown = boxes[0]->isChecked();
  display.bondsShown = boxes[1]->isChecked();
  // Checking the other box runs this handler for it at once, so both
  // settings follow before the redraw below.
  if (!display.atomsShown && !display.bondsShown)
    boxes[index == 0 ? 1 : 0]->setChecked(true);
  m_form.m_scene->Refresh();
}

void ViewCommands::cmbRAD_Click(int index)
{
  if (!m_form.isVisible())
    return;
  m_form.viewWidget()->setFocus();
  DisplaySettings& display = m_form.m_display;
  float& scale = index == 0 ? display.atomRadiusScale : display.bondWidthScale;
  const auto s = static_cast<float>((m_form.cmbRAD[index]->currentIndex() + 1) * 0.1);
  if (s == scale)
    return;
  scale = s;
  m_form.refreshTitle(false);
  m_form.m_scene->clearScene();
  m_form.setData(false);
  m_form.showAtomRadius();
  if (m_form.m_model.tubeVariant != 0)
    m_form.Apply();
  m_form.m_platform.pump.pumpEvents();
}

void ViewCommands::mnuViewModel(int model)
{
  auto& boxes = m_form.cbOP;
  auto& lists = m_form.cmbRAD;
  switch (model) {
  case 1:
    boxes[0]->setChecked(false);
    boxes[1]->setChecked(true);
    lists[1]->setCurrentIndex(0);
    break;
  case 2:
    boxes[0]->setChecked(true);
    boxes[1]->setChecked(true);
    lists[0]->setCurrentIndex(4);
    lists[1]->setCurrentIndex(4);
    break;
  case 3:
    boxes[0]->setChecked(true);
    boxes[1]->setChecked(false);
    lists[0]->setCurrentIndex(9);
    break;
  default:
    break;
  }
}

void ViewCommands::mnuViewToggleBox(int index)
{
  // A disabled box (structure parts) would otherwise show a state that is
  // not drawn.
  QCheckBox* box = m_form.cbOP[index];
  if (box->isEnabled())
    box->setChecked(!box->isChecked());
}

void ViewCommands::mnuViewRainbow()
{
  m_form.m_display.rainbowMode = !m_form.m_display.rainbowMode;
  m_form.Apply();
}

void ViewCommands::stereoModeName()
{
  m_form.setStatusText(tarvek::stereoModeName(m_form.m_scene->stereoMode));
}

void ViewCommands::toolbarClick(int slot)
{
  m_form.m_platform.pump.pumpEvents();
  showMessage(toolbarSlots[slot]->toolTip().toStdString());
  CXXX& scene = *m_form.m_scene;
  switch (slot) {
  case 2:
    m_form.coordinateList().saveXyzTable();
    break;
  case 3:
    m_form.coordinateList().copyXyzTable();
    break;
  case 5:
    // The calculation reports its own errors.
    m_form.m_model.tubeVariant = 0;
    m_form.runCalculation();
    break;
  case 7:
  case 8:
  case 9:
    scene.animate(slotAxis(slot));
    break;
  case 11:
    scene.animating = false;
    scene.zoom = 0.0f;
    scene.zoomReset(0);
    break;
  case 12:
    m_form.mnuView_3_Click();
    break;
  case 13:
    m_form.toggleProjection();
    break;
  case 14:
    scene.toggleStereo(1);
    stereoModeName();
    break;
  case 15:
    m_form.m_display.flatInserts = toolbarSlots[15]->isChecked();
    scene.Refresh();
    break;
  default:
    break;
  }
}

void ViewCommands::toolbarRightPress(int x)
{
  QToolBar* bar = m_form.Toolbar1;
  int hit = 0;
  for (int slot = 1; slot < static_cast<int>(toolbarSlots.size()) && hit == 0; ++slot) {
    const QWidget* button = bar->widgetForAction(toolbarSlots[slot]);
    if (button == nullptr)
      continue;
    const QRect span = button->geometry();
    if (span.left() < x && x < span.left() + span.width())
      hit = slot;
  }
  CXXX& scene = *m_form.m_scene;
  if (hit >= 7 && hit <= 9) {
    scene.rotate90(slotAxis(hit));
  } else if (hit == 14) {
    scene.toggleStereo(-1);
    stereoModeName();
  }
}

void ViewCommands::lbTIT_Click()
{
  const MainWindowState& state = m_form.m_state;
  if (state.coordinateImportFlag) {
    openFile(state.lastXmolFile);
  } else if (state.xyImportFlag) {
    openFile(state.xyFileName);
  } else if (!state.fullereneLibraryMode) {
    if (m_form.titleLink.find("://") != std::string::npos)
      openURL(m_form.titleLink, m_form.m_platform.shellOpen);
  } else {
    openFile(state.lastFullereneFile);
  }
}

void ViewCommands::Image2_Click()
{
  openURL(address("home"), m_form.m_platform.shellOpen);
}

void ViewCommands::openFile(const std::string& path)
{
  // A file that cannot be opened shows nothing.
  m_form.m_platform.shellOpen.openFile(path);
}

void ViewCommands::stb_MouseDown(std::int16_t button, int x)
{
  const int panel = statusPanelAt(x, m_form.stbPanel[1]->x(), m_form.stbPanel[3]->x());
  const int step = button == 2 ? -1 : 1;
  if (panel == 1) {
    if (button == 1) {
      m_form.showPreferences();
    } else if (button == 2) {
      showBondStatistics(m_form.exportContext(),
                         [this](const std::string& text) { m_form.setStatusText(text); });
    }
    return;
  }
  if (panel == 0 || (button != 1 && button != 2 && button != 4))
    return;
  QComboBox* list = m_form.cmbRAD[panel == 2 ? 0 : 1];
  const int by = panel == 2 ? step : 2 * step;
  list->setCurrentIndex(stepListIndex(list->currentIndex(), by, list->count()));
}

void ViewCommands::stb_MouseMove(int x)
{
  // On an edge the hint is the first panel's.
  const int panel = statusPanelAt(x, m_form.stbPanel[1]->x(), m_form.stbPanel[3]->x());
  showMessage(m_form.stbPanel[panel == 0 ? 0 : panel - 1]->toolTip().toStdString());
}

void ViewCommands::viewMousePress(QMouseEvent* event)
{
  QWidget* view = m_form.viewWidget();
  m_form.m_scene->animating = false;
  view->unsetCursor();
  const std::int16_t button = sceneButtons(event->button());
  const double x = event->position().x() * view->devicePixelRatioF();
  const double half = m_form.m_view.ViewWidth() / 2.0;
  if (button == 1 && m_form.m_display.shiftKeyDown)
    view->setCursor(dragCursor("pan"));
  else if (button == 2 && x > half)
    view->setCursor(dragCursor("zoom"));
  else if (button == 2)
    view->setCursor(dragCursor("rotate"));
}

void ViewCommands::viewMouseMove(QMouseEvent* event)
{
  if (event->buttons() != Qt::NoButton)
    return;
  QWidget* view = m_form.viewWidget();
  const double x = event->position().x() * view->devicePixelRatioF();
  showMessage(x >= m_form.m_view.ViewWidth() / 2.0 ? "Right Mouse Button Drag for <Zoom>"
                                                   : "Right Mouse Button Drag for <Rotate>");
}

bool ViewCommands::statusBarMouse(QObject* watched, QEvent* event)
{
  auto* mouse = static_cast<QMouseEvent*>(event);
  QPoint at = mouse->position().toPoint();
  if (watched != m_form.stb)
    at = static_cast<QWidget*>(watched)->mapTo(m_form.stb, at);
  if (event->type() == QEvent::MouseButtonPress)
    runCommand(m_form.m_platform,
               [this, mouse, at] { stb_MouseDown(sceneButtons(mouse->button()), at.x()); });
  else
    stb_MouseMove(at.x());
  return true;
}

bool ViewCommands::eventFilter(QObject* watched, QEvent* event)
{
  const auto type = event->type();
  const bool press = type == QEvent::MouseButtonPress;
  const bool move = type == QEvent::MouseMove;
  const bool release = type == QEvent::MouseButtonRelease;
  if (!press && !move && !release)
    return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  if (watched == m_form.viewWidget()) {
    // The host's own navigation runs after these rules.
    if (press)
      viewMousePress(mouse);
    else if (move)
      viewMouseMove(mouse);
    else
      m_form.viewWidget()->unsetCursor();
    return false;
  }
  if (watched == m_form.Toolbar1) {
    if (press && mouse->button() == Qt::RightButton)
      toolbarRightPress(mouse->position().toPoint().x());
    return false;
  }
  if (watched == m_form.lbTIT || watched == Image2) {
    const auto* label = static_cast<QLabel*>(watched);
    if (move) {
      const QString hint = watched == m_form.lbTIT ? m_form.titleHint : plainToolTip(label);
      showMessage(hint.toStdString());
      if (watched == m_form.lbTIT) {
        if (hint.isEmpty())
          m_form.lbTIT->unsetCursor();
        else
          m_form.lbTIT->setCursor(Qt::PointingHandCursor);
      }
    } else if (release && mouse->button() == Qt::LeftButton) {
      if (watched == Image2)
        Image2_Click();
      else
        lbTIT_Click();
    }
    return false;
  }
  if (watched == m_form.stb || m_form.stbPanel.end() != std::find(m_form.stbPanel.begin(),
                                                                  m_form.stbPanel.end(), watched)) {
    if (press || move)
      return statusBarMouse(watched, event);
  }
  return false;
}

} // namespace tarvek
