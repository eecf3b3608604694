#include "pdfwriter/font_locator.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

namespace quillet {

struct FontconfigLocator::Config {
  FcConfig* config = nullptr;
  std::mutex mutex;
  // The configuration is a snapshot taken at construction, so each family's
  // match stays what it was first found to be.
  std::map<std::string, std::optional<FontFileName>> matches;
};

namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

std::optional<std::vector<std::uint8_t>> readWholeFile(const char* path)
{
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad())
    return std::nullopt;
  return bytes;
}

} // namespace

FontconfigLocator::FontconfigLocator()
  : m_config(std::make_unique<Config>())
{
  m_config->config = FcInitLoadConfigAndFonts();
}

FontconfigLocator::~FontconfigLocator()
{
  if (m_config->config != nullptr)
    FcConfigDestroy(m_config->config);
}

std::optional<LocatedFont> FontconfigLocator::locate(const std::string& family) const
{
  const auto file = fileOf(family);
  if (!file)
    return std::nullopt;
  auto bytes = readWholeFile(file->path.c_str());
  if (!bytes)
    return std::nullopt;
  return LocatedFont{std::move(*bytes), file->faceIndex};
}

std::optional<FontFileName> FontconfigLocator::fileOf(const std::string& family) const
{
  const std::lock_guard lock(m_config->mutex);
  const auto known = m_config->matches.find(family);
  if (known != m_config->matches.end())
    return known->second;
  return m_config->matches[family] = match(family);
}

std::optional<FontFileName> FontconfigLocator::match(const std::string& family) const
{
  FcConfig* config = m_config->config;
  if (config == nullptr)
    return std::nullopt;
  // Not FcNameParse: a face name holding "-" or ":" would be read as properties.
  PatternPtr pattern(FcPatternCreate());
  if (!pattern
      || !FcPatternAddString(pattern.get(), FC_FAMILY,
                             reinterpret_cast<const FcChar8*>(family.c_str())))
    return std::nullopt;
  if (!FcConfigSubstitute(config, pattern.get(), FcMatchPattern))
    return std::nullopt;
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(config, pattern.get(), &result));
  if (!match)
    return std::nullopt;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || file == nullptr)
    return std::nullopt;
  int index = 0;
  if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) != FcResultMatch)
    index = 0;
  return FontFileName{reinterpret_cast<const char*>(file), index};
}

std::shared_ptr<const FontLocator> systemFontLocator()
{
  static std::mutex mutex;
  // Keyed by FONTCONFIG_FILE, "=" before a set value so that an empty one
  // differs from none.
  static std::map<std::string, std::shared_ptr<const FontLocator>> byConfigFile;
  const char* configFile = std::getenv("FONTCONFIG_FILE");
  const std::string key = configFile ? "=" + std::string(configFile) : std::string();
  const std::lock_guard lock(mutex);
  auto& locator = byConfigFile[key];
  if (!locator)
    locator = std::make_shared<FontconfigLocator>();
  return locator;
}

} // namespace quillet
