// The Tools menu commands that open tool windows.
#include "shell/tool_commands.h"

#include "imaging/ui/digitiser_window.h"
#include "scene/scene_object.h"
#include "shell/form1.h"
#include "shell/collapsible_frame.h"
#include "shell/tools_menu.h"
#include "shell/view_commands.h"
#include "tools/icosahedral_cage_window.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>

namespace tarvek {

ToolCommands::ToolCommands(Form1& form) : QObject(&form), m_form(form)
{
  mnuTool_7 = addToolItem(*form.mnuTool, ToolGroup::ToolWindows, QStringLiteral("XY-Sheet Generator"));
  connect(mnuTool_7, &QAction::triggered, this, [this] { showDigitiser(); });
  mnuTool_14 = addToolItem(*form.mnuTool, ToolGroup::ToolWindows, QStringLiteral("Virus Geometries"));
  connect(mnuTool_14, &QAction::triggered, this, [this] { showVirusWindow(); });
}

ToolCommands::~ToolCommands() = default;

void ToolCommands::showDigitiser()
{
  if (!m_digitiser) {
    m_digitiser = std::make_unique<frmXY>(m_form.m_platform, m_form.m_model, m_form.m_preferences,
                                          m_form.m_startup.importFolder, m_form.m_random);
    m_digitiser->setGeometry(m_form.geometry());
  }
  m_digitiser->show();
  m_digitiser->raise();
  m_digitiser->activateWindow();
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
    if (!m_form.fr1->isHidden())
      m_form.mnuView_3_Click();
  }
  m_form.m_state.virusTitle = title;
  m_form.lbTIT->setText(caption);
}

} // namespace tarvek
