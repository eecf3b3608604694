// Stacks of graphene layers: one layer, the stack, and the file of stacks too large to show.
#include "shell/multilayer_graphene.h"

#include "model/graphene_cell.h"
#include "platform/abort.h"
#include "runtime/file_status.h"
#include "runtime/int_convert.h"
#include "runtime/number_format.h"
#include "runtime/print_form.h"
#include "runtime/runtime_error.h"
#include "runtime/text_file_writer.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace tarvek {

namespace {

// Degrees to radians as the stacking has always turned its layers.
constexpr double kRadiansPerDegree = 0.017453292522222223;

void resizeSet(AtomSetRef set, std::size_t size)
{
  set.x.resize(size);
  set.y.resize(size);
  set.z.resize(size);
  set.type.resize(size);
}

std::string atomLine(float x, float y, float z)
{
  PrintLine line;
  line << "C";
  line.text(Format(x, "0.0000"));
  line.text(Format(y, "0.0000"));
  line.text(Format(z, "0.0000"));
  return line.str();
}

void makeFolderOf(const std::string& path)
{
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty())
    return;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error)
    throw RuntimeError(fileErrorText("Could not save", path, error.value()));
}

} // namespace

double estimatedLayerAtoms(const GrapheneLayers& layers)
{
  return static_cast<double>(layers.width) * layers.height / 2.56;
}

std::int16_t checkGrapheneLayers(const GrapheneLayers& layers)
{
  for (float value : {layers.width, layers.height, layers.layers, layers.distance,
                      layers.graphiteShift, layers.rotation}) {
    if (!std::isfinite(value))
      throw RuntimeError("The layer values must be finite numbers.");
  }
  const std::int16_t count = CInt(layers.layers);
  if (count < 1)
    throw RuntimeError("The number of layers must be at least 1.");
  const double estimate = estimatedLayerAtoms(layers);
  if (estimate > kMaxLayerAtoms)
    throw RuntimeError("Each layer would have about " + Format(estimate, "0") +
                       " atoms; at most 20000000 can be built.");
  return count;
}

bool insideLayer(double x, double y, const GrapheneLayers& layers)
{
  return -0.01 < x && x <= layers.width && -0.01 < y && y <= layers.height;
}

std::int32_t buildGrapheneLayer(AtomSetRef layer, const GrapheneLayers& layers, float a)
{
  const GrapheneCell cell = grapheneCell(Model{}, a);
  const double s3 = std::sqrt(3.0);
  const double W = layers.width;
  const double H = layers.height;
  const std::int32_t nx = CLng(W / (a * s3) + 1.0);
  const std::int32_t ny = CLng(std::max(W, H) / (3.0 * a) + 1.0);
  const auto estimate = static_cast<std::size_t>(std::max(0.0, estimatedLayerAtoms(layers)));
  resizeSet(layer, 0);
  for (auto* v : {&layer.x, &layer.y, &layer.z})
    v->reserve(estimate + 5000);
  layer.type.reserve(estimate + 5000);
  for (std::int32_t i = 0; i < nx; ++i) {
    for (std::int32_t j = 0; j <= ny; ++j) {
      for (int k = 0; k < 4; ++k) {
        const double x = cell.x[k] + a * s3 * i;
        const double y = cell.y[k] + 3.0 * a * j;
        if (!insideLayer(x, y, layers))
          continue;
        layer.x.push_back(static_cast<float>(x - W / 2.0));
        layer.y.push_back(static_cast<float>(y - H / 2.0));
        layer.z.push_back(0.0f);
        layer.type.push_back(cell.type[k]);
      }
    }
  }
  layer.count = static_cast<std::int32_t>(layer.x.size());
  return layer.count;
}

StackedAtom stackedAtom(float x, float y, float z, std::int32_t L, const GrapheneLayers& layers,
                        float a)
{
  const bool odd = L % 2 == 1;
  StackedAtom out{x, y, static_cast<float>(z + static_cast<double>(L) * layers.distance)};
  if (odd && layers.rotation != 0.0f) {
    const double radians = layers.rotation * kRadiansPerDegree;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    out.x = static_cast<float>(x * c - y * s);
    out.y = static_cast<float>(x * s + y * c);
  } else if (odd && layers.graphiteShift != 0.0f) {
    out.y = y + a;
  }
  return out;
}

void stackGrapheneLayers(AtomSetRef layer, AtomSetRef stack, const GrapheneLayers& layers,
                         float a)
{
  const std::int32_t count = std::max<std::int32_t>(CInt(layers.layers), 0);
  const std::size_t P = static_cast<std::size_t>(layer.count);
  resizeSet(stack, P * static_cast<std::size_t>(count));
  std::size_t q = 0;
  for (std::int32_t L = 0; L < count; ++L) {
    for (std::size_t p = 0; p < P; ++p, ++q) {
      const StackedAtom atom = L == 0 ? StackedAtom{layer.x[p], layer.y[p], layer.z[p]}
                                      : stackedAtom(layer.x[p], layer.y[p], layer.z[p], L,
                                                    layers, a);
      stack.x[q] = atom.x;
      stack.y[q] = atom.y;
      stack.z[q] = atom.z;
      stack.type[q] = layer.type[p];
    }
  }
  stack.count = static_cast<std::int32_t>(q);
}

std::optional<std::int64_t> writeMultiLayerGraphene(const GrapheneLayers& layers, float a,
                                                    const std::string& path, AbortToken& abort,
                                                    bool lfLineEnds)
{
  const std::int16_t count = checkGrapheneLayers(layers);
  if (!(a > 0.0f && std::isfinite(a)))
    throw RuntimeError("The bond length must be a positive number.");
  BigVector<float> x, y, z;
  BigVector<std::int16_t> type;
  std::int32_t P = 0;
  buildGrapheneLayer(AtomSetRef{x, y, z, type, P}, layers, a);

  makeFolderOf(path);
  TextFileWriter file(path, lfLineEnds);
  const std::int64_t atoms = std::int64_t{count} * P;
  std::string countLine = " " + std::to_string(atoms) + " ";
  if (countLine.size() < 10)
    countLine.resize(10, ' ');
  file.writeLine(countLine);
  abort.clearEscape();
  for (std::int32_t L = 0; L < count; ++L) {
    if (abort.escapePressed())
      return std::nullopt;
    for (std::int32_t p = 0; p < P; ++p) {
      if (L == 0) {
        file.writeLine(atomLine(x[p], y[p], z[p]));
      } else {
        const StackedAtom atom = stackedAtom(x[p], y[p], z[p], L, layers, a);
        file.writeLine(atomLine(atom.x, atom.y, atom.z));
      }
    }
  }
  const FileStatus status = file.commit();
  if (!status)
    throw RuntimeError(status.error());
  return atoms;
}

} // namespace tarvek
