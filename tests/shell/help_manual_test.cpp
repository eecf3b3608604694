// The manual names every command, button, structure type and file type a
// user meets in the program.
#include "form1_rig.h"
#include "help_pages.h"
#include "shell/file_commands.h"
#include "shell/file_naming.h"
#include "shell/options_window.h"
#include "shell/outside_programs.h"
#include "support/scratch_dir.h"

#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include <set>

namespace tarvek {
namespace {

std::string shownText(const QString& caption)
{
  QString text = caption;
  text.remove(QLatin1Char('&'));
  return text.trimmed().toStdString();
}

void collectMenu(const QMenu* menu, std::set<std::string>& texts)
{
  for (const QAction* action : menu->actions()) {
    if (action->isSeparator() || !action->isVisible() || !action->isEnabled())
      continue;
    texts.insert(shownText(action->text()));
    if (action->menu() != nullptr)
      collectMenu(action->menu(), texts);
  }
}

// The descriptions of a filter "description|pattern|description|pattern".
void collectFilter(const std::string& filter, std::set<std::string>& texts)
{
  std::size_t start = 0;
  bool description = true;
  while (start < filter.size()) {
    const auto bar = filter.find('|', start);
    const std::string part = filter.substr(start, bar == std::string::npos ? bar : bar - start);
    if (description && !part.empty())
      texts.insert(part);
    description = !description;
    if (bar == std::string::npos)
      break;
    start = bar + 1;
  }
}

TEST(HelpManualTest, manualNamesWhatTheWindowShows)
{
  test::ScratchDir home;
  StartupState startup;
  startup.exportFolder = (home.path() / "Export").string() + "/";
  test::Form1Rig rig({}, nullptr, startup);
  Form1& form = *rig.form;

  std::set<std::string> texts;
  for (const QAction* top : form.menuBar()->actions())
    if (top->menu() != nullptr && top->isVisible()) {
      texts.insert(shownText(top->text()));
      collectMenu(top->menu(), texts);
    }
  for (const QAction* action : form.Toolbar1->actions())
    if (!action->isSeparator() && !action->toolTip().isEmpty())
      texts.insert(action->toolTip().toStdString());
  for (int i = 0; i < form.cmbTYP->count(); ++i)
    texts.insert(form.cmbTYP->itemText(i).toStdString());

  // The file dialogs' filters, recorded as the commands open them.
  for (QPushButton* button : form.optionsWindow()->btDIR) {
    rig.dialogs.answer(std::nullopt);
    button->click();
  }
  rig.prompts.answerInput("0.5 0.25 0.5 0.0 0.0");
  rig.dialogs.answer(std::nullopt);
  form.outsidePrograms().exportPovRay();
  rig.dialogs.answer(std::nullopt);
  form.fileCommands().mnuFile_5->trigger();
  ASSERT_EQ(rig.dialogs.calls.size(), 6u);
  for (const auto& call : rig.dialogs.calls)
    collectFilter(call.filter, texts);
  for (const char* filter :
       {kMolFilter, kXmolFilter, kPdbFilter, kCifFilter, kVrmlFilter, kPdfFilter, kBondsFilter,
        kMlmFilter, kFullereneFilter, kXmolImportFilter, kXmolImportFilterSw, kAtomTableFilter,
        kXyFilter, kXyzTableFilter, kCoordinatesFilter})
    collectFilter(filter, texts);

  std::string manual;
  for (const auto& page : test::manualPages())
    manual += test::pageText(test::readBytes(page)) + " ";
  for (const std::string& text : texts) {
    ASSERT_FALSE(text.empty());
    EXPECT_NE(manual.find(text), std::string::npos) << "the manual does not name \"" << text << '"';
  }
  EXPECT_GT(texts.size(), 40u);
}

} // namespace
} // namespace tarvek
