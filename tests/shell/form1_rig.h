#pragma once

#include "model/display_settings.h"
#include "model/model.h"
#include "platform/platform.h"
#include "platform/temp_folder.h"
#include "scene/gl_host.h"
#include "scene/gl_recording.h"
#include "shell/form1.h"
#include "support/click_drawn.h"
#include "support/fake_abort.h"
#include "support/fake_clock.h"
#include "support/fake_colour_chooser.h"
#include "support/fake_file_dialogs.h"
#include "support/fake_processes.h"
#include "support/fake_prompts.h"
#include "support/fake_settings_store.h"
#include "support/fake_shell_open.h"
#include "support/fake_system_colors.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace tarvek::test {

// A view stand-in whose context counts as current, so the scene compiles
// its lists into the recording GL and a test can draw a frame.
class CurrentViewStub : public ViewStub {
public:
  bool makeCurrent() override { return true; }
};

// The main window over scripted platform layers, the view stand-in and a
// recording GL, shown and laid out.
struct Form1Rig {
  FakePrompts prompts;
  FakeFileDialogs dialogs;
  FakeShellOpen shellOpen;
  FakeProcesses processes;
  FakeAbort abort;
  FakeSystemColors colors;
  FakeClock clock;
  TempFolder temp;
  FakeSettingsStore settings;
  FakeColourChooser colourChooser;
  Platform platform;
  Model model;
  DisplaySettings display;
  Preferences preferences;
  RecordingGl gl;
  ViewHost* view = nullptr;
  std::unique_ptr<Form1> form;

  // The window owns the view; a test may pass its own stand-in or a real GL
  // view, program folder (ending in "/"; the source tree's data folder when
  // empty) and real process layer in place of the fake (kept by the caller).
  // A stand-in draws into the recording GL, a real view into its own.
  // storedSettings fills the settings store before the window loads it.
  explicit Form1Rig(Form1Seams seams = {}, ViewHost* stub = nullptr, StartupState startup = {},
                    std::string programFolder = {}, Processes* realProcesses = nullptr,
                    std::map<std::string, std::string> storedSettings = {})
      : platform{prompts, dialogs, shellOpen, realProcesses != nullptr ? *realProcesses : processes,
                 abort,   abort,   colors,    clock,    temp,     settings,     colourChooser},
        view(stub != nullptr ? stub : new ViewStub)
  {
    settings.values = std::move(storedSettings);
    if (startup.manifestPath.empty())
      startup.manifestPath = temp.path("tarvek.manifest");
    if (programFolder.empty())
      programFolder = std::string(TARVEK_TEST_SOURCE_DIR) + "/../data/";
    GlApi& viewGl = dynamic_cast<ViewStub*>(view) != nullptr ? gl : view->gl();
    form = std::make_unique<Form1>(platform, model, display, preferences, *view, viewGl, startup,
                                   programFolder, std::move(seams));
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
      ADD_FAILURE() << "the main window was not exposed";
  }

  // Text files with CR LF line ends: the LF option unticked after the first start.
  void useCrLf() { preferences.optionFlags[7] = false; }
  void pressCalculate() { clickDrawn(*form->Toolbar1, *form->runCalculationButton); }
  std::string status(int panel) const { return form->stbPanel[panel]->text().toStdString(); }
  void setField(int index, const char* text)
  {
    form->tf[index]->setText(QString::fromLatin1(text));
  }
};

} // namespace tarvek::test
