#include "shell/start_main.h"

#include "runtime/path_util.h"

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
  return startUp(config, appPath(), probeDecimalComma(), prompts);
}

} // namespace tarvek
