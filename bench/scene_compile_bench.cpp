// What compiling a structure costs, on a synthetic tube of 10^4 to 10^6
// atoms (rings of 100 atoms, each bonded to its ring and axial neighbours).
//
//   record:  the three compile operations without GL: time, record bytes per
//            atom, scene-file bytes;
//   compile: the records into display lists in a Mesa context made without
//            a display (EGL surfaceless): time of a compile after a first
//            one, and list memory per atom as the first one's growth of the
//            resident set.
//
// Record time per atom should hold within 1.5x from 10^4 to 10^6 atoms;
// compile time and list memory per atom within 1.5x from 10^5 to 10^6.
// Rows report minor page faults per atom; the cold rows time a new
// structure appearing: record and compile once, no warm-up.
//
//   build/bench/scene_compile_bench

#include "bench_support.h"
#include "model/display_settings.h"
#include "model/model.h"
#include "platform/temp_folder.h"
#include "scene/gl_real.h"
#include "scene/gl_recording.h"
#include "scene/scene_object.h"

#include <benchmark/benchmark.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace tarvek;
using bench::NeverAbort;

// The EGL context is made current once and stays so.
class AlwaysCurrent : public GlContext {
public:
  bool makeCurrent() override { return available; }
  void doneCurrent() override {}
  bool available = false;
};

long residentBytes()
{
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == "VmRSS:") {
      long kb = 0;
      status >> kb;
      return kb * 1024;
    }
  }
  return 0;
}

// A scene over its own files, with the compile switches of one run.
struct Bench {
  Model model;
  DisplaySettings display;
  Preferences preferences;
  NeverAbort abort;
  TempFolder folder;
  std::string atomPath = folder.path("tmp.xyz");
  std::string bondPath = folder.path("tmp.zyx");

  Bench(std::int64_t atoms, bool lines)
  {
    bench::ringTube(model, atoms);
    preferences.optionFlags[9] = lines;
  }
};

void compileOperations(CXXX& scene)
{
  scene.clearScene();
  scene.setAtomData();
  scene.setBondData();
  scene.setFillData();
}

void BM_Record(benchmark::State& state)
{
  Bench bench(state.range(0), state.range(1) != 0);
  RecordingGl gl;
  AlwaysCurrent context;
  CXXX scene(bench.model, bench.display, bench.preferences, bench.abort, bench.abort, gl, context,
             bench.atomPath, bench.bondPath);
  const bench::MinorFaults faults;
  for (auto _ : state)
    compileOperations(scene);
  faults.report(state, static_cast<double>(bench.model.atomCount));
  std::size_t bytes = 0;
  for (const auto& list : scene.lists())
    bytes += list.record.bytes();
  const double atoms = static_cast<double>(bench.model.atomCount);
  state.counters["time_per_atom"] = bench::timePer(atoms);
  state.counters["record_bytes_per_atom"] = static_cast<double>(bytes) / atoms;
  state.counters["scene_file_bytes"] = static_cast<double>(std::filesystem::file_size(bench.atomPath)
                                                           + std::filesystem::file_size(bench.bondPath));
}

bool makeSurfacelessContext()
{
  static bool made = [] {
    auto getDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getDisplay)
      return false;
    EGLDisplay display = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)
        || !eglBindAPI(EGL_OPENGL_API))
      return false;
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1, EGL_NONE};
    EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    return context != EGL_NO_CONTEXT
           && eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) == EGL_TRUE;
  }();
  return made;
}

void BM_Compile(benchmark::State& state)
{
  if (!makeSurfacelessContext()) {
    state.SkipWithError("no surfaceless EGL context (Mesa's libegl-mesa0 and libegl-dev)");
    return;
  }
  Bench bench(state.range(0), state.range(1) != 0);
  RealGl gl;
  AlwaysCurrent context;
  CXXX scene(bench.model, bench.display, bench.preferences, bench.abort, bench.abort, gl, context,
             bench.atomPath, bench.bondPath);
  compileOperations(scene);
  const auto compile = [&] {
    context.available = true;
    scene.compilePendingLists();
  };
  const auto dropLists = [&] {
    for (const auto& list : scene.lists())
      gl.deleteList(list.glId);
    scene.dropGlLists();
    context.available = false;
  };
  // The first compile, untimed, gives the list memory; the timed ones
  // compile the same records again, as a display that changes its settings
  // does, into memory the first one freed.
  const long before = residentBytes();
  compile();
  const auto grown = static_cast<double>(residentBytes() - before);
  dropLists();
  const bench::MinorFaults faults;
  for (auto _ : state) {
    compile();
    state.PauseTiming();
    dropLists();
    state.ResumeTiming();
  }
  const double atoms = static_cast<double>(bench.model.atomCount);
  faults.report(state, atoms);
  state.counters["time_per_atom"] = bench::timePer(atoms);
  state.counters["list_bytes_per_atom"] = grown / atoms;
}

// A new structure appearing: recorded and compiled once, bonds as lines.
void BM_AppearCold(benchmark::State& state)
{
  if (!makeSurfacelessContext()) {
    state.SkipWithError("no surfaceless EGL context (Mesa's libegl-mesa0 and libegl-dev)");
    return;
  }
  Bench bench(state.range(0), true);
  RealGl gl;
  AlwaysCurrent context;
  CXXX scene(bench.model, bench.display, bench.preferences, bench.abort, bench.abort, gl, context,
             bench.atomPath, bench.bondPath);
  const bench::MinorFaults faults;
  for (auto _ : state) {
    compileOperations(scene);
    context.available = true;
    scene.compilePendingLists();
  }
  const double atoms = static_cast<double>(bench.model.atomCount);
  faults.report(state, atoms);
  state.counters["time_per_atom"] = bench::timePer(atoms);
}

// Second argument: 1 bonds as lines (option 9), 0 as cylinders.
BENCHMARK(BM_Record)
    ->Args({10000, 1})->Args({100000, 1})->Args({1000000, 1})
    ->Args({10000, 0})->Args({100000, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compile)
    ->Args({10000, 1})->Args({100000, 1})->Args({1000000, 1})
    ->Args({10000, 0})->Args({100000, 0})
    ->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_AppearCold)->Apply(bench::coldDecadeSizes);

} // namespace
