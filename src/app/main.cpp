#include "platform/qt_prompts.h"
#include "platform/surface_format.h"
#include "shell/app_shell.h"
#include "shell/start_main.h"
#include "shell/themed_buttons.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv)
{
  tarvek::setDefaultSurfaceFormat();
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("Brannoc"));
  QCoreApplication::setApplicationName(QStringLiteral("TARVEK"));
  // Qt set the user's locale; numbers are read and written with "." only.
  std::setlocale(LC_NUMERIC, "C");

  tarvek::QtPrompts prompts;
  tarvek::StartupState startup = tarvek::Main(prompts);
  tarvek::chooseStartStyle(startup.manifestPresent);
  auto program = tarvek::startProgram(prompts, std::move(startup));
  if (!program)
    return 1;
  return app.exec();
}
