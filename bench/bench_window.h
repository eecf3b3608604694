#pragma once

#include "bench_support.h"
#include "model/display_settings.h"
#include "model/model.h"
#include "platform/escape_watch.h"
#include "platform/palette_colors.h"
#include "platform/platform.h"
#include "platform/qt_colour_chooser.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_processes.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_shell_open.h"
#include "platform/steady_clock.h"
#include "platform/temp_folder.h"
#include "scene/gl_recording.h"
#include "shell/form1.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace tarvek::bench {

// A shown main window with the real platform layers over the view stand-in
// and a recording GL (run with QT_QPA_PLATFORM=offscreen). Its tube fields
// come from the benchmark's arguments: n, armchair (m = n) or zigzag, length.
class BenchWindow {
public:
  explicit BenchWindow(const benchmark::State& state);

  Form1& form() { return *m_form; }
  RecordingGl& gl() { return m_gl; }

private:
  TempFolder m_temp;
  SteadyClock m_clock;
  QuietPrompts m_prompts;
  QtFileDialogs m_dialogs;
  QtShellOpen m_shellOpen;
  QtProcesses m_processes;
  EscapeWatch m_escape;
  PaletteColors m_colors;
  QtSettingsStore m_settings;
  QtColourChooser m_colourChooser;
  Platform m_platform;
  Model m_model;
  DisplaySettings m_display;
  Preferences m_preferences;
  RecordingGl m_gl;
  std::unique_ptr<Form1> m_form;
};

// (10,0) 100 Å, (40,40) 150 Å, (100,100) 370 Å: about 1,000, 10,000 and
// 60,000 atoms.
void windowTubeRows(benchmark::internal::Benchmark* bench);

// The main of a window benchmark: a QApplication around the benchmarks.
int runWindowBenchmarks(int argc, char** argv);

} // namespace tarvek::bench
