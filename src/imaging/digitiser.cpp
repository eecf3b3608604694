// The digitiser's search atoms, save points, button rules and small number helpers.
#include "imaging/digitiser.h"

#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvek {

float fieldNumber(std::string text)
{
  std::replace(text.begin(), text.end(), ',', '.');
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  double value = 0.0;
  try {
    value = Val(text);
  } catch (const RuntimeError&) {
    // Beyond the double range: the sign is the text's.
    const std::size_t start = text.find_first_not_of(" \t");
    return start != std::string::npos && text[start] == '-' ? -kInfinity : kInfinity;
  }
  if (std::fabs(value) > std::numeric_limits<float>::max())
    return value > 0 ? kInfinity : -kInfinity;
  return static_cast<float>(value);
}

bool searchableAtomSize(float size)
{
  return std::isfinite(size) && size * 8.0f > 0.5f;
}

void UNITYVECTOR(std::array<float, 2>& v)
{
  const float length = std::sqrt(v[0] * v[0] + v[1] * v[1]);
  if (length == 0.0f)
    return;
  v[0] /= length;
  v[1] /= length;
}

void SCALEVECTOR(std::array<float, 2>& v, float f)
{
  v[0] *= f;
  v[1] *= f;
}

void DigitiserModel::takeImage(RedLevels red)
{
  loadedWidth = static_cast<float>(red.width);
  loadedHeight = static_cast<float>(red.height);
  loadedImage = std::move(red);
}

bool DigitiserModel::addFoundAtom(float x, float y, float size)
{
  const float nearest = 2.0f * size;
  for (std::size_t i = 0; i < foundX.size(); ++i) {
    const double dx = foundX[i] - x;
    const double dy = foundY[i] - y;
    if (static_cast<float>(std::sqrt(dx * dx + dy * dy)) < nearest)
      return false;
  }
  if (x > -1.0f && y > -1.0f) {
    foundX.push_back(x);
    foundY.push_back(y);
  }
  return true;
}

bool DigitiserModel::removeFoundAtom(float x, float y, float size)
{
  double best = 999.0;
  std::size_t nearest = foundX.size();
  for (std::size_t i = 0; i < foundX.size(); ++i) {
    const double dx = foundX[i] - x;
    const double dy = foundY[i] - y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d < size && d < best) {
      best = d;
      nearest = i;
    }
  }
  if (nearest == foundX.size())
    return false;
  foundX.erase(foundX.begin() + static_cast<std::ptrdiff_t>(nearest));
  foundY.erase(foundY.begin() + static_cast<std::ptrdiff_t>(nearest));
  return true;
}

void DigitiserModel::takePeaks(const std::vector<HoughPeak>& peaks)
{
  foundX.clear();
  foundY.clear();
  foundX.reserve(peaks.size());
  foundY.reserve(peaks.size());
  for (const HoughPeak& p : peaks) {
    foundX.push_back(static_cast<float>(p.x));
    foundY.push_back(static_cast<float>(p.y));
  }
}

void DigitiserModel::clearFound()
{
  foundX.clear();
  foundY.clear();
}

std::vector<XYPoint> DigitiserModel::savePoints() const
{
  std::vector<XYPoint> points;
  if (digitiserMode == kManualAssembly) {
    points.reserve(discs.discs.size());
    for (const clBALL& disc : discs.discs)
      points.push_back({disc.x, disc.y});
    return points;
  }
  points.reserve(foundX.size());
  for (std::size_t i = 0; i < foundX.size(); ++i)
    points.push_back({foundX[i], foundY[i]});
  return points;
}

DigitiserStatus DigitiserModel::updateStatus(const std::array<bool, 5>& current) const
{
  const bool searching = digitiserMode != kManualAssembly;
  const std::int32_t count = searching ? foundCount() : discs.discCount();
  DigitiserStatus status;
  status.enabled = {searching, count >= 1, searching && imageLoaded(), true,
                    searching ? count >= 1 : current[4]};
  status.panel1 = std::to_string(count) + " atoms";
  return status;
}

} // namespace tarvek
