// The Tools menu commands that open tool windows.
#include "shell/tool_commands.h"

#include "imaging/ui/digitiser_window.h"
#include "scene/scene_object.h"
#include "shell/form1.h"
#include "shell/collapsible_frame.h"
#include "shell/tools_menu.h"
#include "tools/nano_hole_window.h"
#include "tools/bond_range_window.h"
#include "tools/radius_calculator_window.h"
#include "shell/view_commands.h"
#include "tools/icosahedral_cage_window.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>

namespace tarvek {

ToolCommands::ToolCommands(Form1& form) : QObject(&form), m_form(form)
{
  mnuTool_7 = addToolItem(*form.mnuTool, ToolItem::XySheetGenerator, QStringLiteral("XY-Sheet Generator"));
  connect(mnuTool_7, &QAction::triggered, this, [this] { showDigitiser(); });
  mnuTool_12 = addToolItem(*form.mnuTool, ToolItem::NanoHoleArray, QStringLiteral("Nano-Hole Array"));
  connect(mnuTool_12, &QAction::triggered, this, [this] { showNanoHoles(); });
  mnuTool_8 = addToolItem(*form.mnuTool, ToolItem::RadiusCalculator, QStringLiteral("Radius-Calculator"));
  connect(mnuTool_8, &QAction::triggered, this, [this] { showRadiusCalculator(); });
  mnuTool_11 = addToolItem(*form.mnuTool, ToolItem::RecalculateBonds, QStringLiteral("Recalculate Bonds "));
  connect(mnuTool_11, &QAction::triggered, this, [this] { showBondRange(); });
  mnuTool_14 = addToolItem(*form.mnuTool, ToolItem::VirusGeometries, QStringLiteral("Virus Geometries"));
  connect(mnuTool_14, &QAction::triggered, this, [this] { showVirusWindow(); });
}

namespace {

void bringUp(QWidget& window)
{
  window.show();
  window.raise();
  window.activateWindow();
}

} // namespace

ToolCommands::~ToolCommands() = default;

void ToolCommands::showDigitiser()
{
  if (!m_digitiser) {
    m_digitiser = std::make_unique<frmXY>(m_form.m_platform, m_form.m_model, m_form.m_preferences,
                                          m_form.m_startup.importFolder, m_form.m_random);
    m_digitiser->setGeometry(m_form.geometry());
  }
  bringUp(*m_digitiser);
}

void ToolCommands::showRadiusCalculator()
{
  if (m_radiusCalculator == nullptr)
    m_radiusCalculator = new dlgRCALC(m_form.m_model, m_form.m_display, m_form.m_platform.prompts,
                                      m_form.m_platform.pump, m_form, &m_form);
  bringUp(*m_radiusCalculator);
}

void ToolCommands::showBondRange()
{
  if (m_bondRange == nullptr)
    m_bondRange = new dlgBondUser(m_form.m_model, m_form.scene(), m_form.m_platform.prompts,
                                  m_form.m_platform.abort, m_form.m_platform.pump, m_form,
                                  &m_form);
  bringUp(*m_bondRange);
}

void ToolCommands::showNanoHoles()
{
  m_form.setWindowState(m_form.windowState() | Qt::WindowMinimized);
  if (!m_nanoHoles)
    m_nanoHoles = std::make_unique<frmNanoHoles>(m_form.m_platform.prompts, m_form.m_platform.fileDialogs,
                                                 m_form, m_form.m_preferences,
                                                 m_form.m_startup.exportFolder, m_form.m_random,
                                                 &m_form);
  m_nanoHoles->show();
  m_nanoHoles->raise();
  m_nanoHoles->activateWindow();
}

void ToolCommands::showVirusWindow()
{
  if (!m_virus) {
    m_virus = new frmVirus(m_form.m_model, *m_form.m_scene, m_form, m_form.m_platform,
                           m_form.viewCommands().address("virus"), &m_form);
  }
  m_virus->show();
  m_virus->raise();
  m_virus->activateWindow();
}

void ToolCommands::leaveVirusMode()
{
  if (!m_form.m_state.virusHidControls)
    return;
  m_form.m_state.virusHidControls = false;
  if (m_form.fr1->isHidden())
    m_form.mnuView_3_Click();
}

void ToolCommands::setVirusMode(int mode, const std::string& title)
{
  const QString caption = QString::fromStdString(title);
  if (mode == 1) {
    m_form.cmbTYP->setCurrentIndex(7);
    m_form.m_model.structureKind = 8;
  } else {
    m_form.m_seams.fillXyzList(0);
    m_form.stbPanel[2]->setText(QString::number(m_form.m_scene->drawnAtomCount) + QStringLiteral(" Sites"));
    m_form.stbPanel[3]->setText(QString::number(m_form.m_scene->drawnBondCount) + QStringLiteral(" Bonds"));
    m_form.showAtomRadius();
    m_form.stbPanel[0]->setText(caption);
    if (!m_form.fr1->isHidden()) {
      m_form.mnuView_3_Click();
      m_form.m_state.virusHidControls = true;
    }
  }
  m_form.m_state.virusTitle = title;
  m_form.showTitle(caption);
}

} // namespace tarvek
