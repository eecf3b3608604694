#pragma once

#include "platform/settings_store.h"

#include <QSettings>

namespace tarvek {

// The settings as an INI text file, the values at the top level.
class QtSettingsStore : public SettingsStore {
public:
  explicit QtSettingsStore(const std::string& filePath);

  std::string read(const std::string& name) override;
  bool write(const std::string& name, const std::string& text) override;
  bool sync() override;
  std::string location() const override;

private:
  QSettings m_settings;
};

// "tarvek/tarvek.conf" in the user's configuration folder.
std::string userSettingsPath();

} // namespace tarvek
