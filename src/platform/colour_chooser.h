#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvek {

// The colour chooser, starting from a colour (red + 256 × green + 65536 ×
// blue). Nothing means Cancel.
class ColourChooser {
public:
  virtual ~ColourChooser() = default;

  virtual std::optional<std::uint32_t> choose(std::uint32_t initial, const std::string& title) = 0;
};

} // namespace tarvek
