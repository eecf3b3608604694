#include "platform/qt_prompts.h"
#include "platform/quit_signals.h"
#include "platform/surface_format.h"
#include "runtime/heap_policy.h"
#include "shell/app_shell.h"
#include "shell/start_main.h"
#include "shell/themed_buttons.h"

#include <QApplication>

#include <clocale>
#include <filesystem>
#include <system_error>

int main(int argc, char** argv)
{
  tarvek::keepFreedHeapMemory();
  tarvek::setDefaultSurfaceFormat();
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("tarvek"));
  QCoreApplication::setApplicationName(QStringLiteral("tarvek"));
  // Qt set the user's locale; numbers are read and written with "." only.
  std::setlocale(LC_NUMERIC, "C");

  // A terminating signal closes the windows and ends the event loop, so the
  // program object below goes and takes the temporary folder with it.
  tarvek::QuitSignals quitSignals([] {
    QApplication::closeAllWindows();
    QCoreApplication::quit();
  });

  tarvek::QtPrompts prompts;
  tarvek::StartupState startup = tarvek::Main(prompts);
  tarvek::chooseStartStyle(startup.manifestPresent);
  // A main thread too busy to take the quit, during the start too, still
  // leaves no folder behind.
  auto program = tarvek::startProgram(prompts, std::move(startup), [&quitSignals](const auto& folder) {
    quitSignals.setLastRites([folder] {
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
    });
  });
  if (!program)
    return 1;
  if (quitSignals.received())
    return 0;
  return app.exec();
}
