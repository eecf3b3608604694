// The user's bond-length range: reading its two fields and one bond search with it.
#include "tools/bond_range.h"

#include "model/bond_search.h"
#include "model/main_window_services.h"
#include "model/model.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tarvek {

namespace {

const char* const kNotLengths = "L1 and L2 must be lengths in A.";

float limit(const std::string& text)
{
  double value = 0.0;
  try {
    value = Val(text);
  } catch (const RuntimeError&) {
    throw RuntimeError(kNotLengths);
  }
  const auto single = static_cast<float>(value);
  if (!std::isfinite(single))
    throw RuntimeError(kNotLengths);
  return single;
}

// Clears the user limits however the search ends.
class UserLimits {
public:
  UserLimits(Model& model, float lower, float upper) : m_model(model)
  {
    m_model.userBondMin = lower;
    m_model.userBondMax = upper;
    m_model.useUserBondLimits = true;
  }
  ~UserLimits() { m_model.useUserBondLimits = false; }
  UserLimits(const UserLimits&) = delete;
  UserLimits& operator=(const UserLimits&) = delete;

private:
  Model& m_model;
};

} // namespace

BondRange readBondRange(const std::string& field1, const std::string& field2)
{
  BondRange range{field1, field2, 0.0f, 0.0f};
  std::replace(range.text1.begin(), range.text1.end(), ',', '.');
  std::replace(range.text2.begin(), range.text2.end(), ',', '.');
  range.lower = limit(range.text1);
  range.upper = limit(range.text2);
  if (range.upper < range.lower)
    std::swap(range.lower, range.upper);
  return range;
}

void recalculateBonds(Model& model, const BondRange& range, Prompts& prompts, AbortToken& abort)
{
  UserLimits limits(model, range.lower, range.upper);
  createBonds(model, 0.0f, 0.0f, prompts, abort);
}

void recalculateBonds(Model& model, const BondRange& range, MainWindowServices& window)
{
  UserLimits limits(model, range.lower, range.upper);
  window.CALCULATE(false);
}

} // namespace tarvek
