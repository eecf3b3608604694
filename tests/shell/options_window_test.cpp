#include "shell/options_window.h"

#include "form1_rig.h"
#include "user_folders.h"

#include "scene/scene_object.h"
#include "support/click_menu.h"
#include "shell/atom_colour_dialog.h"
#include "shell/file_commands.h"
#include "shell/themed_buttons.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

QAction* menuItem(Form1& form, const QString& menu, const QString& item)
{
  for (QAction* top : form.menuBar()->actions())
    if (top->text() == menu && top->menu())
      for (QAction* action : top->menu()->actions())
        if (action->text() == item)
          return action;
  ADD_FAILURE() << "no menu item " << item.toStdString();
  return nullptr;
}

// The main window with its options window opened through the menu.
struct OptionsRig : test::Form1Rig {
  frmOptions& options = *form->optionsWindow();

  void open()
  {
    if (QAction* item = menuItem(*form, "&Tools", "&Preferences ..."))
      item->trigger();
  }
  std::string marker() const { return form->startup().manifestPath; }
};

CMatrix::Matrix poseOf(const CXXX& scene)
{
  CMatrix::Matrix out{};
  scene.viewMatrix().GetMatrix(out);
  return out;
}

TEST(OptionsWindowTest, opensModelessAndHidesOnClose)
{
  OptionsRig rig;
  frmOptions* const window = &rig.options;
  EXPECT_FALSE(window->isVisible());
  rig.open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  EXPECT_EQ(window->windowTitle(), " Preferences");
  EXPECT_FALSE(window->isModal());
  ASSERT_EQ(window->tbsOptions->count(), 4);
  const char* const tabs[] = {"Viewers", "Colors", "General", "Shortcuts"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(window->tbsOptions->tabText(i), tabs[i]);
  EXPECT_EQ(window->tbsOptions->currentIndex(), 0);
  EXPECT_TRUE(rig.form->state().optionsWindowOpen);

  EXPECT_FALSE(window->close());
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(rig.form->state().optionsWindowOpen);
  EXPECT_EQ(rig.form->optionsWindow(), window);

  rig.open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  QTest::keyClick(window, Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(rig.form->state().optionsWindowOpen);

  rig.open();
  window->tbsOptions->setCurrentIndex(3);
  window->taKEY->setFocus();
  QTest::keyClick(window->taKEY, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(window->tbsOptions->currentIndex(), 0);

  rig.form->state().appClosing = true;
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->isVisible());
}

TEST(OptionsWindowTest, clearRegistryFromTheHelpMenu)
{
  OptionsRig rig;
  rig.preferences.optionFlags[3] = true;
  rig.settings.values["COL2"] = "7";
  rig.settings.values["TOOL1"] = "/usr/bin/viewer";
  fs::remove(rig.marker());
  rig.prompts.answerYesNo(true);
  test::clickMenuPath(*rig.form, {"&Help", "Clear Settings"});
  EXPECT_EQ(rig.settings.values["COL2"], "65280");
  EXPECT_EQ(rig.settings.values["TOOL1"], "");
  EXPECT_FALSE(rig.preferences.optionFlags[3]);
  EXPECT_FALSE(rig.options.cbWHITE[3]->isChecked());
  EXPECT_TRUE(fs::exists(rig.marker()));
  ASSERT_EQ(rig.prompts.calls.size(), 2u);
  EXPECT_EQ(rig.prompts.calls[0].kind, test::FakePrompts::Kind::YesNo);
  EXPECT_EQ(rig.prompts.calls[0].text, "Reset every setting to its default?");
  EXPECT_EQ(rig.prompts.calls[1].kind, test::FakePrompts::Kind::Message);
  EXPECT_EQ(rig.prompts.calls[1].text, kSettingsClearedText);
}

// No to the question changes nothing: not the store, not the record, not
// the options window, and no marker is written.
TEST(OptionsWindowTest, clearSettingsAnsweredNoChangesNothing)
{
  OptionsRig rig;
  rig.preferences.optionFlags[3] = true;
  rig.options.setWhites();
  rig.settings.values["COL2"] = "7";
  rig.settings.values["TOOL1"] = "/usr/bin/viewer";
  fs::remove(rig.marker());
  const auto stored = rig.settings.values;
  const std::uint32_t background = rig.preferences.backgroundColor;
  rig.prompts.answerYesNo(false);
  test::clickMenuPath(*rig.form, {"&Help", "Clear Settings"});
  ASSERT_EQ(rig.prompts.calls.size(), 1u);
  EXPECT_EQ(rig.prompts.calls[0].text, "Reset every setting to its default?");
  EXPECT_EQ(rig.settings.values, stored);
  EXPECT_TRUE(rig.preferences.optionFlags[3]);
  EXPECT_TRUE(rig.options.cbWHITE[3]->isChecked());
  EXPECT_EQ(rig.preferences.backgroundColor, background);
  EXPECT_FALSE(fs::exists(rig.marker()));
}

// Settings that do not reach their file are reported, not announced as
// reset.
TEST(OptionsWindowTest, clearSettingsThatCannotBeKeptSaySo)
{
  OptionsRig rig;
  rig.settings.syncFails = true;
  rig.prompts.answerYesNo(true);
  test::clickMenuPath(*rig.form, {"&Help", "Clear Settings"});
  const auto messages = rig.prompts.messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "The settings could not be saved to " + rig.settings.location() + ".");
  EXPECT_EQ(messages[0].icon, MessageIcon::Exclamation);
}

TEST(OptionsWindowTest, keyShortcutsAreThirteenLines)
{
  EXPECT_EQ(keyShortcutText(),
            "ENTER \t\tCalculate Geometry\r\nSPACE \t\tReset orientation\r\n"
            "+ / -\t\tZoom In / Out\r\nUp / Down\tRotate about horizontal screen axis\r\n"
            "Left / Right\tRotate about vertical screen axis\r\n"
            "Shift + Arrow key\tRotate about screen normal\r\n"
            "Ctrl + Arrow key\t90 deg advance about above axes\r\n"
            "Double-Click\tReset orientation\r\n\r\n\r\n"
            "Right-Mousebutton-Drag on Left Side of Display :  Rotate\r\n"
            "Right-Mousebutton-Drag on Right Side of Display:  Zooming\r\n"
            "Left-Mousebutton-Drag + Shift Key: Panning");
  OptionsRig rig;
  EXPECT_EQ(rig.options.taKEY->document()->blockCount(), 13);
  EXPECT_TRUE(rig.options.taKEY->isReadOnly());
}

TEST(OptionsWindowTest, storedAxisSelectsTheList)
{
  struct Case {
    int stored;
    int entry;
    int axis;
  };
  const Case cases[] = {{0, 2, 0}, {1, 1, 1},  {2, 0, 2}, {3, 1, 1},
                        {4, 2, 0}, {5, -1, 5}, {-1, 1, 1}};
  OptionsRig rig;
  for (const Case& c : cases) {
    rig.options.cmbAX->setCurrentIndex(-1);
    rig.preferences.defaultAxis = static_cast<std::int16_t>(c.stored);
    rig.options.setAxis(static_cast<std::int16_t>(c.stored));
    EXPECT_EQ(rig.options.cmbAX->currentIndex(), c.entry) << c.stored;
    EXPECT_EQ(rig.preferences.defaultAxis, c.axis) << c.stored;
  }
  EXPECT_EQ(rig.options.cmbAX->itemText(2), "3");
}

TEST(OptionsWindowTest, checkBoxesActAtOnceAndTheMarkerFollowsBoxSix)
{
  OptionsRig rig;
  frmOptions& o = rig.options;
  ASSERT_TRUE(fs::exists(rig.marker())) << "the first start writes the marker";
  fs::remove(rig.marker());
  rig.preferences.optionFlags[6] = true;
  o.setWhites();
  EXPECT_TRUE(o.cbWHITE[6]->isChecked());
  EXPECT_FALSE(fs::exists(rig.marker()));
  rig.preferences.optionFlags[6] = false;
  o.setWhites();
  EXPECT_FALSE(fs::exists(rig.marker()));
  EXPECT_FALSE(rig.preferences.optionFlags[6]);

  rig.open();
  o.tbsOptions->setCurrentIndex(2);
  o.cbWHITE[6]->click();
  EXPECT_TRUE(rig.preferences.optionFlags[6]);
  EXPECT_FALSE(fs::exists(rig.marker()));
  o.cbWHITE[6]->click();
  EXPECT_TRUE(fs::exists(rig.marker()));
  o.cmdCancel->click();
  EXPECT_TRUE(fs::exists(rig.marker()));

  // Tube length by unit cells.
  rig.open();
  o.cbWHITE[8]->click();
  EXPECT_TRUE(rig.preferences.optionFlags[8]);
  o.cmdOK->click();
  EXPECT_EQ(rig.settings.values["WHITE"], "00000001100");
  EXPECT_EQ(rig.form->Label1[1]->text(), "Unit-cells");
  EXPECT_EQ(rig.form->tf[2]->text(), "5");
  EXPECT_EQ(rig.form->cmb1->currentIndex(), 0);
  EXPECT_FALSE(rig.form->cmb1->isEnabled());
  // Five translational cells of (10,0), 40 atoms each.
  EXPECT_EQ(rig.status(2), std::to_string(5 * 40) + " Atoms");

  rig.open();
  o.cbWHITE[8]->click();
  o.cmdApply->click();
  EXPECT_EQ(rig.form->Label1[1]->text(), "Tube length [A]");
  EXPECT_EQ(rig.form->tf[2]->text(), "25");
}

// A first start ticks the LF box, so text files leave without CR; unticking it
// brings CR LF back, and the stored flags say so.
TEST(OptionsWindowTest, firstStartWritesLfLineEndsAndUntickingGivesCrLf)
{
  test::UserFolders folders;
  test::Form1Rig rig({}, nullptr, folders.startup);
  frmOptions& o = *rig.form->optionsWindow();
  EXPECT_EQ(rig.settings.values["WHITE"], "000000010000");
  EXPECT_TRUE(o.cbWHITE[7]->isChecked());
  const auto saveXmol = [&](const std::string& name) {
    rig.dialogs.answer(FileChoice{folders.exportFile(name), 1});
    rig.form->fileCommands().mnuFile_10->trigger();
    return test::readBytes(folders.exportFile(name + ".xmol"));
  };

  const std::string lf = saveXmol("lf");
  EXPECT_NE(lf.find('\n'), std::string::npos);
  EXPECT_EQ(lf.find('\r'), std::string::npos);

  rig.form->showPreferences();
  o.cbWHITE[7]->click();
  o.cmdOK->click();
  EXPECT_FALSE(rig.preferences.optionFlags[7]);
  EXPECT_EQ(rig.settings.values["WHITE"], "00000000000");
  const std::string crlf = saveXmol("crlf");
  std::string stripped = crlf;
  std::erase(stripped, '\r');
  EXPECT_EQ(stripped, lf);
  EXPECT_EQ(std::count(crlf.begin(), crlf.end(), '\r'),
            std::count(crlf.begin(), crlf.end(), '\n'));
}

TEST(OptionsWindowTest, colourButtonsReachTheRecordAtApply)
{
  OptionsRig rig;
  frmOptions& o = rig.options;
  const std::uint32_t blue = 12155392;
  ASSERT_EQ(o.colorOption(0), blue);
  rig.open();
  rig.colourChooser.answer(packColor(255, 255, 255));
  o.btCOL[0]->click();
  EXPECT_EQ(rig.colourChooser.initials, std::vector<std::uint32_t>{blue});
  EXPECT_EQ(o.colorOption(0), 16777215u);
  EXPECT_EQ(rig.preferences.backgroundColor, blue);
  o.cmdCancel->click();
  EXPECT_EQ(rig.preferences.backgroundColor, blue);
  rig.open();
  EXPECT_EQ(o.colorOption(0), 16777215u);

  rig.colourChooser.answer(std::nullopt);
  o.btCOL[1]->click();
  EXPECT_EQ(o.colorOption(1), 255u);

  o.cmdApply->click();
  EXPECT_EQ(rig.preferences.backgroundColor, 16777215u);
  EXPECT_EQ(rig.settings.values["COL0"], "16777215");
  EXPECT_EQ(rig.preferences.site1Color, 255u);
  EXPECT_TRUE(rig.prompts.messages().empty());
}

TEST(OptionsWindowTest, typedValuesAtApply)
{
  OptionsRig rig;
  frmOptions& o = rig.options;
  rig.open();
  o.tfINP[0]->setText("2,5");
  o.tfINP[1]->setText("7");
  o.tfTOOL[2]->setText("  /usr/bin/jmol  ");
  o.cmdApply->click();
  EXPECT_EQ(rig.preferences.rotationStep, 2.5f);
  EXPECT_EQ(rig.settings.values["INP1"], "2.5");
  EXPECT_EQ(rig.preferences.cifPadding, (std::array<float, 3>{7, 5, 0}));
  EXPECT_EQ(rig.preferences.viewerPaths[2], "/usr/bin/jmol");
  EXPECT_EQ(rig.preferences.protrudeDz, 4.0f);

  o.tfINP[0]->setText("abc");
  o.cmdApply->click();
  EXPECT_EQ(rig.preferences.rotationStep, 0.0f);
  EXPECT_EQ(rig.settings.values["INP1"], "0");

  // Failures reach the user once; the choice holds for the run.
  rig.settings.syncFails = true;
  o.tfINP[0]->setText("3");
  o.cmdApply->click();
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_EQ(rig.prompts.messages()[0].text, "The settings could not be saved to memory.");
  EXPECT_EQ(rig.preferences.rotationStep, 3.0f);
}

TEST(OptionsWindowTest, viewerChooser)
{
  OptionsRig rig;
  frmOptions& o = rig.options;
  rig.open();
  rig.dialogs.answer(FileChoice{"/usr/bin/rasmol", 1});
  o.btDIR[1]->click();
  EXPECT_EQ(o.tfTOOL[1]->text(), "/usr/bin/rasmol");
  rig.dialogs.answer(FileChoice{"", 1});
  o.btDIR[1]->click();
  rig.dialogs.answer(std::nullopt);
  o.btDIR[1]->click();
  EXPECT_EQ(o.tfTOOL[1]->text(), "/usr/bin/rasmol");
  ASSERT_EQ(rig.dialogs.calls.size(), 3u);
  EXPECT_EQ(rig.dialogs.calls[0].title, "Select Viewer Program");
  EXPECT_EQ(rig.dialogs.calls[0].folder, "/usr/bin");
  EXPECT_EQ(rig.dialogs.calls[0].filter, "All files (*)|*");
}

TEST(OptionsWindowTest, axisListResetsThePoseOnlyWhileShown)
{
  OptionsRig rig;
  frmOptions& o = rig.options;
  CXXX& scene = rig.form->scene();
  scene.zoomReset(1);
  const auto start = poseOf(scene);
  scene.rotate90(0);
  const auto turned = poseOf(scene);
  ASSERT_NE(turned, start);
  o.setAxis(1);
  EXPECT_EQ(poseOf(scene), turned);
  EXPECT_EQ(rig.preferences.defaultAxis, 1);

  rig.open();
  o.cmbAX->setCurrentIndex(2);
  EXPECT_EQ(rig.preferences.defaultAxis, 0);
  EXPECT_EQ(poseOf(scene), start);
}

TEST(OptionsWindowTest, atomColourDialog)
{
  OptionsRig rig;
  dlgATCOL dialog(*rig.form, rig.model, rig.colourChooser, &rig.options);
  EXPECT_EQ(dialog.windowTitle(), " Atom Colors");
  QTableWidget& table = *dialog.table;
  ASSERT_EQ(table.rowCount(), 89);
  ASSERT_EQ(table.columnCount(), 2);
  EXPECT_EQ(table.item(0, 0)->text(), "  1   H");
  EXPECT_EQ(table.item(5, 0)->text(), "  6   C");
  EXPECT_EQ(table.item(88, 0)->text(), " 89   Ac");
  EXPECT_EQ(table.item(0, 1)->background().color(), QColor(255, 255, 255));
  EXPECT_EQ(table.item(5, 1)->background().color(), QColor(103, 103, 103));
  EXPECT_EQ(table.item(6, 1)->background().color(), QColor(0, 0, 255));

  CXXX& scene = rig.form->scene();
  const std::uint32_t before = scene.getAtomColor(7);
  rig.colourChooser.answer(std::nullopt);
  emit table.cellClicked(7, 0);
  EXPECT_EQ(scene.getAtomColor(7), before);
  rig.colourChooser.answer(packColor(10, 20, 30));
  emit table.cellClicked(7, 0);
  EXPECT_EQ(rig.colourChooser.initials, (std::vector<std::uint32_t>{before, before}));
  EXPECT_EQ(scene.getAtomColor(7), packColor(10, 20, 30));
  EXPECT_EQ(table.item(7, 0)->background().color(), QColor(10, 20, 30));

  // Apply rebuilds the tube from the fields.
  rig.setField(0, "12");
  dialog.bt[0]->click();
  EXPECT_EQ(rig.status(0).rfind("(12,0)", 0), 0u) << rig.status(0);
}

TEST(OptionsWindowTest, atomColoursOpenModalOverTheOptionsWindow)
{
  OptionsRig rig;
  rig.open();
  QString title;
  QWidget* owner = nullptr;
  QTimer::singleShot(0, [&] {
    if (QWidget* shown = QApplication::activeModalWidget()) {
      title = shown->windowTitle();
      owner = shown->parentWidget();
      shown->close();
    }
  });
  rig.options.btATCOL->click();
  EXPECT_EQ(title, " Atom Colors");
  EXPECT_EQ(owner, &rig.options);
}

// A colour button and an atom's colour cell show the stored colour exactly;
// the chosen cell is marked by a frame that leaves its colour in view.
TEST(OptionsWindowTest, swatchesShowTheirColourExactly)
{
  OptionsRig rig;
  frmOptions& o = rig.options;
  rig.open();
  o.tbsOptions->setCurrentIndex(1);
  rig.colourChooser.answer(packColor(255, 0, 0));
  QTest::mouseClick(o.btCOL[0], Qt::LeftButton);
  QApplication::processEvents();
  const QImage face = o.btCOL[0]->grab().toImage();
  EXPECT_EQ(QColor(face.pixel(face.width() / 2, face.height() / 2)), QColor(255, 0, 0));

  QColor cellColour;
  QColor cellCentre;
  QColor cellEdge;
  QColor highlight;
  QTimer::singleShot(0, [&] {
    auto* dialog = dynamic_cast<dlgATCOL*>(QApplication::activeModalWidget());
    if (dialog == nullptr)
      return;
    QTableWidget& table = *dialog->table;
    table.setCurrentCell(5, 1);
    QApplication::processEvents();
    const QRect cell = table.visualItemRect(table.item(5, 1));
    const QImage shown = table.viewport()->grab().toImage();
    cellColour = table.item(5, 1)->background().color();
    cellCentre = QColor(shown.pixel(cell.center()));
    cellEdge = QColor(shown.pixel(cell.left() + 1, cell.center().y()));
    highlight = table.palette().color(QPalette::Highlight);
    dialog->close();
  });
  o.btATCOL->click();
  ASSERT_TRUE(cellColour.isValid()) << "the atom colours did not open";
  EXPECT_EQ(cellCentre, cellColour);
  EXPECT_EQ(cellEdge, highlight);
}

TEST(OptionsWindowTest, startStyleAndHoveredButtons)
{
  const QString beforeName = QApplication::style()->name();
  QApplication::setStyle(QStringLiteral("windows"));
  chooseStartStyle(true);
  EXPECT_EQ(QApplication::style()->name(), "windows");

  // Only push buttons, plain or checkable, are marked.
  QWidget window;
  auto* plain = new QPushButton(&window);
  auto* checkable = new QPushButton(&window);
  checkable->setCheckable(true);
  auto* box = new QCheckBox(&window);
  auto* option = new QRadioButton(&window);
  installXPButtons(&window);
  EXPECT_TRUE(plain->testAttribute(Qt::WA_Hover));
  EXPECT_TRUE(checkable->testAttribute(Qt::WA_Hover));
  EXPECT_FALSE(box->testAttribute(Qt::WA_Hover));
  EXPECT_FALSE(option->testAttribute(Qt::WA_Hover));
  {
    StartupState themedStart;
    themedStart.manifestPresent = true;
    test::Form1Rig themed({}, nullptr, themedStart);
    EXPECT_TRUE(themed.form->optionsWindow()->cmdOK->testAttribute(Qt::WA_Hover));
    test::Form1Rig unthemed;
    EXPECT_FALSE(unthemed.form->optionsWindow()->cmdOK->testAttribute(Qt::WA_Hover));
  }

  chooseStartStyle(false);
  EXPECT_EQ(QApplication::style()->name(), "fusion");

  OptionsRig rig;
  QPushButton& button = *rig.options.cmdApply;
  installXPButtons(&rig.options);
  EXPECT_TRUE(button.testAttribute(Qt::WA_Hover));
  const QImage rest = button.grab().toImage();
  button.setAttribute(Qt::WA_UnderMouse, true);
  const QImage hot = button.grab().toImage();
  button.setAttribute(Qt::WA_UnderMouse, false);
  EXPECT_NE(rest, hot);
  QApplication::setStyle(beforeName);
}

} // namespace
} // namespace tarvek
