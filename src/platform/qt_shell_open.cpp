#include "platform/qt_shell_open.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace tarvek {

namespace {

bool openLocal(const std::string& path)
{
  if (path.empty())
    return false;
  QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
  return QDesktopServices::openUrl(QUrl::fromLocalFile(absolute));
}

} // namespace

bool QtShellOpen::openAddress(const std::string& address)
{
  QUrl url(QString::fromStdString(address));
  return url.isValid() && !url.scheme().isEmpty() && QDesktopServices::openUrl(url);
}

bool QtShellOpen::openFile(const std::string& path)
{
  return openLocal(path);
}

bool QtShellOpen::openFolder(const std::string& path)
{
  return openLocal(path);
}

} // namespace tarvek
