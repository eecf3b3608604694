// Disc markers: generators, picking, adding, removing and the drag with its pushes.
#include "imaging/disc_markers.h"

#include "imaging/digitiser.h"
#include "model/model.h"
#include "runtime/math_util.h"
#include "runtime/print_form.h"
#include "runtime/random_source.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace tarvek {

namespace {

using Centres = std::vector<std::pair<float, float>>;

// The cell grid of a sheet beyond this many columns or rows holds far more
// discs than a set may.
constexpr float kLargestSheetGrid = 1.0e6f;

// Distance of two points; the differences are taken in single precision.
double distance(float ax, float ay, float bx, float by)
{
  const double dx = ax - bx;
  const double dy = ay - by;
  return std::sqrt(dx * dx + dy * dy);
}

[[noreturn]] void refuseCount(double count)
{
  throw RuntimeError("A disc set holds at most " + std::to_string(kMaxDiscs) + " discs, not "
                     + numberText(count) + ".");
}

void checkSize(float value)
{
  if (!(value >= 0.0f) || !std::isfinite(value))
    throw RuntimeError("The sizes of a new atom array must be numbers of 0 or more.");
}

void checkRadius(float r)
{
  if (!(r > 0.0f) || !std::isfinite(r))
    throw RuntimeError("The disc radius must be a number above 0.");
}

// How many of the steps 0, 1, ..., last keep offset + step(k) within limit;
// step grows with k, so the first step beyond ends the count.
template <typename Step>
std::int64_t stepsWithin(float limit, std::int64_t last, Step step)
{
  std::int64_t k = 0;
  while (k <= last && limit >= step(k))
    ++k;
  return k;
}

} // namespace

void clBALL::init(float radius, float areaWidth, float areaHeight, RandomSource& random)
{
  *this = clBALL();
  r = radius;
  m_areaWidth = areaWidth;
  m_areaHeight = areaHeight;
  const double u1 = random.uniform();
  const double u2 = random.uniform();
  x = static_cast<float>((m_areaWidth - 2.0f * r) * u1 + r);
  y = static_cast<float>((m_areaHeight - 2.0f * r) * u2 + r);
}

void clBALL::move(float dx, float dy)
{
  x += dx;
  y += dy;
  moved = true;
}

void clBALL::moveTo(float newX, float newY)
{
  x = newX;
  y = newY;
}

void DiscAssembly::setArea(float width, float height)
{
  m_areaWidth = width;
  m_areaHeight = height;
}

void DiscAssembly::replaceDiscs(const Centres& centres, float r)
{
  std::vector<clBALL> placed(centres.size());
  for (std::size_t i = 0; i < centres.size(); ++i) {
    clBALL& disc = placed[i];
    disc.init(r, m_areaWidth, m_areaHeight, m_random);
    disc.setR(r);
    disc.setX(centres[i].first);
    disc.setY(centres[i].second);
    disc.setColor(kDiscBlue);
  }
  discs = std::move(placed);
  endDrag();
}

void DiscAssembly::makeSquareLattice(std::int32_t columns, std::int32_t rows, float r)
{
  checkRadius(r);
  if (columns < 0 || rows < 0)
    throw RuntimeError("The rows and columns of a lattice must be 0 or more.");
  const std::int64_t count = std::int64_t{columns} * rows;
  if (count > kMaxDiscs)
    refuseCount(static_cast<double>(count));
  Centres centres;
  centres.reserve(static_cast<std::size_t>(count));
  const float step = 2.5f * r;
  for (std::int32_t i = 1; i <= columns; ++i) {
    for (std::int32_t j = 1; j <= rows; ++j)
      centres.emplace_back(step * static_cast<float>(i), step * static_cast<float>(j));
  }
  replaceDiscs(centres, r);
}

void DiscAssembly::makeGrapheneSheet(float width, float height, float r, float bondLength)
{
  checkSize(width);
  checkSize(height);
  checkRadius(r);
  if (!(bondLength > 0.0f) || !std::isfinite(bondLength))
    throw RuntimeError("A graphene sheet needs a bond length above 0 in the main window.");
  const float s = 2.0f * r / bondLength;
  const float b = 2.2f * r;
  const float q = std::sqrt(3.0f);
  // The rectangular cell of four atoms, repeating every q b across and 3 b down.
  const std::array<float, 4> offsetX{0.0f, q / 2.0f * b, 0.0f, q / 2.0f * b};
  const std::array<float, 4> offsetY{0.0f, 1.5f * b, b, 2.5f * b};
  const float nxf = std::nearbyint(width / q / bondLength);
  const float nyf = std::nearbyint(height / q / bondLength);
  if (!(nxf <= kLargestSheetGrid) || !(nyf <= kLargestSheetGrid))
    throw RuntimeError("The sheet is too large: a disc set holds at most "
                       + std::to_string(kMaxDiscs) + " discs.");
  const auto nx = static_cast<std::int64_t>(nxf);
  const auto ny = static_cast<std::int64_t>(nyf);
  const float right = s * width;
  const float bottom = s * height;
  auto px = [&](std::size_t k, std::int64_t i) {
    return offsetX[k] + b * (q * static_cast<float>(i));
  };
  auto py = [&](std::size_t k, std::int64_t j) {
    return offsetY[k] + b * (3.0f * static_cast<float>(j));
  };

  // A point is kept when it lies within both limits, which hold apart:
  // count first, so an oversized sheet is refused before it is placed.
  std::int64_t count = 0;
  for (std::size_t k = 0; k < offsetX.size(); ++k) {
    count += stepsWithin(right, nx + 1, [&](std::int64_t i) { return px(k, i); })
             * stepsWithin(bottom, ny + 1, [&](std::int64_t j) { return py(k, j); });
  }
  if (count > kMaxDiscs)
    refuseCount(static_cast<double>(count));

  Centres centres;
  centres.reserve(static_cast<std::size_t>(count));
  for (std::int64_t i = 0; i <= nx + 1; ++i) {
    for (std::int64_t j = 0; j <= ny + 1; ++j) {
      for (std::size_t k = 0; k < offsetX.size(); ++k) {
        const float x = px(k, i);
        const float y = py(k, j);
        if (right >= x && bottom >= y)
          centres.emplace_back(r + x, r + y);
      }
    }
  }
  replaceDiscs(centres, r);
}

void DiscAssembly::makeSheetFromModel(const Model& model, float r)
{
  checkRadius(r);
  const std::int32_t count = model.sheetCount;
  if (count > kMaxDiscs)
    refuseCount(count);
  if (count > 0 && (!(model.bondLength > 0.0f) || !std::isfinite(model.bondLength)))
    throw RuntimeError("The main window's sheet has no bond length above 0 to scale it by.");
  const double s = 2.2 * r / model.bondLength;
  double maxY = 0.0;
  for (std::int32_t i = 0; i < count; ++i)
    maxY = maxD(maxY, model.sheetY[static_cast<std::size_t>(i)]);
  Centres centres;
  centres.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (std::int32_t i = 0; i < count; ++i) {
    const auto k = static_cast<std::size_t>(i);
    centres.emplace_back(static_cast<float>(s * model.sheetX[k] + r),
                         static_cast<float>(s * (maxY - model.sheetY[k]) + r));
  }
  replaceDiscs(centres, r);
}

bool DiscAssembly::pickOrAddDisc(float x, float y)
{
  for (std::size_t i = 0; i < discs.size(); ++i) {
    clBALL& disc = discs[i];
    if (distance(x, y, disc.x, disc.y) <= disc.r) {
      disc.selected = true;
      dragIndex = static_cast<std::int32_t>(i);
      dragOffsetX = disc.x - x;
      dragOffsetY = disc.y - y;
      return false;
    }
  }
  return addDisc(x, y);
}

bool DiscAssembly::addDisc(float x, float y)
{
  if (discs.empty())
    return false;
  for (const clBALL& disc : discs) {
    if (static_cast<float>(distance(x, y, disc.x, disc.y)) <= 2.0f * disc.r)
      return false;
  }
  if (discCount() >= kMaxDiscs)
    throw RuntimeError("A disc set holds at most " + std::to_string(kMaxDiscs)
                       + " discs: remove some before adding more.");
  clBALL added = discs.front();
  added.setX(x);
  added.setY(y);
  discs.push_back(added);
  // Re-made in order, so every flag of every disc ends cleared.
  const float radius = discs.front().r;
  for (clBALL& disc : discs) {
    const clBALL kept = disc;
    disc.init(radius, m_areaWidth, m_areaHeight, m_random);
    disc.setX(kept.x);
    disc.setY(kept.y);
    disc.setR(kept.r);
    disc.setColor(kept.colour);
  }
  dragIndex = discCount() - 1;
  dragOffsetX = 0.0f;
  dragOffsetY = 0.0f;
  return true;
}

bool DiscAssembly::removeDiscsAt(float x, float y)
{
  std::vector<clBALL> kept;
  kept.reserve(discs.size());
  std::int32_t newDragIndex = -1;
  for (std::size_t i = 0; i < discs.size(); ++i) {
    const clBALL& disc = discs[i];
    if (!(distance(x, y, disc.x, disc.y) > disc.r))
      continue;
    if (static_cast<std::int32_t>(i) == dragIndex)
      newDragIndex = static_cast<std::int32_t>(kept.size());
    kept.push_back(disc);
  }
  if (kept.size() == discs.size())
    return false;
  discs = std::move(kept);
  dragIndex = newDragIndex;
  return true;
}

void DiscAssembly::endDrag()
{
  dragIndex = -1;
  for (clBALL& disc : discs)
    disc.selected = false;
}

void DiscAssembly::dragDisc(float x, float y)
{
  if (dragIndex < 0 || dragIndex >= discCount())
    return;
  for (clBALL& disc : discs) {
    disc.collided = false;
    disc.reserved = false;
    disc.moved = false;
  }
  clBALL& dragged = discs[static_cast<std::size_t>(dragIndex)];
  dragged.moveTo(x + dragOffsetX, y + dragOffsetY);
  dragged.moved = true;
  if (findOverlap(dragIndex) >= 0)
    resolveOverlaps();
}

std::int32_t DiscAssembly::findOverlap(std::int32_t i)
{
  const clBALL& disc = discs[static_cast<std::size_t>(i)];
  for (std::size_t j = 0; j < discs.size(); ++j) {
    clBALL& other = discs[j];
    if (static_cast<std::int32_t>(j) == i)
      continue;
    if (2.0 * other.r > distance(disc.x, disc.y, other.x, other.y)) {
      other.collide();
      return static_cast<std::int32_t>(j);
    }
  }
  return -1;
}

void DiscAssembly::resolveOverlaps()
{
  const std::size_t n = discs.size();
  const auto dragged = static_cast<std::size_t>(dragIndex);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      clBALL& a = discs[i];
      clBALL& b = discs[j];
      const float reach = 2.0f * a.r;
      std::array<float, 2> push{b.x - a.x, b.y - a.y};
      // As far apart as reach along one axis, the pair is at least that far
      // apart, the distance rounded to a float included: no root needed.
      if (!(std::fabs(push[0]) < reach) || !(std::fabs(push[1]) < reach))
        continue;
      const float d = static_cast<float>(
          std::sqrt(double{push[0]} * push[0] + double{push[1]} * push[1]));
      if (!(reach > d))
        continue;
      UNITYVECTOR(push);
      SCALEVECTOR(push, a.r + b.r - d);
      const bool pushB = a.moved != b.moved ? a.moved : a.moved && j != dragged;
      if (pushB)
        b.move(push[0], push[1]);
      else
        a.move(-push[0], -push[1]);
    }
  }
}

bool newDiscSet(DiscAssembly& assembly, const Model& model, const NewDiscSetChoice& choice)
{
  auto toFloat = [](double value) {
    if (!(std::fabs(value) <= std::numeric_limits<float>::max()))
      throw RuntimeError("The sizes of a new atom array must be numbers of 0 or more.");
    return static_cast<float>(value);
  };
  switch (choice.choice) {
  case 1:
    assembly.makeGrapheneSheet(toFloat(choice.firstValue), toFloat(choice.secondValue), 15.0f,
                               model.bondLength);
    return true;
  case 2: {
    const double rows = std::nearbyint(choice.firstValue);
    const double columns = std::nearbyint(choice.secondValue);
    if (!(rows >= 0.0) || !(columns >= 0.0) || !std::isfinite(rows) || !std::isfinite(columns))
      throw RuntimeError("The rows and columns of a lattice must be 0 or more.");
    if (rows * columns > kMaxDiscs)
      refuseCount(rows * columns);
    assembly.makeSquareLattice(static_cast<std::int32_t>(std::min(columns, double{kMaxDiscs})),
                               static_cast<std::int32_t>(std::min(rows, double{kMaxDiscs})),
                               20.0f);
    return true;
  }
  case 3:
    assembly.makeSheetFromModel(model, 15.0f);
    return true;
  default:
    return false;
  }
}

} // namespace tarvek
