#pragma once

#include "platform/settings_store.h"

#include <map>
#include <string>

namespace tarvek::test {

// Settings held in memory; syncFails makes every sync report a failure.
class FakeSettingsStore : public SettingsStore {
public:
  std::string read(const std::string& name) override
  {
    const auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
  }
  bool write(const std::string& name, const std::string& text) override
  {
    values[name] = text;
    return true;
  }
  bool sync() override { return !syncFails; }
  std::string location() const override { return "memory"; }

  std::map<std::string, std::string> values;
  bool syncFails = false;
};

} // namespace tarvek::test
