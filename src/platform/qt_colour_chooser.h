#pragma once

#include "platform/colour_chooser.h"

namespace tarvek {

// The colour chooser as a QColorDialog over the active window.
class QtColourChooser : public ColourChooser {
public:
  std::optional<std::uint32_t> choose(std::uint32_t initial, const std::string& title) override;
};

} // namespace tarvek
