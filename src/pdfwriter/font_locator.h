#pragma once

// Internal to the PDF writer: finds the file of an installed font by family
// name. The document asks a FontLocator, so tests can hand it fixture fonts.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillet {

// The whole file that holds a font, and which face of it is meant (0 unless
// the file is a collection).
struct LocatedFont {
  std::vector<std::uint8_t> bytes;
  int faceIndex = 0;
};

// Where a located font's file is, without reading it.
struct FontFileName {
  std::string path;
  int faceIndex = 0;
};

class FontLocator {
public:
  virtual ~FontLocator() = default;

  // The file locate would read for the family, so that callers may keep
  // what they made of it; nullopt when the locator does not read fonts from
  // named files.
  virtual std::optional<FontFileName> fileOf(const std::string& /*family*/) const
  {
    return std::nullopt;
  }

  // The font the system would use for the family: the family itself when it
  // is installed, a substitute otherwise. nullopt when there is none at all or
  // its file cannot be read.
  virtual std::optional<LocatedFont> locate(const std::string& family) const = 0;
};

// Asks fontconfig, with its own copy of the system's configuration (which
// honours FONTCONFIG_FILE at construction). The family is matched literally:
// "-" or ":" in it are part of the name, never properties. Safe to share
// between threads.
class FontconfigLocator final : public FontLocator {
public:
  FontconfigLocator();
  ~FontconfigLocator() override;
  FontconfigLocator(const FontconfigLocator&) = delete;
  FontconfigLocator& operator=(const FontconfigLocator&) = delete;

  std::optional<LocatedFont> locate(const std::string& family) const override;
  std::optional<FontFileName> fileOf(const std::string& family) const override;

private:
  std::optional<FontFileName> match(const std::string& family) const;

  struct Config;
  std::unique_ptr<Config> m_config;
};

// The process's fontconfig locator for the current value of FONTCONFIG_FILE,
// made at first use: loading a configuration costs more than writing a page.
std::shared_ptr<const FontLocator> systemFontLocator();

} // namespace quillet
