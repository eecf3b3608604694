#pragma once

#include "platform/system_colors.h"

namespace tarvek {

// System colours read from the application's current QPalette.
class PaletteColors : public SystemColors {
public:
  std::uint32_t sysColor(int index) override;
};

} // namespace tarvek
