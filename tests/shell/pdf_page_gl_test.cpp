// File › Export Structure › Export PDF over the real GL view and the built
// PDF library: the page holds the frame the user sees, at its pixel size.
#include "form1_rig.h"

#include "shell/file_commands.h"
#include "shell/pdf_page.h"
#include "support/require_tool.h"
#include "support/run_tool.h"
#include "user_folders.h"

#include <QAction>

#include <string>

namespace tarvek {
namespace {

TEST(PdfPageGlTest, exportPdfWritesTheViewAtItsPixelSize)
{
  if (!test::requireTool("qpdf", "qpdf") || !test::requireTool("pdfimages", "poppler-utils"))
    return;
  test::FakePrompts viewPrompts;
  auto* host = new GlHost(viewPrompts);
  test::UserFolders folders;
  test::Form1Rig rig({}, host, folders.startup);
  Form1& form = *rig.form;
  form.pdfPage().useServer(quilletServer({QUILLET_LIBRARY_DIR}));
  QTest::qWait(50);

  const std::string pdf = folders.startup.pdfFolder + "tube.pdf";
  rig.dialogs.answer(FileChoice{pdf, 1});
  rig.prompts.answerYesNo(false);
  form.fileCommands().mnuFile_41->trigger();
  EXPECT_TRUE(rig.prompts.messages().empty()) << rig.prompts.messages().at(0).text;
  EXPECT_EQ(test::runTool("qpdf", {"--check", pdf}).exitCode, 0);
  const auto images = test::runTool("pdfimages", {"-list", pdf}).out;
  const std::string size = std::to_string(static_cast<int>(host->ViewWidth())) + " " +
                           std::to_string(static_cast<int>(host->ViewHeight()));
  // Header, rule, one row.
  EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 3) << images;
  std::string row = images.substr(images.rfind('\n', images.size() - 2) + 1);
  std::string collapsed;
  for (char c : row)
    if (c != ' ' || (!collapsed.empty() && collapsed.back() != ' '))
      collapsed += c;
  EXPECT_NE(collapsed.find(" image " + size + " rgb 3 8 jpeg "), std::string::npos) << images;
}

} // namespace
} // namespace tarvek
