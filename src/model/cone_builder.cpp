#include "model/cone_builder.h"

#include "model/graphene_cell.h"
#include "model/model.h"
#include "runtime/int_convert.h"
#include "runtime/math_util.h"
#include "runtime/runtime_error.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace tarvek {

namespace {

struct Atoms {
  BigVector<float> x, y, z;
  BigVector<std::int16_t> type;

  void add(float ax, float ay, float az, std::int16_t t)
  {
    x.push_back(ax);
    y.push_back(ay);
    z.push_back(az);
    type.push_back(t);
  }
  std::int32_t count() const { return static_cast<std::int32_t>(x.size()); }
};

// Radius and polar angle (degrees, 0 <= phi < 360) of a sheet atom.
struct Polar {
  float r;
  float phi;
};

Polar polar(float x, float y)
{
  const auto r = static_cast<float>(std::sqrt(static_cast<double>(x) * x
                                              + static_cast<double>(y) * y));
  auto phi = static_cast<float>(ArcCosine(x / static_cast<double>(r)) / (kPi / 180.0));
  if (y < 0.0f)
    phi = static_cast<float>(360.0 - phi);
  return {r, phi};
}

void store(Atoms& from, AtomSetRef to)
{
  to.count = from.count();
  to.x = std::move(from.x);
  to.y = std::move(from.y);
  to.z = std::move(from.z);
  to.type = std::move(from.type);
}

} // namespace

void buildCone(Model& model, float d, float h, float a, float zOffset)
{
  if (!(d > 0.0f && d < 360.0f))
    throw RuntimeError("The disclination must lie between 0 and 360 degrees.");
  if (!(a > 0.0f && std::isfinite(a)))
    throw RuntimeError("The bond length must be a positive number.");

  const auto sqrt3 = static_cast<float>(std::sqrt(3.0));
  const auto apexAngle = static_cast<float>(2.0 * ArcSine(1.0 - d / 360.0));
  const float beta = apexAngle / 2.0f;
  // Slant length of the cone: the radius of the sector cut from the sheet.
  const auto radius = static_cast<float>(std::fabs(h / std::cos(static_cast<double>(beta))));
  const std::int32_t nx = CInt(radius / (static_cast<double>(sqrt3) * a)) + 1;
  const std::int32_t ny = CInt(radius / (3.0 * static_cast<double>(a))) + 1;
  const std::int32_t patchCount = CLng((2.0 * nx + 1.0) * (2.0 * ny + 1.0) * 4.0);

  const GrapheneCell cell = grapheneCell(model, a);
  const float halfCell = cell.x[1];

  // The patch, shifted so a hexagon centre lies at the origin. The shift is
  // the stored half cell, so the atoms above and below it get x = 0 exactly.
  Atoms work;
  work.x.reserve(patchCount);
  work.y.reserve(patchCount);
  work.z.reserve(patchCount);
  work.type.reserve(patchCount);
  for (std::int32_t ix = -nx; ix <= nx; ++ix)
    for (std::int32_t iy = -ny; iy <= ny; ++iy)
      for (std::size_t k = 0; k < 4; ++k) {
        const auto x = static_cast<float>(static_cast<double>(sqrt3) * ix * a + cell.x[k]
                                          - halfCell);
        const auto y = static_cast<float>(3.0 * iy * a + cell.y[k] - a / 2.0);
        work.add(x, y, 0.0f, cell.type[k]);
      }

  // The sector: the wedge from 360 - d to 360 degrees is cut away.
  const auto limit = static_cast<float>(360.0 - d);
  Atoms sheet;
  for (std::int32_t i = 0; i < work.count(); ++i) {
    const Polar p = polar(work.x[i], work.y[i]);
    if (p.phi < limit && p.r <= radius)
      sheet.add(work.x[i], work.y[i], work.z[i], work.type[i]);
  }

  // Rolling: the sector's angle stretched to a full turn, radii scaled by
  // sin(beta); atom i of the cone is sheet atom i.
  const auto stretch = static_cast<float>(360.0 / (360.0 - d));
  const auto sine = static_cast<float>(1.0 / stretch);
  const double slantToHeight = std::cos(ArcSine(sine));
  Atoms cone;
  for (std::int32_t i = 0; i < sheet.count(); ++i) {
    const Polar p = polar(sheet.x[i], sheet.y[i]);
    const auto theta = static_cast<float>(p.phi * (kPi / 180.0) * stretch);
    const auto rho = static_cast<float>(static_cast<double>(sine) * p.r);
    cone.add(static_cast<float>(rho * std::sin(static_cast<double>(theta))),
             static_cast<float>(rho * std::cos(static_cast<double>(theta))),
             static_cast<float>(-p.r * slantToHeight + zOffset), sheet.type[i]);
  }

  model.coneDisclination = d;
  model.coneHeight = h;
  model.bondLength = a;
  model.coneApexAngle = apexAngle;
  store(work, model.atomSet(AtomSetId::Work));
  store(sheet, model.atomSet(AtomSetId::Sheet));
  store(cone, model.atomSet(AtomSetId::Atom));
}

} // namespace tarvek
