#include "shell/help_commands.h"

#include "platform/open_url.h"
#include "platform/run_command.h"
#include "runtime/file_util.h"
#include "scene/scene_object.h"
#include "shell/about_window.h"
#include "shell/form1.h"
#include "shell/view_commands.h"

#include <QAction>
#include <QMenu>

#include <filesystem>

namespace tarvek {

HelpCommands::HelpCommands(Form1& form, std::string programFolder)
    : QObject(&form), m_form(form), m_programFolder(std::move(programFolder))
{
  buildMenu();
}

const std::vector<std::string>& HelpCommands::linkKeys()
{
  static const std::vector<std::string> keys{"povray",  "maker",      "home",     "bugreport",
                                             "",        "library",    "author",   "fullerenes",
                                             "junction", "",          "tubegen",  "jmol"};
  return keys;
}

void HelpCommands::buildMenu()
{
  QMenu* menu = m_form.mnuHelp;
  QAction* first = menu->actions().value(0);
  mnuContents = new QAction(QStringLiteral("Contents ..."), menu);
  menu->insertAction(first, mnuContents);
  connect(mnuContents, &QAction::triggered, this,
          [this] { runCommand(m_form.m_platform, [this] { ShowHelp(); }); });
  menu->insertSeparator(first);
  mnuLinks = new QMenu(QStringLiteral("Links"), menu);
  menu->insertMenu(first, mnuLinks);
  menu->insertSeparator(first);
  buildLinks();
  menu->addSeparator();
  mnuAbout = menu->addAction(QStringLiteral("&About"), this, [this] {
    runCommand(m_form.m_platform, [this] { showAbout(); });
  });
}

void HelpCommands::buildLinks()
{
  const LinkTable& links = m_form.viewCommands().links();
  for (const std::string& key : linkKeys()) {
    if (key.empty()) {
      mnuLinks->addSeparator();
      continue;
    }
    const auto row = links.find(key);
    if (row == links.end()) {
      mnuLinks->addAction(QString::fromStdString(key))->setEnabled(false);
      continue;
    }
    const std::string address = row->second.address;
    mnuLinks->addAction(QString::fromStdString(row->second.caption), this, [this, address] {
      m_form.m_platform.pump.pumpEvents();
      openOrTell(address, m_form.m_platform.shellOpen, m_form.m_platform.prompts);
    });
  }
}

void HelpCommands::ShowHelp()
{
  std::error_code ec;
  std::filesystem::path manual =
      std::filesystem::absolute(m_programFolder + "help/index.html", ec).lexically_normal();
  const std::string path = manual.string();
  if (ec || !FileExists(path))
    m_form.m_platform.prompts.message("The manual could not be opened: " + path, {},
                                      MessageIcon::Exclamation);
  else
    openOrTell(path, m_form.m_platform.shellOpen, m_form.m_platform.prompts);
}

void HelpCommands::showAbout()
{
  m_form.m_scene->animating = false;
  m_form.m_platform.pump.pumpEvents();
  frmSplash splash(&m_form, m_form.m_platform.shellOpen, m_form.viewCommands().address("maker"));
  splash.exec();
}

} // namespace tarvek
