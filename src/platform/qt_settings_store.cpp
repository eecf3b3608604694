#include "platform/qt_settings_store.h"

#include <QStandardPaths>

#include <cerrno>

#include <sys/stat.h>

namespace tarvek {

namespace {

// True unless the path exists and is not a regular file (links followed):
// reading a FIFO or a device would block or never end.
bool regularOrMissing(const std::string& path)
{
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return errno == ENOENT;
  return S_ISREG(info.st_mode);
}

} // namespace

// The file is named directly: QSettings keeps the configuration folder it
// saw first for the whole process.
QtSettingsStore::QtSettingsStore(const std::string& filePath) : m_path(filePath)
{
  if (regularOrMissing(filePath))
    m_settings = std::make_unique<QSettings>(QString::fromStdString(filePath), QSettings::IniFormat);
}

std::string QtSettingsStore::read(const std::string& name)
{
  if (!m_settings) {
    const auto found = m_inMemory.find(name);
    return found == m_inMemory.end() ? std::string() : found->second;
  }
  const QVariant value = m_settings->value(QString::fromStdString(name));
  // An unquoted comma in a hand-edited file makes a list.
  if (value.typeId() == QMetaType::QStringList)
    return value.toStringList().join(QLatin1Char(',')).toStdString();
  return value.toString().toStdString();
}

bool QtSettingsStore::write(const std::string& name, const std::string& text)
{
  if (!m_settings) {
    m_inMemory[name] = text;
    return true;
  }
  m_settings->setValue(QString::fromStdString(name), QString::fromStdString(text));
  return m_settings->status() == QSettings::NoError;
}

bool QtSettingsStore::sync()
{
  if (!m_settings)
    return false;
  m_settings->sync();
  return m_settings->status() == QSettings::NoError;
}

std::string QtSettingsStore::location() const
{
  return m_settings ? m_settings->fileName().toStdString() : m_path;
}

std::string userSettingsPath()
{
  return (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
          QStringLiteral("/tarvek/tarvek.conf"))
      .toStdString();
}

std::string unusableSettingsMessage(const std::string& location)
{
  return "The settings file " + location +
         " is not a regular file and was not read. The program starts on its default "
         "settings and cannot keep changes to them.";
}

} // namespace tarvek
