// libFuzzer entry point of the settings loader: any bytes as the settings
// file, read through the real settings store, load without a crash.
#include "platform/qt_settings_store.h"
#include "shell/settings_store.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

struct IgnoringSetters : tarvek::OptionSetters {
  void setColorOption(int, std::uint32_t) override {}
  void setToolPath(int, const std::string&) override {}
  void setInpOption(int, const std::string&) override {}
  void setAxis(std::int16_t) override {}
  void setWhites() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  char folder[] = "/tmp/tarvek-fuzz-ini-XXXXXX";
  if (!::mkdtemp(folder))
    return 0;
  const std::string file = std::string(folder) + "/TARVEK.conf";
  if (std::FILE* out = std::fopen(file.c_str(), "wb")) {
    const bool written = std::fwrite(data, 1, size, out) == size;
    if (std::fclose(out) == 0 && written) {
      tarvek::Preferences preferences = tarvek::blankPreferences();
      tarvek::QtSettingsStore store(file);
      IgnoringSetters setters;
      tarvek::SettingsContext context{preferences, store, setters,
                                      std::string(folder) + "/tarvek.manifest",
                                      "/opt/tarvek/tarvek"};
      tarvek::loadSettings(context);
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
