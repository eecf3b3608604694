#include "bench_window.h"

#include "runtime/path_util.h"
#include "scene/gl_host.h"

#include <QApplication>
#include <QLineEdit>

#include <string>

namespace tarvek::bench {

BenchWindow::BenchWindow(const benchmark::State& state)
    : m_settings(m_temp.path("TARVEK.conf")),
      m_platform{m_prompts, m_dialogs, m_shellOpen, m_processes, m_escape,       m_escape,
                 m_colors,  m_clock,   m_temp,      m_settings,  m_colourChooser}
{
  auto* view = new ViewStub;
  StartupState startup;
  startup.manifestPath = m_temp.path("tarvek.manifest");
  m_form = std::make_unique<Form1>(m_platform, m_model, m_display, m_preferences, *view, m_gl,
                                   startup, appPath());
  m_form->show();
  const auto n = std::to_string(state.range(0));
  m_form->tf[0]->setText(QString::fromStdString(n));
  m_form->tf[1]->setText(QString::fromStdString(state.range(1) != 0 ? n : "0"));
  m_form->tf[2]->setText(QString::number(state.range(2)));
}

void windowTubeRows(benchmark::internal::Benchmark* bench)
{
  bench->ArgNames({"n", "armchair", "length"})
      ->Args({10, 0, 100})
      ->Args({40, 1, 150})
      ->Args({100, 1, 370});
}

int runWindowBenchmarks(int argc, char** argv)
{
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

} // namespace tarvek::bench
