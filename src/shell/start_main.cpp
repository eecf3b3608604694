#include "shell/start_main.h"

#include "runtime/path_util.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStandardPaths>

namespace tarvek {

bool probeDecimalComma()
{
  return QLocale().toString(3.1415).contains(QLatin1Char(','));
}

StartupState Main(Prompts& prompts)
{
  const std::string config =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
  StartupState state = startUp(config, appPath(), probeDecimalComma(), prompts);
  if (QCoreApplication::instance() != nullptr)
    state.commandLine =
        QCoreApplication::arguments().mid(1).join(QLatin1Char(' ')).toStdString();
  return state;
}

} // namespace tarvek
