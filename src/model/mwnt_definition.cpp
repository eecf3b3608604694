#include "model/mwnt_definition.h"

#include "model/display_settings.h"
#include "model/main_window_services.h"
#include "model/model.h"
#include "platform/prompts.h"
#include "runtime/int_convert.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"
#include "runtime/split.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace tarvek {

namespace {

constexpr const char* kDefaultWalls = "29,0 38,0 47,0 48,13 55,16 63,17 70,20";

void complain(Prompts& prompts, const std::string& text)
{
  prompts.message(text, "", MessageIcon::Critical);
}

// The first complaint about the pair, or nothing.
const char* pairError(std::int32_t n, std::int32_t m)
{
  if (n < 3)
    return "Input error: n<3";
  if (n > 500)
    return "Input error: n>500";
  if (m > n)
    return "Input error: m>n if chiral vector (n,m)";
  if (2 * n + m == 0)
    return "Input error: 2n+m=0 in chiral vector (n,m)";
  return nullptr;
}

} // namespace

void manualMWNT(Model& model, std::string& text, const DisplaySettings& display,
                Prompts& prompts, MainWindowServices& window)
{
  if (text.empty()) {
    std::string offered;
    if (model.mwntCount != 0) {
      for (std::int32_t i = 1; i <= model.mwntCount; ++i)
        offered += std::to_string(model.mwntIndices[i][0]) + ","
                   + std::to_string(model.mwntIndices[i][1]) + " ";
    } else {
      offered = kDefaultWalls;
      window.setTubeLengthField("5");
    }
    text = prompts
               .input("Enter indices n,m for all nanotubes.\r\nMind the tube length (too many atoms?)",
                      "Manual MWNT Definition", offered)
               .value_or("");
  }

  std::replace(text.begin(), text.end(), ',', ' ');
  std::replace(text.begin(), text.end(), '(', ' ');
  std::replace(text.begin(), text.end(), ')', ' ');
  if (text.empty())
    return;

  const std::vector<std::string> items = splitSpaces(text);
  if (items.size() % 2 != 0) {
    complain(prompts, "Unbalanced index pair (n,m)");
    return;
  }

  std::vector<std::array<std::int16_t, 2>> rows(1);
  try {
    const std::int16_t count = CInt(static_cast<double>(items.size() / 2));
    for (std::size_t k = 0; k < items.size(); k += 2) {
      const std::int32_t n = CLng(Val(items[k]));
      const std::int32_t m = CLng(Val(items[k + 1]));
      if (const char* error = pairError(n, m)) {
        complain(prompts, error);
        return;
      }
      rows.push_back({static_cast<std::int16_t>(n), CInt(m)});
    }
    model.mwntIndices = std::move(rows);
    model.mwntCount = count;
  } catch (const RuntimeError& e) {
    complain(prompts, e.what());
    return;
  }

  if (!display.orthoProjection)
    window.toggleProjection();
  window.CALCULATE(true);
}

} // namespace tarvek
