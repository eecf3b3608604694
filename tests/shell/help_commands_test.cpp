// The Help menu: its items, the links, the manual and the About command.
#include "shell/help_commands.h"

#include "form1_rig.h"
#include "platform/open_url.h"
#include "runtime/path_util.h"
#include "scene/scene_object.h"
#include "shell/about_window.h"
#include "shell/view_commands.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <vector>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::FakeShellOpen;

std::vector<std::string> menuTexts(const QMenu* menu)
{
  std::vector<std::string> texts;
  for (const QAction* action : menu->actions())
    texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
  return texts;
}

QMenu* helpMenu(Form1& form)
{
  for (QAction* top : form.menuBar()->actions())
    if (top->text() == QStringLiteral("&Help"))
      return top->menu();
  return nullptr;
}

std::string sourceData()
{
  return fs::canonical(fs::path(TARVEK_TEST_SOURCE_DIR) / ".." / "data").string();
}

TEST(HelpCommandsTest, menuAndLinksInOrderEachOpeningItsAddress)
{
  test::Form1Rig rig;
  QMenu* help = helpMenu(*rig.form);
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(menuTexts(help), (std::vector<std::string>{"Contents ...", "-", "Links", "-",
                                                        "Clear Settings", "-", "&About"}));
  QMenu* links = rig.form->helpCommands().mnuLinks;
  ASSERT_EQ(help->actions()[2]->menu(), links);
  EXPECT_EQ(menuTexts(links),
            (std::vector<std::string>{"POV-Ray", "tarvek Developers", "tarvek", "Submit Bug Report", "-",
                                      "Quillet PDF Library", "Author's Home Page",
                                      "Fullerene Library", "CoNTub Website", "-", "tubegen",
                                      "Jmol"}));
  const LinkTable& table = rig.form->viewCommands().links();
  const auto& keys = HelpCommands::linkKeys();
  ASSERT_EQ(keys.size(), static_cast<std::size_t>(links->actions().size()));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].empty())
      continue;
    rig.shellOpen.calls.clear();
    links->actions()[static_cast<int>(i)]->trigger();
    ASSERT_EQ(rig.shellOpen.calls.size(), 1u) << keys[i];
    EXPECT_EQ(rig.shellOpen.calls[0].kind, FakeShellOpen::Kind::Address) << keys[i];
    EXPECT_EQ(rig.shellOpen.calls[0].target, table.at(keys[i]).address) << keys[i];
  }
  EXPECT_TRUE(rig.prompts.messages().empty());
}

TEST(HelpCommandsTest, contentsAndShowHelpOpenTheManualByItsAbsolutePath)
{
  test::Form1Rig rig;
  const std::string manual = sourceData() + "/help/index.html";
  rig.form->helpCommands().mnuContents->trigger();
  rig.form->ShowHelp(0);
  ASSERT_EQ(rig.shellOpen.calls.size(), 2u);
  for (const auto& call : rig.shellOpen.calls) {
    EXPECT_EQ(call.kind, FakeShellOpen::Kind::File);
    EXPECT_EQ(call.target, manual);
  }
  EXPECT_TRUE(rig.prompts.messages().empty());

  // A desktop without an opener is told, not hidden.
  rig.shellOpen.succeed = false;
  rig.form->ShowHelp(0);
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_EQ(rig.prompts.messages()[0].text, noOpenerText(manual));
  EXPECT_NE(noOpenerText(manual).find("xdg-open"), std::string::npos);
}

// A program folder without the manual, and a link table without one row.
TEST(HelpCommandsTest, missingManualIsNamedAndMissingLinkRowDisablesItsItem)
{
  test::ScratchDir data;
  fs::copy_file(sourceData() + "/tarvek.dat", data.file("tarvek.dat"));
  std::ifstream in(sourceData() + "/links.dat");
  std::ofstream out(data.file("links.dat"));
  for (std::string line; std::getline(in, line);)
    if (line.rfind("author\t", 0) != 0)
      out << line << '\n';
  out.close();
  test::ScopedEnv dataDir("TARVEK_DATA_DIR", data.path().string());
  test::Form1Rig rig({}, nullptr, {}, appPath());
  ASSERT_TRUE(rig.prompts.messages().empty());

  rig.form->helpCommands().mnuContents->trigger();
  const std::string manual = (data.path() / "help" / "index.html").string();
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_EQ(rig.prompts.messages()[0].text, "The manual could not be opened: " + manual);
  EXPECT_TRUE(rig.shellOpen.calls.empty());

  QAction* author = rig.form->helpCommands().mnuLinks->actions()[6];
  EXPECT_EQ(author->text(), "author");
  EXPECT_FALSE(author->isEnabled());
  EXPECT_TRUE(rig.form->helpCommands().mnuLinks->actions()[5]->isEnabled());
}

// The About window, driven while its modal loop runs.
struct AboutRun {
  test::Form1Rig& rig;
  std::function<void(frmSplash&)> act;
  bool seen = false;

  void run()
  {
    QTimer::singleShot(0, [this] {
      auto* splash = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(splash, nullptr);
      seen = true;
      act(*static_cast<frmSplash*>(splash));
      if (splash->isVisible() && QApplication::activeModalWidget() == splash) {
        ADD_FAILURE() << "the About window stayed open";
        splash->close();
      }
    });
    rig.form->helpCommands().mnuAbout->trigger();
    EXPECT_TRUE(seen);
  }
};

TEST(AboutWindowTest, showsNameVersionAndMakerCentredAndModal)
{
  test::Form1Rig rig;
  const std::string maker = rig.form->viewCommands().address("maker");
  ASSERT_EQ(maker, "https://tarvek.example.org/");
  rig.form->scene().animate(0);
  ASSERT_TRUE(rig.form->scene().animating);
  AboutRun about{rig, [&](frmSplash& splash) {
                   EXPECT_FALSE(rig.form->scene().animating);
                   EXPECT_TRUE(splash.isModal());
                   EXPECT_EQ(splash.parentWidget(), rig.form.get());
                   const QRect screen = splash.screen()->availableGeometry();
                   const QPoint centre = splash.frameGeometry().center();
                   EXPECT_LE(std::abs(centre.x() - screen.center().x()), 1);
                   EXPECT_LE(std::abs(centre.y() - screen.center().y()), 1);
                   EXPECT_EQ(splash.Label6[2]->text(), "Version 0.1.0");
                   EXPECT_EQ(splash.Label6[0]->text().toStdString(), maker);
                   EXPECT_EQ(splash.Label9->text(), "tarvek");
                   EXPECT_EQ(splash.Label9->font().family(), "Times New Roman");
                   EXPECT_EQ(splash.Label9->toolTip().toStdString(), maker);
                   EXPECT_EQ(splash.Label9->cursor().shape(), Qt::BitmapCursor);
                   EXPECT_EQ(splash.Label9->cursor().pixmap().toImage(),
                             splash.img->pixmap().toImage());
                   EXPECT_FALSE(splash.img->isVisible());
                   EXPECT_EQ(splash.Label2->text(), "[OK]");
                   EXPECT_TRUE(splash.lbSW->text().isEmpty());
                   EXPECT_FALSE(splash.Image1->pixmap().isNull());

                   QTest::mouseClick(splash.Label9, Qt::LeftButton);
                   ASSERT_EQ(rig.shellOpen.calls.size(), 1u);
                   EXPECT_EQ(rig.shellOpen.calls[0].kind, FakeShellOpen::Kind::Address);
                   EXPECT_EQ(rig.shellOpen.calls[0].target, maker);
                   EXPECT_TRUE(splash.isVisible());
                   QTest::mouseClick(splash.Label2, Qt::LeftButton);
                 }};
  about.run();
}

TEST(AboutWindowTest, pictureClickAndAnyKeyClose)
{
  test::Form1Rig rig;
  const struct {
    const char* what;
    std::function<void(frmSplash&)> act;
  } cases[] = {
      {"picture", [](frmSplash& s) { QTest::mouseClick(s.Image1, Qt::LeftButton); }},
      {"key", [](frmSplash& s) { QTest::keyClick(&s, Qt::Key_A); }},
      {"close box", [](frmSplash& s) { s.close(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AboutRun about{rig, c.act};
    about.run();
  }
  EXPECT_TRUE(rig.shellOpen.calls.empty());
}

} // namespace
} // namespace tarvek
