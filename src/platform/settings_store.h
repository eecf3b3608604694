#pragma once

#include <string>

namespace tarvek {

// The user's settings as named text values, kept between runs. A missing
// value reads as the empty string.
class SettingsStore {
public:
  virtual ~SettingsStore() = default;

  virtual std::string read(const std::string& name) = 0;
  // False when the value could not be set.
  virtual bool write(const std::string& name, const std::string& text) = 0;
  // Pushes what was written to its file; false when it did not get there.
  virtual bool sync() = 0;
  // Where the values are kept, for messages.
  virtual std::string location() const = 0;
};

} // namespace tarvek
