// The tube-junction dialog and the Special menu's hetero-junction over a scripted Java.
#include "form1_rig.h"

#include "shell/file_commands.h"
#include "shell/junction_command.h"
#include "shell/special_commands.h"
#include "support/scratch_dir.h"
#include "tools/builder_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::Form1Rig;

// The XYZ reader's rows: a label, then x, y and z; no comment line.
const char* const kThreeAtoms = "3\r\nC 0 0 0\r\nC 1.4 0 0\r\nC 2.8 0 0\r\n";

// Acts on the tube-junction dialog once it is shown modal.
void whenDialogShows(std::function<void(dlgCONTUB&)> act)
{
  QTimer::singleShot(0, [act] {
    auto* dialog = dynamic_cast<dlgCONTUB*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

void pressOk(dlgCONTUB& dialog)
{
  QTest::mouseClick(dialog.OKButton, Qt::LeftButton);
}

// The dialog hands back its values after OK only; a value that does not fit
// keeps it open with one message.
TEST(JunctionDialogTest, okCancelCloseBoxAndAValueThatDoesNotFit)
{
  Form1Rig rig;
  const auto show = [&rig](std::function<void(dlgCONTUB&)> act) {
    dlgCONTUB dialog(rig.prompts, "http://junction.example/", rig.form.get());
    whenDialogShows(std::move(act));
    dialog.exec();
    return std::array<int, 7>{dialog.okPressed, dialog.junctionN1, dialog.junctionM1,
                              dialog.junctionLength1, dialog.junctionN2, dialog.junctionM2,
                              dialog.junctionLength2};
  };
  EXPECT_EQ(show(pressOk), (std::array<int, 7>{1, 5, 5, 15, 10, 10, 15}));
  EXPECT_EQ(show([](dlgCONTUB& d) { QTest::mouseClick(d.CancelButton, Qt::LeftButton); })[0], 0);
  EXPECT_EQ(show([](dlgCONTUB& d) { d.close(); })[0], 0);

  bool stayed = false;
  const auto refused = show([&stayed](dlgCONTUB& d) {
    d.Text1[2]->setText(QStringLiteral("40000"));
    pressOk(d);
    stayed = d.isVisible();
    QTest::mouseClick(d.CancelButton, Qt::LeftButton);
  });
  EXPECT_TRUE(stayed);
  EXPECT_EQ(refused[0], 0);
  EXPECT_EQ(rig.prompts.messages().size(), 1u);

  dlgCONTUB dialog(rig.prompts, "http://junction.example/", rig.form.get());
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Create Hetero-Junction"));
  const std::string credits = dialog.Label2->text().toStdString();
  for (const char* part : {"The XYZ-coordinates will be created by the CoNTub Applet. CoNTub: "
                           "an algorithm for connecting two arbitrary carbon nanotubes. ",
                           "http://junction.example/"})
    EXPECT_NE(credits.find(part), std::string::npos) << part;
}

// A program folder with the data's files and, when given, lib/contub.jar;
// an Import folder beside it.
struct JunctionRig {
  test::ScratchDir program;
  test::ScratchDir import;
  std::unique_ptr<Form1Rig> rig;

  explicit JunctionRig(const char* archive = "jar bytes")
  {
    const fs::path data = fs::path(TARVEK_TEST_SOURCE_DIR) / ".." / "data";
    fs::copy(data / "lib", program.path() / "lib", fs::copy_options::recursive);
    for (const char* file : {"tarvek.dat", "links.dat"})
      fs::copy_file(data / file, program.path() / file);
    if (archive != nullptr)
      program.write("lib/contub.jar", archive);
    StartupState startup;
    startup.importFolder = import.path().string() + "/";
    rig = std::make_unique<Form1Rig>(Form1Seams{}, nullptr, startup, program.path().string() + "/");
    rig->processes.installed["java"] = "/usr/bin/java";
  }

  QAction* item() { return rig->form->specialCommands().itmFX[5]; }
  std::string xyz() const { return (import.path() / "contub.xyz").string(); }
  bool copyLeft() const { return fs::exists(import.path() / "contub.jar"); }

  // Triggers the Special item with the dialog's defaults and OK.
  void run()
  {
    whenDialogShows(pressOk);
    item()->trigger();
  }
};

TEST(JunctionCommandTest, itemShownOnlyWithANonEmptyArchive)
{
  EXPECT_FALSE(JunctionRig(nullptr).item()->isVisible());
  EXPECT_FALSE(JunctionRig("").item()->isVisible());
  JunctionRig shown;
  EXPECT_TRUE(shown.item()->isVisible());
  EXPECT_EQ(shown.item()->text(), QStringLiteral("Hetero-Junction"));
}

// The defaults run Java once with separate arguments in the Import folder;
// the file it leaves is shown as the joined structure.
TEST(JunctionCommandTest, joinedStructureFromTheProgramsFile)
{
  JunctionRig j;
  Form1Rig& rig = *j.rig;
  j.import.write("contub.xyz", "old run");
  bool oldGone = false;
  bool copyThere = false;
  rig.processes.onRun = [&](const test::FakeProcesses::Call& call) {
    oldGone = !fs::exists(j.xyz());
    copyThere = fs::exists(call.folder + "contub.jar");
    j.import.write("contub.xyz", kThreeAtoms);
  };
  rig.processes.answerRun(ProcessResult::finished(0));
  j.run();

  ASSERT_EQ(rig.processes.calls.size(), 1u);
  const auto& call = rig.processes.calls[0];
  EXPECT_EQ(call.program, "/usr/bin/java");
  EXPECT_EQ(call.folder, j.import.path().string() + "/");
  EXPECT_EQ(call.args, (std::vector<std::string>{"-Djava.awt.headless=true", "-cp",
                                                 call.folder + "contub.jar", "nt", "5", "5", "15",
                                                 "10", "10", "15"}));
  EXPECT_TRUE(oldGone);
  EXPECT_TRUE(copyThere);
  ASSERT_TRUE(rig.prompts.messages().empty()) << rig.prompts.messages()[0].text;
  EXPECT_EQ(rig.model.structureKind, 6);
  EXPECT_EQ(rig.status(2), "3 Atoms");
  EXPECT_EQ(rig.status(3), "2 Bonds");
  // Emptied, then the coordinate list's refill names the shown import there.
  EXPECT_EQ(rig.status(0), "CoNTub: (5,5)-(10,10) Hetero-Junction");
  EXPECT_EQ(rig.form->titleText(), QStringLiteral("CoNTub: (5,5)-(10,10) Hetero-Junction"));
  EXPECT_EQ(rig.form->state().xyFileName, j.xyz());
  EXPECT_TRUE(rig.form->state().junctionShown);
  EXPECT_EQ(rig.form->fileCommands().defaultExportName(), "(5,5)-(10,10) Hetero-Junction");
  EXPECT_FALSE(j.copyLeft());
  EXPECT_EQ(rig.prompts.waitDepth, 0);
}

// Cancel in the dialog, Java missing, a failing or cancelled run: nothing
// of the shown structure changes and no copy of the archive stays.
TEST(JunctionCommandTest, cancelMissingJavaAndFailedRunsChangeNothing)
{
  {
    JunctionRig j;
    j.import.write("contub.xyz", kThreeAtoms);
    whenDialogShows([](dlgCONTUB& d) { QTest::mouseClick(d.CancelButton, Qt::LeftButton); });
    j.item()->trigger();
    EXPECT_TRUE(j.rig->processes.calls.empty());
    EXPECT_TRUE(fs::exists(j.xyz()));
    EXPECT_TRUE(j.rig->prompts.calls.empty());
  }
  {
    JunctionRig j;
    j.rig->processes.installed.clear();
    j.run();
    ASSERT_EQ(j.rig->prompts.messages().size(), 1u);
    const std::string text = j.rig->prompts.messages()[0].text;
    EXPECT_NE(text.find("default-jre-headless"), std::string::npos) << text;
    EXPECT_NE(text.find(j.xyz() + " not found."), std::string::npos) << text;
    EXPECT_TRUE(j.rig->processes.calls.empty());
    EXPECT_FALSE(j.copyLeft());
  }
  const struct {
    ProcessResult result;
    const char* reason;
  } failures[] = {
      {ProcessResult::finished(3), "java ended with exit code 3."},
      {ProcessResult::failedToStart("no such program"), "no such program"},
      {ProcessResult::cancelled(), nullptr},
  };
  for (const auto& f : failures) {
    JunctionRig j;
    Form1Rig& rig = *j.rig;
    const Model before = rig.model;
    rig.processes.onRun = [&j](const test::FakeProcesses::Call&) {
      j.import.write("contub.xyz", kThreeAtoms);
    };
    rig.processes.answerRun(f.result);
    j.run();
    const std::string label = f.reason ? f.reason : "cancelled";
    if (f.reason != nullptr) {
      ASSERT_EQ(rig.prompts.messages().size(), 1u) << label;
      EXPECT_NE(rig.prompts.messages()[0].text.find(f.reason), std::string::npos) << label;
      EXPECT_EQ(rig.prompts.messages()[0].icon, MessageIcon::Exclamation);
    } else {
      EXPECT_TRUE(rig.prompts.messages().empty());
    }
    EXPECT_FALSE(fs::exists(j.xyz())) << label;
    EXPECT_FALSE(j.copyLeft()) << label;
    EXPECT_TRUE(rig.model == before) << label;
    EXPECT_FALSE(rig.form->state().junctionShown) << label;
  }
}

// Files the reader refuses give its message and leave the model; none
// crashes the command.
TEST(JunctionCommandTest, hostileResultFiles)
{
  const struct {
    const char* bytes;
    bool refused;
  } files[] = {
      {"", true},
      {"99999999999\r\nC 0 0 0\r\n", true},
      {"2\r\nC 0 0 0\r\nC nan 0 0\r\n", true},
      {"3\r\n", true},
      {"1\r\nC 0 0 0\r\n", false},
  };
  for (const auto& f : files) {
    JunctionRig j;
    Form1Rig& rig = *j.rig;
    const Model before = rig.model;
    rig.processes.onRun = [&j, &f](const test::FakeProcesses::Call&) {
      j.import.write("contub.xyz", f.bytes);
    };
    rig.processes.answerRun(ProcessResult::finished(0));
    j.run();
    const std::string label = std::string("'") + f.bytes + "'";
    EXPECT_EQ(rig.prompts.messages().size(), f.refused ? 1u : 0u) << label;
    if (f.refused)
      EXPECT_TRUE(rig.model == before) << label;
    else
      EXPECT_EQ(rig.model.atomCount, 1) << label;
    EXPECT_FALSE(j.copyLeft()) << label;
  }
}

} // namespace
} // namespace tarvek
