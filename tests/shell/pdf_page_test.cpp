// File › Export Structure › Export PDF over the grab stand-in and a
// recording PDF library object.
#include "shell/pdf_page.h"

#include "form1_rig.h"
#include "shell/file_commands.h"
#include "support/grab_view_stub.h"
#include "support/recording_quillet.h"
#include "support/scratch_dir.h"
#include "user_folders.h"

#include <QAction>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

// The window over a stand-in whose grab writes a 555 x 400 picture; each
// CALCULATE is noted with the background colour it saw, each grab with the
// scene's clear colour at that moment.
struct PdfRig {
  test::UserFolders folders;
  test::GrabViewStub* grab = new test::GrabViewStub;
  test::RecordingQuillet pdf;
  std::vector<std::uint32_t> calculations;
  std::vector<std::string> clearColourAtGrab;
  std::unique_ptr<test::Form1Rig> rig;

  PdfRig()
  {
    grab->width = 555;
    grab->height = 400;
    Form1Seams seams;
    seams.fillXyzList = [this](int emptyOnly) {
      // The window's own start-up calculation comes before rig is set.
      if (emptyOnly == 0 && rig)
        calculations.push_back(rig->preferences.backgroundColor);
    };
    rig = std::make_unique<test::Form1Rig>(std::move(seams), grab, folders.startup);
    rig->form->pdfPage().useServer(pdf.server());
    grab->onGrab = [this] { clearColourAtGrab.push_back(lastClearColour()); };
  }

  std::string lastClearColour() const
  {
    const auto& calls = rig->gl.calls;
    const auto at = std::find_if(calls.rbegin(), calls.rend(), [](const std::string& line) {
      return line.rfind("clearColor(", 0) == 0;
    });
    return at == calls.rend() ? std::string() : *at;
  }

  std::string target() const { return folders.startup.pdfFolder + "tube.pdf"; }
  std::string image() const { return rig->temp.path("tmp.jpg"); }

  // The menu item as a user picks it, the dialog answered with target().
  void exportPdf()
  {
    rig->dialogs.answer(FileChoice{target(), 1});
    rig->form->fileCommands().mnuFile_41->trigger();
  }

  bool logged(const std::string& line) const
  {
    return std::find(pdf.log.begin(), pdf.log.end(), line) != pdf.log.end();
  }
};

TEST(PdfPageTest, exportPdfCapturesTheViewAndWritesTheReport)
{
  PdfRig r;
  ASSERT_TRUE(r.rig->form->fileCommands().mnuFile_41->isEnabled());
  r.rig->prompts.answerYesNo(true);
  r.exportPdf();
  EXPECT_EQ(r.grab->grabs, 1);
  ASSERT_FALSE(r.pdf.log.empty());
  EXPECT_EQ(r.pdf.log[0], "create");
  EXPECT_EQ(r.pdf.log[1], "get_Open(\"" + r.target() + "\")");
  EXPECT_TRUE(r.logged("put_Title(\"Carbon Nanotube\")"));
  // Placed at the saved picture's pixel size.
  EXPECT_TRUE(r.logged("ImageOut(20, 372, \"" + r.image() + "\")"));
  EXPECT_TRUE(r.logged("SetRect(20, 372, 555, 400)"));
  EXPECT_EQ(r.pdf.log.back(), "Close()");
  const auto description =
      std::find_if(r.pdf.log.begin(), r.pdf.log.end(), [](const std::string& line) {
        return line.rfind("TextOutXY(20, 352, \"Chirality Indices (", 0) == 0;
      });
  EXPECT_NE(description, r.pdf.log.end());
  EXPECT_TRUE(r.logged("TextOutXY(20, 15, \"tarvek (https://tarvek.example.org/)\")"));
  EXPECT_TRUE(r.calculations.empty());
  EXPECT_TRUE(r.rig->prompts.messages().empty()) << r.rig->prompts.messages()[0].text;
  ASSERT_EQ(r.rig->shellOpen.calls.size(), 1u);
  EXPECT_EQ(r.rig->shellOpen.calls[0].target, r.target());
}

// On white: flat inserts are rebuilt on white and again on the kept colour;
// the grab sees a white clear colour; afterwards everything is as before.
// Without inserts only the clear colour changes.
TEST(PdfPageTest, whiteBackgroundRebuildsInsertsAroundTheCapture)
{
  for (const bool inserts : {true, false}) {
    PdfRig r;
    Preferences& preferences = r.rig->preferences;
    preferences.optionFlags[0] = true;
    r.rig->display.flatInserts = inserts;
    r.rig->display.insertFlag = inserts;
    const std::uint32_t background = preferences.backgroundColor;
    r.rig->prompts.answerYesNo(false);
    r.exportPdf();
    ASSERT_EQ(r.clearColourAtGrab.size(), 1u);
    EXPECT_EQ(r.clearColourAtGrab[0], "clearColor(1,1,1,0)");
    if (inserts)
      EXPECT_EQ(r.calculations, (std::vector<std::uint32_t>{0xFFFFFF, background}));
    else
      EXPECT_TRUE(r.calculations.empty());
    EXPECT_EQ(preferences.backgroundColor, background);
    const std::string restored = r.lastClearColour();
    r.rig->form->applyBackgroundColor();
    EXPECT_EQ(restored, r.lastClearColour());
    EXPECT_NE(restored, "clearColor(1,1,1,0)");
    EXPECT_FALSE(r.logged("Stroke()")) << "inserts " << inserts;
  }
}

// The first status panel names the page only when the library wrote the
// file: after a whole report, and after one whose font failed (the file is
// closed without its page's text), never after a refused open or a failed
// call.
TEST(PdfPageTest, theStatusNamesThePageOnlyWhenTheFileWasWritten)
{
  struct Case {
    const char* name;
    void (*script)(test::RecordingQuillet&);
    bool written;
  };
  const Case cases[] = {
      {"whole report", [](test::RecordingQuillet&) {}, true},
      {"font failed", [](test::RecordingQuillet& pdf) { pdf.fontResult = -1; }, true},
      {"open refused", [](test::RecordingQuillet& pdf) { pdf.openResult = -1; }, false},
      {"Close failed", [](test::RecordingQuillet& pdf) { pdf.failOn = "Close"; }, false},
      {"ImageOut failed", [](test::RecordingQuillet& pdf) { pdf.failOn = "ImageOut"; }, false},
  };
  for (const Case& c : cases) {
    PdfRig r;
    c.script(r.pdf);
    r.rig->prompts.answerYesNo(false);
    r.exportPdf();
    EXPECT_EQ(r.rig->status(0) == "Saved " + r.target(), c.written) << c.name << ": " << r.rig->status(0);
  }
}

// A grab that fails leaves no picture of an earlier run for the report: the
// command says so and opens no file.
TEST(PdfPageTest, failedCaptureWritesNoReport)
{
  PdfRig r;
  {
    std::ofstream stale(r.image(), std::ios::binary);
    stale << "stale picture of another structure";
  }
  r.grab->writes = false;
  r.exportPdf();
  EXPECT_TRUE(r.pdf.log.empty());
  const auto messages = r.rig->prompts.messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text.rfind("The view could not be captured, so no PDF was written.\r\n", 0),
            0u)
      << messages[0].text;
  EXPECT_FALSE(fs::exists(r.image()));
  EXPECT_FALSE(fs::exists(r.target()));
}

// The built library fails ImageOut for a picture it cannot read; the
// command shows the library's reason and writes no file.
TEST(PdfPageTest, pictureTheLibraryCannotReadEndsTheReportWithItsReason)
{
  PdfRig r;
  const QuilletServer library = quilletServer({QUILLET_LIBRARY_DIR});
  // The picture goes missing between the capture and the report.
  r.rig->form->pdfPage().useServer({[&] {
                                      fs::remove(r.image());
                                      return library.create();
                                    },
                                    library.lastError});
  r.exportPdf();
  const auto messages = r.rig->prompts.messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "The PDF file could not be written: ImageOut: The image file " +
                                  r.image() + " cannot be placed: " + std::strerror(ENOENT));
  EXPECT_FALSE(fs::exists(r.target()));
}

} // namespace
} // namespace tarvek
