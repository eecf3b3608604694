// The display boxes and the atom-radius list through the main window, over
// the view stand-in and a recording GL (run with QT_QPA_PLATFORM=offscreen).
// Toggling "Atoms" only redraws, so its time should stay level from the
// smallest tube to the largest; a new atom radius compiles the scene again,
// so its time per atom should stay about level from the middle size up.

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
#include "runtime/path_util.h"
#include "scene/gl_host.h"
#include "scene/gl_recording.h"
#include "scene/scene_object.h"
#include "shell/form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <functional>

namespace tarvek {
namespace {

// Says Yes to the large-structure question and shows nothing.
class YesPrompts : public Prompts {
public:
  void message(const std::string&, const std::string&, MessageIcon) override {}
  bool yesNo(const std::string&, const std::string&, MessageIcon) override { return true; }
  std::optional<std::string> input(const std::string&, const std::string&,
                                   const std::string&) override
  {
    return std::nullopt;
  }
  void beep() override {}
  void beginWait() override {}
  void endWait() override {}
};

// Builds the tube of the benchmark's arguments in a shown main window, then
// times step.
void runOnTube(benchmark::State& state, const std::function<void(Form1&, bool)>& step)
{
  TempFolder temp;
  SteadyClock clock;
  YesPrompts prompts;
  QtFileDialogs dialogs;
  QtShellOpen shellOpen;
  QtProcesses processes;
  EscapeWatch escape;
  PaletteColors colors;
  QtSettingsStore settings(temp.path("TARVEK.conf"));
  QtColourChooser colourChooser;
  Platform platform{prompts, dialogs, shellOpen, processes, escape,       escape,
                    colors,  clock,   temp,      settings,  colourChooser};
  Model model;
  DisplaySettings display;
  Preferences preferences;
  RecordingGl gl;
  auto* view = new ViewStub;
  Form1 form(platform, model, display, preferences, *view, gl, StartupState{}, appPath());
  form.show();
  const auto n = std::to_string(state.range(0));
  form.tf[0]->setText(QString::fromStdString(n));
  form.tf[1]->setText(QString::fromStdString(state.range(1) != 0 ? n : "0"));
  form.tf[2]->setText(QString::number(state.range(2)));
  form.CALCULATE(true);
  bool odd = false;
  for (auto _ : state) {
    gl.clear();
    odd = !odd;
    step(form, odd);
  }
  const double atoms = form.scene().drawnAtomCount;
  state.counters["atoms"] = atoms;
  state.counters["s_per_atom"] = benchmark::Counter(
      atoms * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_toggleAtoms(benchmark::State& state)
{
  runOnTube(state, [](Form1& form, bool odd) { form.cbOP[0]->setChecked(!odd); });
}

void BM_atomRadius(benchmark::State& state)
{
  runOnTube(state, [](Form1& form, bool odd) { form.cmbRAD[0]->setCurrentIndex(odd ? 5 : 4); });
}

// (10,0) 100 Å, (40,40) 150 Å, (100,100) 370 Å: about 1,000, 10,000 and
// 60,000 atoms; the second argument makes the tube armchair.
BENCHMARK(BM_toggleAtoms)
    ->ArgNames({"n", "armchair", "length"})
    ->Args({10, 0, 100})
    ->Args({40, 1, 150})
    ->Args({100, 1, 370})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_atomRadius)
    ->ArgNames({"n", "armchair", "length"})
    ->Args({10, 0, 100})
    ->Args({40, 1, 150})
    ->Args({100, 1, 370})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarvek

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
