#include "platform/qt_settings_store.h"

#include <QStandardPaths>

namespace tarvek {

// The file is named directly: QSettings keeps the configuration folder it
// saw first for the whole process.
QtSettingsStore::QtSettingsStore(const std::string& filePath)
    : m_settings(QString::fromStdString(filePath), QSettings::IniFormat)
{
}

std::string QtSettingsStore::read(const std::string& name)
{
  const QVariant value = m_settings.value(QString::fromStdString(name));
  // An unquoted comma in a hand-edited file makes a list.
  if (value.typeId() == QMetaType::QStringList)
    return value.toStringList().join(QLatin1Char(',')).toStdString();
  return value.toString().toStdString();
}

bool QtSettingsStore::write(const std::string& name, const std::string& text)
{
  m_settings.setValue(QString::fromStdString(name), QString::fromStdString(text));
  return m_settings.status() == QSettings::NoError;
}

bool QtSettingsStore::sync()
{
  m_settings.sync();
  return m_settings.status() == QSettings::NoError;
}

std::string QtSettingsStore::location() const
{
  return m_settings.fileName().toStdString();
}

std::string userSettingsPath()
{
  return (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
          QStringLiteral("/tarvek/tarvek.conf"))
      .toStdString();
}

} // namespace tarvek
