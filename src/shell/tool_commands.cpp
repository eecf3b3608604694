// The Tools menu commands that open tool windows.
#include "shell/tool_commands.h"

#include "imaging/ui/digitiser_window.h"
#include "shell/form1.h"
#include "shell/tools_menu.h"
#include "tools/nano_hole_window.h"
#include "tools/bond_range_window.h"
#include "tools/radius_calculator_window.h"

#include <QAction>
#include <QMenu>

namespace tarvek {

ToolCommands::ToolCommands(Form1& form) : QObject(&form), m_form(form)
{
  mnuTool_7 = addToolItem(*form.mnuTool, ToolGroup::ToolWindows, QStringLiteral("XY-Sheet Generator"));
  connect(mnuTool_7, &QAction::triggered, this, [this] { showDigitiser(); });
  mnuTool_12 = addToolItem(*form.mnuTool, ToolGroup::ToolWindows, QStringLiteral("Nano-Hole Array"));
  connect(mnuTool_12, &QAction::triggered, this, [this] { showNanoHoles(); });
  mnuTool_8 = addToolItem(*form.mnuTool, ToolGroup::ToolWindows, QStringLiteral("Radius-Calculator"));
  connect(mnuTool_8, &QAction::triggered, this, [this] { showRadiusCalculator(); });
  mnuTool_11 = addToolItem(*form.mnuTool, ToolGroup::ToolWindows, QStringLiteral("Recalculate Bonds "));
  connect(mnuTool_11, &QAction::triggered, this, [this] { showBondRange(); });
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
                                      m_form, &m_form);
  bringUp(*m_radiusCalculator);
}

void ToolCommands::showBondRange()
{
  if (m_bondRange == nullptr)
    m_bondRange = new dlgBondUser(m_form.m_model, m_form.scene(), m_form.m_platform.prompts,
                                  m_form.m_platform.abort, m_form, &m_form);
  bringUp(*m_bondRange);
}

void ToolCommands::showNanoHoles()
{
  m_form.setWindowState(m_form.windowState() | Qt::WindowMinimized);
  if (!m_nanoHoles)
    m_nanoHoles = std::make_unique<frmNanoHoles>(m_form.m_platform.prompts, m_form.m_platform.fileDialogs,
                                                 m_form, m_form.m_startup.exportFolder, m_form.m_random,
                                                 &m_form);
  m_nanoHoles->show();
  m_nanoHoles->raise();
  m_nanoHoles->activateWindow();
}

} // namespace tarvek
