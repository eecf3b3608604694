#pragma once

#include "platform/settings_store.h"

#include <QSettings>

#include <map>
#include <memory>

namespace tarvek {

// The settings as an INI text file, the values at the top level. A path
// that names something other than a regular file (a FIFO, a device, a
// folder) is never opened: the values then live in memory only, start
// empty, and sync() reports that they were not kept.
class QtSettingsStore : public SettingsStore {
public:
  explicit QtSettingsStore(const std::string& filePath);

  std::string read(const std::string& name) override;
  bool write(const std::string& name, const std::string& text) override;
  bool sync() override;
  std::string location() const override;

  // False when the file was passed over as not a regular file.
  bool fileUsable() const { return m_settings != nullptr; }

private:
  std::string m_path;
  std::unique_ptr<QSettings> m_settings;
  std::map<std::string, std::string> m_inMemory;
};

// "tarvek/tarvek.conf" in the user's configuration folder.
std::string userSettingsPath();

// The one message for a settings file that was passed over.
std::string unusableSettingsMessage(const std::string& location);

} // namespace tarvek
